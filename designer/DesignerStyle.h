#pragma once

#include <QHash>
#include <QIcon>
#include <QProxyStyle>

// The designer's application style: the platform's own, except that the standard icons are
// made once. Every design form's MDI window asks for the same title-bar and menu icons when it
// is built, and a project of hundreds of forms would otherwise decode them hundreds of times.
class DesignerStyle : public QProxyStyle
{
public:
    DesignerStyle();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

    // Makes it the application's style, built over the style in use; does nothing when it
    // already is.
    static void Install();

private:
    mutable QHash<int, QIcon> m_icons;
};
