#include "controls/clsWindowIcon.h"

#include "controls/clsFormIcon.h"

void clsWindowIcon::Initialize(QWidget *window)
{
    m_window = window;
    m_before = window ? window->windowIcon() : QIcon();
}

void clsWindowIcon::ChangeWindowIcon(const clsFormIcon &icon)
{
    m_small = icon.SmallIcon();
    m_large = icon.LargeIcon();
    if (!m_window)
        return;
    if (icon.HasIcon()) {
        m_window->setWindowIcon(icon.Icon());
    } else {
        // An empty icon would fall back to the application's; a blank one shows none.
        QPixmap blank(clsFormIcon::SmallSize(), clsFormIcon::SmallSize());
        blank.fill(Qt::transparent);
        m_window->setWindowIcon(QIcon(blank));
    }
}

void clsWindowIcon::RestoreWindowIcon()
{
    if (m_window)
        m_window->setWindowIcon(m_before);
    m_small = QPixmap();
    m_large = QPixmap();
}
