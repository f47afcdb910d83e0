// Picture names written on either system: prefixes, separators, relative and absolute names,
// and the search for a foreign path's tail in the images folder.
#include "app/PictureNames.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace PictureNames;

TEST(PictureNames, Resolve)
{
    const QSet<QString> files{"/img/logo.png", "/img/icons/save.ico", "/abs/pic.bmp"};
    const auto exists = [&](const QString &p) { return files.contains(p); };
    EXPECT_EQ(Resolve("logo.png", "/img", exists), "/img/logo.png");
    EXPECT_EQ(Resolve("icons\\save.ico", "/img/", exists), "/img/icons/save.ico");
    EXPECT_EQ(Resolve("/abs/pic.bmp", "/img", exists), "/abs/pic.bmp");
    EXPECT_EQ(Resolve("FILE:///abs/pic.bmp", "/img", exists), "/abs/pic.bmp");
    // A drive path from another machine: its tail is found among the images.
    EXPECT_EQ(Resolve("FILE://C:/Users/me/icons/save.ico", "/img", exists), "/img/icons/save.ico");
    EXPECT_EQ(Resolve("file:\\\\C:\\Pictures\\logo.png", "/img", exists), "/img/logo.png");
    EXPECT_EQ(Resolve("C:\\nowhere\\none.png", "/img", exists), "C:/nowhere/none.png");
    EXPECT_EQ(Resolve("HTTP://example.org/a.png", "/img", exists,
                      [](const QString &url) { return url.endsWith("a.png") ? "/cache/a.png" : QString(); }),
              "/cache/a.png");
    EXPECT_EQ(Resolve("ftp://example.org/b.png", "/img", exists), "ftp://example.org/b.png");
}

TEST(PictureNames, RelativeAndAbsolute)
{
    EXPECT_EQ(MakeRelative("FILE:///Proj/Pics/a.png", "/proj/pics"), "a.png");
    EXPECT_EQ(MakeRelative("C:\\Proj\\Pics\\sub\\a.png", "c:/proj/pics/"), "sub/a.png");
    EXPECT_EQ(MakeRelative("/other/a.png", "/proj"), "/other/a.png");
    EXPECT_EQ(MakeRelative("/proj", "/proj"), "/proj");

    EXPECT_EQ(MakeAbsolute("a.png", "/proj/pics"), "/proj/pics/a.png");
    EXPECT_EQ(MakeAbsolute("file://sub\\a.png", "/proj/"), "/proj/sub/a.png");
    EXPECT_EQ(MakeAbsolute("C:\\x\\a.png", "/proj"), "C:/x/a.png");
    EXPECT_EQ(MakeAbsolute("/x/a.png", "/proj"), "/x/a.png");
    EXPECT_EQ(MakeAbsolute("a.png", ""), "a.png");
}
