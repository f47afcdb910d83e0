#include "designer/DesignerStyle.h"

#include <QApplication>

DesignerStyle::DesignerStyle() : QProxyStyle(QApplication::style()->name()) {}

QIcon DesignerStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                                  const QWidget *widget) const
{
    // An icon asked for with an option may depend on it (state, palette): not kept.
    if (option)
        return QProxyStyle::standardIcon(which, option, widget);
    auto found = m_icons.constFind(int(which));
    if (found == m_icons.constEnd())
        found = m_icons.insert(int(which), QProxyStyle::standardIcon(which, nullptr, widget));
    return *found;
}

void DesignerStyle::Install()
{
    if (!dynamic_cast<DesignerStyle *>(QApplication::style()))
        QApplication::setStyle(new DesignerStyle);
}
