// Window icons: a form icon in the two system sizes from a picture file, the program's
// default icon, "none" for no icon, bad files reported, and the window's icon put back.
#include "controls/clsFormIcon.h"
#include "controls/clsWindowIcon.h"

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

TEST(clsFormIcon, TwoSizesDefaultNoneAndBadFiles)
{
    QTemporaryDir dir;
    QImage wide(48, 24, QImage::Format_ARGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(dir.filePath("form.png")));
    const QSize small(clsFormIcon::SmallSize(), clsFormIcon::SmallSize());
    const QSize large(clsFormIcon::LargeSize(), clsFormIcon::LargeSize());
    EXPECT_LT(small.width(), large.width());

    clsFormIcon icon;
    EXPECT_TRUE(icon.LoadCustomFormIcon(dir.filePath("form.png")));
    EXPECT_TRUE(icon.HasIcon());
    EXPECT_EQ(icon.SmallIcon().size(), small);
    EXPECT_EQ(icon.LargeIcon().size(), large);
    // A picture of other proportions is fitted, centred, on a transparent square.
    const QImage top = icon.LargeIcon().toImage();
    EXPECT_EQ(qAlpha(top.pixel(large.width() / 2, 0)), 0);
    EXPECT_EQ(QColor(top.pixel(large.width() / 2, large.height() / 2)), QColor(Qt::red));

    for (const QString &none : {QString(), QStringLiteral("none"), QStringLiteral(" NONE ")}) {
        EXPECT_TRUE(icon.LoadCustomFormIcon(none));
        EXPECT_FALSE(icon.HasIcon());
        EXPECT_TRUE(icon.Icon().isNull());
    }

    EXPECT_FALSE(icon.LoadCustomFormIcon(dir.filePath("missing.ico")));
    EXPECT_FALSE(icon.HasIcon());
    EXPECT_FALSE(icon.Error().isEmpty());

    EXPECT_TRUE(icon.LoadFormIcon());
    EXPECT_TRUE(icon.HasIcon());
    EXPECT_EQ(icon.SmallIcon().size(), small);
    // A default icon that cannot be loaded still gives the program's own, with the reason.
    EXPECT_FALSE(icon.LoadFormIcon(dir.filePath("missing.ico")));
    EXPECT_TRUE(icon.HasIcon());
    EXPECT_FALSE(icon.Error().isEmpty());
    icon.UnloadFormIcon();
    EXPECT_FALSE(icon.HasIcon());
}

TEST(clsWindowIcon, ChangesAndRestoresTheWindowsIcon)
{
    QWidget window;
    QPixmap before(16, 16);
    before.fill(Qt::green);
    window.setWindowIcon(QIcon(before));
    const qint64 beforeKey = window.windowIcon().cacheKey();

    clsWindowIcon handler;
    handler.Initialize(&window);
    clsFormIcon icon;
    icon.LoadFormIcon();
    handler.ChangeWindowIcon(icon);
    EXPECT_NE(window.windowIcon().cacheKey(), beforeKey);
    EXPECT_EQ(handler.LargeIcon().size(), icon.LargeIcon().size());
    EXPECT_EQ(window.windowIcon().availableSizes().size(), 2);

    clsFormIcon none;
    none.LoadCustomFormIcon(QStringLiteral("none"));
    handler.ChangeWindowIcon(none);
    EXPECT_TRUE(handler.SmallIcon().isNull());
    // No icon at all, not the application's in its place.
    const QImage shown = window.windowIcon().pixmap(16, 16).toImage();
    EXPECT_EQ(qAlpha(shown.pixel(8, 8)), 0);

    handler.RestoreWindowIcon();
    EXPECT_EQ(window.windowIcon().cacheKey(), beforeKey);
}
