#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QToolBar;
class QToolButton;
class QWidget;

// Dragging an item kind's tool from the tool bar onto a design form: a press and a move on a
// tool button of the bar start a drag of the kind's key, and the design forms' area takes
// the drop (the forms themselves accept no drops, so it reaches the area) and reports where
// it landed.
class KindDrag final : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *MimeType = "application/x-corvane-item-kind";

    KindDrag(QToolBar &tools, QWidget &dropArea);
    // Watches the bar's tool buttons; call again after tools are added.
    void WatchTools();

Q_SIGNALS:
    // The kind's tool was dropped at the global position.
    void Dropped(const QString &key, const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void StartDrag(QToolButton &button);

    QToolBar &m_tools;
    QWidget &m_area;
    QPointer<QToolButton> m_pressed;
    QPoint m_pressedAt;
};
