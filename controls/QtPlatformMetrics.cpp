#include "controls/QtPlatformMetrics.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QStyleHints>

#include <cmath>

namespace {

quint32 ToRgb(const QColor &colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

// The system colour of each index, taken from the application palette. The desktop has no
// caption or border colours of its own for us, so captions follow the selection colours
// (active) and the mid tone (inactive), borders and menus the window colour.
void FillSystemColours(PlatformMetrics &metrics, const QPalette &palette)
{
    using P = QPalette;
    auto active = [&](P::ColorRole role) { return palette.color(P::Active, role); };
    auto inactive = [&](P::ColorRole role) { return palette.color(P::Inactive, role); };

    const QColor colours[PlatformMetrics::SystemColourCount] = {
        active(P::Button),                        //  0 scroll bar: button
        active(P::Dark),                          //  1 desktop: dark
        active(P::Highlight),                     //  2 active caption: highlight
        inactive(P::Mid),                         //  3 inactive caption: mid (inactive)
        active(P::Window),                        //  4 menu: window
        active(P::Base),                          //  5 window: base
        active(P::Shadow),                        //  6 window frame: shadow
        active(P::WindowText),                    //  7 menu text: window text
        active(P::Text),                          //  8 window text: text
        active(P::HighlightedText),               //  9 caption text: highlighted text
        active(P::Window),                        // 10 active border: window
        inactive(P::Window),                      // 11 inactive border: window (inactive)
        active(P::Dark),                          // 12 application workspace: dark
        active(P::Highlight),                     // 13 selected item: highlight
        active(P::HighlightedText),               // 14 selected item text: highlighted text
        active(P::Button),                        // 15 3D face: button
        active(P::Dark),                          // 16 3D shadow: dark
        palette.color(P::Disabled, P::Text),      // 17 grey text: text (disabled)
        active(P::ButtonText),                    // 18 button text: button text
        inactive(P::HighlightedText),             // 19 inactive caption text: highlighted text (inactive)
        active(P::Light),                         // 20 3D highlight: light
        active(P::Shadow),                        // 21 3D dark shadow: shadow
        active(P::Midlight),                      // 22 3D light: midlight
        active(P::ToolTipText),                   // 23 tool tip text
        active(P::ToolTipBase),                   // 24 tool tip background
        active(P::AlternateBase),                 // 25 alternate button face: alternate base
        active(P::Link),                          // 26 hot-tracked item: link
        active(P::Highlight).lighter(150),        // 27 active caption gradient: highlight, lighter
        inactive(P::Mid).lighter(150),            // 28 inactive caption gradient: mid, lighter
        active(P::Highlight),                     // 29 menu highlight: highlight
        active(P::Window),                        // 30 menu bar: window
    };
    for (int i = 0; i < PlatformMetrics::SystemColourCount; ++i) {
        metrics.SystemColours[size_t(i)] = ToRgb(colours[i]);
        metrics.SystemColourAccepted[size_t(i)] = true;
    }
}

} // namespace

namespace QtPlatformMetrics {

PlatformMetrics FromQt()
{
    // Whatever Qt cannot tell (no screen, a style reporting nothing) keeps the headless value.
    PlatformMetrics metrics = PlatformMetrics::Headless();

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const double dpiX = screen->logicalDotsPerInchX();
        const double dpiY = screen->logicalDotsPerInchY();
        if (dpiX > 0)
            metrics.TwipsPerPixelX = qMax(1, int(std::lround(1440.0 / dpiX)));
        if (dpiY > 0)
            metrics.TwipsPerPixelY = qMax(1, int(std::lround(1440.0 / dpiY)));
        if (screen->depth() > 0)
            metrics.ColourDepth = screen->depth();
        metrics.VirtualScreenLeft = screen->virtualGeometry().left();
    }

    if (const QStyle *style = QApplication::style()) {
        const int frame = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        if (frame > 0) {
            metrics.SizingFrameWidth = frame;
            metrics.SizingFrameHeight = frame;
        }
        const int caption = style->pixelMetric(QStyle::PM_TitleBarHeight);
        if (caption > 0)
            metrics.CaptionHeight = caption;
    }

    if (const QStyleHints *hints = QGuiApplication::styleHints()) {
        if (hints->mouseDoubleClickInterval() > 0)
            metrics.DoubleClickTime = hints->mouseDoubleClickInterval();
    }

    FillSystemColours(metrics, QApplication::palette());
    return metrics;
}

void InstallFromQt()
{
    PlatformMetrics::Install(FromQt());
}

} // namespace QtPlatformMetrics
