// corvane render: picture sizes and names, what is drawn where (controls, the form's colour,
// invisible controls), repeatable bytes, and the refusals: unknown forms, bad options, forms
// too large to draw.
#include "CliTestSupport.h"
#include "tests/BigPicture.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace cli_test;

namespace {

QString Form(const QString &id, int width, int height)
{
    return Rec({"2", "APP*" + id, "", "5", "0", "0", QString::number(width),
                QString::number(height), "0"});
}
QString Ctl(const QString &path, int type, int left, int top, int width, int height)
{
    return Rec({"2", path, "", QString::number(type), QString::number(left),
                QString::number(top), QString::number(width), QString::number(height), "0"});
}
QString Set(int code, const QString &value)
{
    return Rec({"4", "", QString::number(code), "", "", value});
}
// A project in twips: APP with the forms and controls given.
QString TwipProject(const QStringList &body)
{
    QStringList recs{Rec({"TEMPLATE", "1", "h"}), Rec({"0", "1.4", "1"}),
                     Rec({"2", "APP", "", "1", "0", "0", "9000", "6000", "1073741824"})};
    recs += body;
    recs << Rec({"0", "-1"});
    return recs.join("\r\n");
}
constexpr int BackColor = 14;
constexpr int Visible = 9;
constexpr int PictureName = 23;

} // namespace

TEST(CliRender, DrawsEachFormAtItsStoredSize)
{
    QTemporaryDir dir;
    const QString project = WriteFile(
        dir, "p.gui",
        TwipProject({Form("MAIN", 6000, 4500), Set(BackColor, "65280"),          // green
                     Ctl("APP*MAIN*RED", 15, 1500, 1500, 1500, 750), Set(BackColor, "255"),
                     Ctl("APP*MAIN*HIDDEN", 15, 3750, 1500, 1500, 750), Set(BackColor, "255"),
                     Set(Visible, "0"), Form("OTHER", 3000, 1500)}));
    const Outcome all = Corvane({"render", project, "--output-dir", dir.path()});
    ASSERT_EQ(all.Status, 0) << all.Err.toStdString();
    EXPECT_EQ(QString::fromUtf8(all.Out),
              dir.filePath("APP_MAIN.png") + " 400x300\n" + dir.filePath("APP_OTHER.png") + " 200x100\n");

    const QImage image(dir.filePath("APP_MAIN.png"));
    ASSERT_EQ(image.size(), QSize(400, 300));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 255, 0));
    // The visible control's area shows the control, the invisible one's the form.
    EXPECT_EQ(image.pixelColor(150, 125), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(300, 125), QColor(0, 255, 0));

    // One form by ID (any case), twice the size; the same picture twice is the same bytes.
    const QString scaled = dir.filePath("x2");
    QDir().mkpath(scaled);
    const Outcome one = Corvane({"render", project, "--form", "other", "--scale", "2",
                                 "--output-dir", scaled});
    ASSERT_EQ(one.Status, 0) << one.Err.toStdString();
    EXPECT_EQ(QString::fromUtf8(one.Out), QDir(scaled).filePath("APP_OTHER.png") + " 400x200\n");
    const QByteArray first = FileBytes(dir.filePath("APP_MAIN.png"));
    ASSERT_EQ(Corvane({"render", project, "--form=MAIN", "--output-dir", dir.path()}).Status, 0);
    EXPECT_EQ(FileBytes(dir.filePath("APP_MAIN.png")), first);
}

TEST(CliRender, RefusesUnknownFormsBadOptionsAndHugeForms)
{
    QTemporaryDir dir;
    const QString project = WriteFile(
        dir, "p.gui", TwipProject({Form("MAIN", 6000, 4500), Form("HUGE", 100000, 100000)}));
    const Outcome unknown = Corvane({"render", project, "--form", "NOPE", "--output-dir", dir.path()});
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_TRUE(unknown.Err.contains("NOPE"));
    EXPECT_TRUE(unknown.Out.isEmpty());
    for (const QStringList &bad : {QStringList{"--scale", "0"}, QStringList{"--scale", "abc"},
                                   QStringList{"--form"}, QStringList{"--output-dir", dir.filePath("none")}})
        EXPECT_EQ(Corvane(QStringList{"render", project} + bad).Status, 2) << bad.join(' ').toStdString();

    // A form too large for a picture is reported; the others are still drawn.
    const Outcome huge = Corvane({"render", project, "--scale", "2", "--output-dir", dir.path()});
    EXPECT_EQ(huge.Status, 1);
    EXPECT_TRUE(huge.Err.contains("HUGE")) << huge.Err.toStdString();
    EXPECT_EQ(QString::fromUtf8(huge.Out), dir.filePath("APP_MAIN.png") + " 800x600\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("APP_HUGE.png")));
    // At a fraction of the size it fits.
    const Outcome small = Corvane({"render", project, "--form", "HUGE", "--scale", "0.1",
                                   "--output-dir", dir.path()});
    EXPECT_EQ(small.Status, 0) << small.Err.toStdString();
    EXPECT_EQ(QImage(dir.filePath("APP_HUGE.png")).size(), QSize(667, 667));
}

TEST(CliRender, DrawsAFormOfTwoThousandControls)
{
    QTemporaryDir dir;
    QStringList body{Form("BIG", 30000, 30000)};
    for (int i = 0; i < 2000; ++i)
        body << Ctl(QStringLiteral("APP*BIG*L%1").arg(i), i % 2 ? 15 : 18, (i % 40) * 720,
                    (i / 40) * 540, 600, 300);
    const QString project = WriteFile(dir, "big.gui", TwipProject(body));
    const Outcome out = Corvane({"render", project, "--output-dir", dir.path()});
    EXPECT_EQ(out.Status, 0) << out.Err.toStdString();
    EXPECT_EQ(QImage(dir.filePath("APP_BIG.png")).size(), QSize(2000, 2000));
}

TEST(CliRender, FindsPicturesNamedRelativeToTheProjectBesideIt)
{
    // The project lies in a folder of its own, not the current one: "logo.png" must be found
    // beside the project file; a picture that is missing fails nothing. (How names written on
    // other systems resolve is the picture names' test.)
    QTemporaryDir dir;
    QImage blue(40, 40, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    ASSERT_TRUE(blue.save(dir.filePath("logo.png")));
    const QString project = WriteFile(
        dir, "p.gui",
        TwipProject({Form("MAIN", 6000, 4500), Set(BackColor, "65280"),
                     Ctl("APP*MAIN*LOGO", 25, 1500, 1500, 600, 600), Set(PictureName, "logo.png"),
                     Ctl("APP*MAIN*GONE", 25, 4500, 1500, 600, 600), Set(PictureName, "missing.png")}));
    const Outcome out = Corvane({"render", project, "--output-dir", dir.path()});
    ASSERT_EQ(out.Status, 0) << out.Err.toStdString();
    const QImage image(dir.filePath("APP_MAIN.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(110, 110), QColor(0, 0, 255));
}

// Forms whose IDs fold to one file name get a file each; an older picture under a name is
// replaced, not overwritten (another link to it keeps the old bytes). The rest of how a
// picture is written is the one output rule the host layer tests.
TEST(CliRender, PicturesAreWrittenWholeUnderNamesOfTheirOwn)
{
    QTemporaryDir dir;
    const QString project = WriteFile(
        dir, "p.gui", TwipProject({Form("A/B", 1500, 750), Form("A:B", 1500, 750), Form("A_B", 1500, 750),
                                   Form("A_B-2", 1500, 750)}));
    const QString out = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    WriteFile(dir, "out/APP_A_B.png", "old");
    ASSERT_EQ(::link(QFile::encodeName(QDir(out).filePath("APP_A_B.png")).constData(),
                     QFile::encodeName(dir.filePath("hard.png")).constData()),
              0);

    const Outcome run = Corvane({"render", project, "--output-dir", out});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QStringList names{"APP_A_B.png", "APP_A_B-3.png", "APP_A_B-4.png", "APP_A_B-2.png"};
    QString expected;
    for (const QString &name : names)
        expected += QDir(out).filePath(name) + " 100x50\n";
    EXPECT_EQ(QString::fromUtf8(run.Out), expected);
    for (const QString &name : names)
        EXPECT_EQ(QImage(QDir(out).filePath(name)).size(), QSize(100, 50)) << name.toStdString();
    EXPECT_EQ(FileBytes(dir.filePath("hard.png")), "old");
}

TEST(CliRender, PicturesAreDecodedOncePerFileAndALackOfMemoryFailsTheRun)
{
    // Forty controls on one picture of 64 million pixels draw within a gigabyte and a half of
    // address space: the picture is decoded once and drawn clipped by each control.
    QTemporaryDir dir;
    ASSERT_TRUE(big_picture::WriteGreyPng(dir.filePath("big.png"), 8192, 8192, 0x40));
    QStringList body{Form("MAIN", 9000, 6000)};
    for (int i = 0; i < 40; ++i)
        body << Ctl(QStringLiteral("APP*MAIN*P%1").arg(i), 25, (i % 8) * 1050, (i / 8) * 1050,
                    900, 900)
             << Set(PictureName, "big.png");
    const QString shared = WriteFile(dir, "shared.gui", TwipProject(body));
    const Outcome one = Corvane({"render", shared, "--output-dir", dir.path()},
                                {.AddressSpace = rlim_t(1536) << 20});
    ASSERT_EQ(one.Status, 0) << one.Err.toStdString();
    const QImage drawn(dir.filePath("APP_MAIN.png"));
    EXPECT_EQ(drawn.pixelColor(30, 30), QColor(0x40, 0x40, 0x40));
    EXPECT_EQ(drawn.pixelColor(7 * 70 + 30, 4 * 70 + 30), QColor(0x40, 0x40, 0x40));

    // Five such pictures are more than the pictures in use may hold: the fifth control shows
    // why, the picture is still written, and the run fails naming the form and the file.
    body = QStringList{Form("MAIN", 9000, 6000)};
    for (int i = 0; i < 5; ++i) {
        const QString name = QStringLiteral("big%1.png").arg(i);
        ASSERT_TRUE(QFile::copy(dir.filePath("big.png"), dir.filePath(name)));
        body << Ctl(QStringLiteral("APP*MAIN*P%1").arg(i), 25, i * 1050, 0, 900, 900)
             << Set(PictureName, name);
    }
    const QString many = WriteFile(dir, "many.gui", TwipProject(body));
    const Outcome over = Corvane({"render", many, "--output-dir", dir.path()});
    EXPECT_EQ(over.Status, 1);
    EXPECT_TRUE(over.Err.contains("MAIN") && over.Err.contains("big4.png")) << over.Err.toStdString();
    EXPECT_EQ(QImage(dir.filePath("APP_MAIN.png")).pixelColor(3 * 70 + 30, 30),
              QColor(0x40, 0x40, 0x40));
}
