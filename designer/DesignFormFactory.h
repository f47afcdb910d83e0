#pragma once

#include "model/iFormFuncs.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <functional>

class QMdiArea;
class clsControl;
class frmDesign;
class iDesignFormHost;

// Makes the design forms of the GUI: a form item's design form shows as a child window of the
// MDI area (when there is one); the application's own surface has no window. Installed in the
// registry in place of the plain headless forms.
class DesignFormFactory final : public iFormFactory
{
public:
    // Both may be nullptr: without a host the forms only show (rendering), without an area
    // they have no window.
    explicit DesignFormFactory(iDesignFormHost *host = nullptr, QMdiArea *area = nullptr);

    std::unique_ptr<iFormFuncs> CreateDesignForm(clsControl &owner, int type) override;

    // Turns a picture or icon name of the application's project into the file to load; the
    // forms made afterwards use it for their pictures, icons and those of their controls.
    using PictureResolver = std::function<QString(const clsControl *app, const QString &name)>;
    void SetPictureResolver(PictureResolver resolver) { m_resolvePicture = std::move(resolver); }

    // The design forms that exist now, in the order they were made.
    QList<frmDesign *> Forms() const;
    // The design form of a form item, or nullptr.
    static frmDesign *FormOf(const clsControl &formItem);

private:
    iDesignFormHost *m_host;
    QPointer<QMdiArea> m_area;
    mutable QList<QPointer<frmDesign>> m_forms;
    PictureResolver m_resolvePicture;
};
