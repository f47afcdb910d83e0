// QtPlatformMetrics: the metrics read from the running application are sane and the system
// colours follow the application palette.
#include "controls/QtPlatformMetrics.h"
#include "support/ColourNames.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QStyleHints>

#include <gtest/gtest.h>

TEST(QtPlatformMetrics, ScreenStyleAndTimingValuesAreSane)
{
    const PlatformMetrics metrics = QtPlatformMetrics::FromQt();
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    EXPECT_EQ(metrics.TwipsPerPixelX, qRound(1440.0 / dpi));
    // The offscreen platform reports 96 dpi.
    if (qFuzzyCompare(dpi, 96.0) || QGuiApplication::platformName() == QLatin1String("offscreen")) {
        EXPECT_EQ(metrics.TwipsPerPixelX, 15);
        EXPECT_EQ(metrics.TwipsPerPixelY, 15);
    }
    EXPECT_GT(metrics.SizingFrameWidth, 0);
    EXPECT_LT(metrics.SizingFrameWidth, 50);
    EXPECT_GT(metrics.CaptionHeight, 5);
    EXPECT_LT(metrics.CaptionHeight, 100);
    EXPECT_GE(metrics.ColourDepth, 8);
    EXPECT_EQ(metrics.DoubleClickTime, QGuiApplication::styleHints()->mouseDoubleClickInterval());
    for (bool accepted : metrics.SystemColourAccepted)
        EXPECT_TRUE(accepted);
}

TEST(QtPlatformMetrics, SystemColoursComeFromThePaletteAsBgr)
{
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::All, QPalette::Base, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::All, QPalette::Button, QColor(1, 2, 3));
    QApplication::setPalette(palette);

    const PlatformMetrics metrics = QtPlatformMetrics::FromQt();
    EXPECT_EQ(metrics.SystemColours[5], 0x563412u);  // window background: base
    EXPECT_EQ(metrics.SystemColours[15], 0x030201u); // 3D face: button
    for (quint32 rgb : metrics.SystemColours)
        EXPECT_EQ(rgb & 0xFF000000u, 0u);

    const PlatformMetrics before = PlatformMetrics::Current();
    QtPlatformMetrics::InstallFromQt();
    EXPECT_EQ(DescribeColour(qint32(0x80000005u)), "Window Background (system color) R=18 G=52 B=86");
    PlatformMetrics::Install(before);
    QApplication::setPalette(saved);
}
