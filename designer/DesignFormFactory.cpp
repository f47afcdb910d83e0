#include "designer/DesignFormFactory.h"

#include "panels/SizerModel.h"
#include "designer/frmDesign.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "model/iControlWrapper.h"
#include "model/Vocabulary.h"

#include <QMdiArea>

DesignFormFactory::DesignFormFactory(iDesignFormHost *host, QMdiArea *area)
    : m_host(host), m_area(area)
{
}

std::unique_ptr<iFormFuncs> DesignFormFactory::CreateDesignForm(clsControl &owner, int type)
{
    auto form = std::make_unique<frmDesign>(owner, type, m_host);
    if (m_resolvePicture)
        form->SetPictureResolver(
            [resolve = m_resolvePicture, &owner](const QString &name) {
                return resolve(owner.App() ? owner.App() : &owner, name);
            });
    if (clsControl *app = owner.App())
        if (auto *wrapper = dynamic_cast<cAppWrapper *>(app->Wrapper())) {
            const auto [gridX, gridY] =
                SizerModel::GridSpacing(wrapper->ScaleUnit(), wrapper->ScaleX(), wrapper->ScaleY());
            form->SetGrid(gridX, gridY);
        }
    if (Vocabulary::IsForm(type) && m_area)
        form->AttachTo(m_area);
    m_forms.append(form.get());
    return form;
}

QList<frmDesign *> DesignFormFactory::Forms() const
{
    m_forms.removeIf([](const QPointer<frmDesign> &form) { return form.isNull(); });
    QList<frmDesign *> forms;
    for (const auto &form : m_forms)
        forms.append(form.data());
    return forms;
}

frmDesign *DesignFormFactory::FormOf(const clsControl &formItem)
{
    iControlWrapper *wrapper = formItem.Wrapper();
    return wrapper ? dynamic_cast<frmDesign *>(wrapper->FormFuncs()) : nullptr;
}
