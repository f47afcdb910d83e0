// ucImage: the inner picture follows the four scaling modes, range checks keep the old value,
// and a file that cannot be loaded leaves the control empty with the reason shown.
#include "controls/ucImage.h"

#include "support/GuiError.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ucImage, ScalingModesPlaceTheInnerPicture)
{
    QTemporaryDir dir;
    QImage source(40, 20, QImage::Format_RGB32);
    source.fill(Qt::blue);
    ASSERT_TRUE(source.save(dir.filePath("wide.png")));

    ucImage image;
    image.SetBorderStyle(0);
    image.resize(100, 100);
    image.SetFilename(dir.filePath("wide.png"));
    ASSERT_TRUE(image.LoadError().isEmpty()) << image.LoadError().toStdString();
    EXPECT_EQ(image.ImageWidth(), 40);
    EXPECT_EQ(image.ImageHeight(), 20);
    EXPECT_EQ(image.ImageElement()->geometry(), QRect(0, 0, 40, 20));
    image.SetImageScale(1);
    EXPECT_EQ(image.ImageElement()->geometry(), QRect(0, 25, 100, 50));
    image.SetImageScale(2);
    EXPECT_EQ(image.ImageElement()->geometry(), QRect(0, 0, 100, 100));
    image.SetImageScale(3);
    EXPECT_EQ(image.size(), QSize(40, 20));
    EXPECT_EQ(image.ImageElement()->geometry(), QRect(0, 0, 40, 20));

    EXPECT_THROW(image.SetImageScale(4), GuiError);
    EXPECT_EQ(image.ImageScale(), 3);
    EXPECT_THROW(image.SetAppearance(2), GuiError);
    EXPECT_THROW(image.SetBorderStyle(-1), GuiError);
    EXPECT_EQ(image.Appearance(), 1);
    EXPECT_EQ(image.BorderStyle(), 0);

    image.SetFilename(QString());
    EXPECT_EQ(image.ImageWidth(), 0);
    EXPECT_FALSE(image.ImageElement()->isVisibleTo(&image));
}

TEST(ucImage, BadFilesLeaveNoPictureAndShowWhy)
{
    QTemporaryDir dir;
    QFile text(dir.filePath("notes.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("just some words");
    text.close();

    ucImage image;
    image.resize(120, 80);
    QString reported;
    QObject::connect(&image, &ucImage::LoadFailed, [&](const QString &m) { reported = m; });
    for (const QString &name : {dir.filePath("absent.bmp"), dir.filePath("notes.png")}) {
        SCOPED_TRACE(name.toStdString());
        reported.clear();
        image.SetFilename(name);
        EXPECT_TRUE(image.Picture().isNull());
        EXPECT_FALSE(image.LoadError().isEmpty());
        EXPECT_EQ(reported, image.LoadError());
        EXPECT_EQ(image.toolTip(), image.LoadError());
        // The message is drawn inside the control.
        EXPECT_FALSE(image.grab().isNull());
    }
}
