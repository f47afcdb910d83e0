#pragma once

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QWidget>

class EditCommands;
class clsControl;
#include "designer/frmDesign.h"

// Tab Order mode on one design form: a layer over the form's client area that shows every
// control's place among the controls of its container (the order among siblings, which is
// also the z-order and the run-time tab order) and gives the controls the user clicks one
// after another places 1, 2, 3 ... within their container. The whole pass is one undo
// record. Escape, or closing the layer, ends it.
class TabOrderOverlay final : public QWidget
{
    Q_OBJECT
public:
    TabOrderOverlay(frmDesign &form, EditCommands &edit);
    ~TabOrderOverlay() override;

    frmDesign *Form() const { return m_form; }
    // The control a click at the point (in the layer's coordinates) gives a place to.
    clsControl *ControlAt(const QPoint &point) const;
    // Gives the control the next place of its container, as a click on it does.
    bool Take(clsControl &control);
    // Ends the pass (its undo record is made now) and goes once control returns to the
    // event loop.
    void End();

Q_SIGNALS:
    // Escape was pressed (anywhere in the window): the owner ends the mode.
    void Finished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Every control of the form with a widget on the client area, containers before what
    // they hold, so that a later one lies on top.
    QList<clsControl *> Controls() const;
    QRect RectOf(const clsControl &item) const;

    QPointer<frmDesign> m_form;
    EditCommands &m_edit;
    // The next place of each container in this pass, by its full ID.
    QHash<QString, int> m_next;
    // The controls given a place in this pass.
    QSet<const clsControl *> m_taken;
    bool m_ended = false;
};
