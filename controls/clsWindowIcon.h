#pragma once

#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class clsFormIcon;

// Puts a form's or application's icon on its design window and can put back the icon the
// window had before.
class clsWindowIcon
{
public:
    // The window whose icon is changed; its current icon is kept for RestoreWindowIcon.
    void Initialize(QWidget *window);
    // Shows the small and the large icon on the window; an icon without pictures (a form
    // whose icon is "none") leaves the window without one.
    void ChangeWindowIcon(const clsFormIcon &icon);
    void RestoreWindowIcon();
    QPixmap SmallIcon() const { return m_small; }
    QPixmap LargeIcon() const { return m_large; }

private:
    QPointer<QWidget> m_window;
    QIcon m_before;
    QPixmap m_small;
    QPixmap m_large;
};
