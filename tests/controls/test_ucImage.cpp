// ucImage: the inner picture follows the scaling mode, automatic sizing sizes the control, range
// checks keep the old value,
// a file that cannot be loaded leaves the control empty with the reason shown, and controls
// naming one file share its pixels within the budget of pictures in use.
#include "FileBytes.h"
#include "controls/ucImage.h"

#include "support/GuiError.h"
#include "tests/BigPicture.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TEST(ucImage, ScalingModePlacesTheInnerPictureOrSizesTheControl)
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
    // Where each mode puts the picture is the picture loader's placement test.
    image.SetImageScale(1);
    EXPECT_EQ(image.ImageElement()->geometry(), QRect(0, 25, 100, 50));
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
    PutFileBytes(dir.filePath("notes.png"), "just some words");

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

TEST(ucImage, ControlsNamingOneFileShareOneDecodeWithinTheBudget)
{
    // Only this test's pictures are in use.
    PictureLoader::ForgetShared();
    QTemporaryDir dir;
    {
        QImage source(40, 20, QImage::Format_RGB32);
        source.fill(Qt::red);
        const QString file = dir.filePath("logo.png");
        ASSERT_TRUE(source.save(file));
        ucImage first, second;
        first.SetFilename(file);
        second.SetFilename(file);
        ASSERT_FALSE(second.Picture().isNull());
        EXPECT_EQ(first.Picture().cacheKey(), second.Picture().cacheKey()); // one set of pixels
        // Scaled to one size, the picture is scaled once, when it is first drawn.
        for (ucImage *image : {&first, &second}) {
            image->resize(90, 70);
            image->SetImageScale(2);
        }
        const qint64 unscaled = PictureLoader::PixelsInUse();
        first.grab();
        const qint64 once = PictureLoader::PixelsInUse();
        second.grab();
        EXPECT_EQ(once - unscaled, first.ImageElement()->width() * first.ImageElement()->height());
        EXPECT_EQ(PictureLoader::PixelsInUse(), once);

        // The file written anew is read anew; the controls already showing it keep theirs.
        source = source.scaled(30, 30);
        ASSERT_TRUE(source.save(file));
        ucImage third;
        third.SetFilename(file);
        EXPECT_EQ(third.ImageWidth(), 30);
        EXPECT_EQ(second.ImageWidth(), 40);
    }

    // A picture far larger than its control is drawn clipped, never copied whole.
    ASSERT_TRUE(big_picture::WriteGreyPng(dir.filePath("big0.png"), 8192, 8192, 0x40));
    ucImage big;
    big.resize(100, 80);
    big.SetFilename(dir.filePath("big0.png"));
    ASSERT_EQ(big.ImageWidth(), 8192) << big.LoadError().toStdString();
    EXPECT_TRUE(big.contentsRect().contains(big.ImageElement()->geometry()));
    EXPECT_EQ(big.grab().toImage().pixelColor(50, 40), QColor(0x40, 0x40, 0x40));

    // Four pictures of the largest size fill the budget: a fifth is not decoded, and says why,
    // until one of the others is let go.
    std::vector<std::unique_ptr<ucImage>> more;
    for (int i = 1; i <= 4; ++i) {
        const QString name = dir.filePath(QStringLiteral("big%1.png").arg(i));
        ASSERT_TRUE(QFile::copy(dir.filePath("big0.png"), name));
        more.push_back(std::make_unique<ucImage>());
        more.back()->SetFilename(name);
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(more[size_t(i)]->ImageWidth(), 8192) << i;
    ucImage &past = *more.back();
    EXPECT_TRUE(past.Picture().isNull());
    EXPECT_TRUE(past.LackOfMemory());
    EXPECT_TRUE(past.LoadError().contains("big4.png")) << past.LoadError().toStdString();
    EXPECT_EQ(PictureLoader::PixelsInUse(), PictureLoader::MaxPixelsInUse);
    more.front().reset();
    past.SetFilename(past.Filename());
    EXPECT_EQ(past.ImageWidth(), 8192);
    EXPECT_FALSE(past.LackOfMemory());
}
