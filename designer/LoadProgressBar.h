#pragma once

#include "app/iLoadProgress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

class QProgressBar;
class QPushButton;
class QStatusBar;

// The progress of opening a document, in the main window's status bar: forms made of forms
// in the project, with a Cancel. While the load runs the window keeps answering: it paints,
// menus open; what would change the designer while the project is half made (commands,
// shortcuts, closing the window, clicks and keys on the forms) is ignored until the load is
// over. A load shorter than half a second shows nothing. The forms' area can be held still
// during the load: the forms show together once it is over, and none is painted before then
// only to be covered by the next.
class LoadProgressBar final : public QWidget, public iLoadProgress
{
public:
    explicit LoadProgressBar(QStatusBar *bar);
    ~LoadProgressBar() override;

    void Begin(int formsTotal) override;
    bool Advance(int formsMade) override;
    void End() override;

    // The widget (the forms' area) that paints nothing while a load runs: what it showed
    // before the load stays, and at the load's end it paints what is visible of the forms.
    void HoldPaintsOf(QWidget *widget) { m_held = widget; }

    QProgressBar *Bar() const { return m_bar; }
    QPushButton *CancelButton() const { return m_cancel; }
    // The load is running (between Begin and End).
    bool Loading() const { return m_loading; }

    // A load shows its progress once it has run this long.
    static constexpr int ShowAfterMs = 500;
    // The window answers this often while a load runs: soon enough for a click or a menu,
    // and seldom enough that the forms made meanwhile are shown and painted in one pass.
    static constexpr int AnswerEveryMs = 100;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Answer();
    void Hold(bool on);

    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
    QPointer<QWidget> m_held;
    QElapsedTimer m_sinceBegin;
    QElapsedTimer m_sinceAnswer;
    int m_made = 0;
    bool m_loading = false;
    bool m_cancelled = false;
};
