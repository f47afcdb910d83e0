#pragma once

#include "model/iFormFuncs.h"

#include <QList>
#include <QPointer>

class QMdiArea;
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

    // The design forms that exist now, in the order they were made.
    QList<frmDesign *> Forms() const;
    // The design form of a form item, or nullptr.
    static frmDesign *FormOf(const clsControl &formItem);

private:
    iDesignFormHost *m_host;
    QPointer<QMdiArea> m_area;
    mutable QList<QPointer<frmDesign>> m_forms;
};
