// The custom-properties page logic and the public extension object: what the page shows for
// a profile and an object's value, what it collects back, and how the public object answers.
#include "FileBytes.h"
#include "model/clsGUIObject.h"
#include "model/ExtPropsPage.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ErrorOf.h"
#include <functional>
#include <map>

namespace {

const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

// A profile with a text box section and a shared section.
const char *const kProfile = "[Extension]\nName=SiteA\nCaption=Site fields\n"
                             "[Editgx]\nFields=Code, NoCaption, Low, High, First, Last\n"
                             "[gxAny]\nFields=Note\n"
                             "[Code]\nCaption=Code\nPos=3\n"
                             "[NoCaption]\nPos=4\n"
                             "[Low]\nCaption=Low\nPos=1\n"
                             "[High]\nCaption=High\nPos=1000\n"
                             "[First]\nCaption=First\nPos=2\n"
                             "[Last]\nCaption=Last\nPos=999\n"
                             "[Note]\nCaption=Note\nPos=2\n";

ExtPropsPage Page(const char *profile, int type, const QString &value)
{
    ExtPropsPage page;
    page.Init(ExtensionProfile::FromText(QString::fromUtf8(profile)));
    page.SetCtlType(type);
    page.SetExtProp(value);
    page.Activate();
    return page;
}

QStringList Captions(const ExtPropsPage &page)
{
    QStringList captions;
    for (const auto &row : page.Rows())
        captions.append(row.Caption);
    return captions;
}

} // namespace

TEST(ExtPropsPage, InitReadsTheProfileFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ExtPropsPage page;
    EXPECT_FALSE(page.Init(dir.filePath("missing.ini")));

    PutFileBytes(dir.filePath("site.ini"), kProfile);
    EXPECT_TRUE(page.Init(dir.filePath("site.ini")));
    EXPECT_EQ(page.Caption(), "Site fields");
    EXPECT_TRUE(page.IsDefined(16));
    EXPECT_TRUE(page.IsDefined(2)); // the shared fields

    EXPECT_FALSE(page.Init(ExtensionProfile::FromText("[Extension]\nName=SiteA\n")));
    EXPECT_FALSE(page.IsDefined(16));
}

TEST(ExtPropsPage, RowsFollowTheFieldList)
{
    const QString stored = "SiteA" + VM + "two" + VM + "three" + VM + "four";
    const ExtPropsPage edit = Page(kProfile, 16, stored);
    // The caption-less field is skipped; positions 1 and 1000 are reported, 2 and 999 kept.
    EXPECT_EQ(Captions(edit), QStringList({"Code", "First", "Last"}));
    EXPECT_EQ(edit.Rows()[0].Value, "three");
    EXPECT_EQ(edit.Rows()[1].Value, "two");
    EXPECT_EQ(edit.Rows()[2].Value, "");
    EXPECT_EQ(edit.Rows()[2].Pos, 999);
    EXPECT_EQ(edit.Messages(),
              QStringList({"Field definition 'Low' has invalid position 1.",
                           "Field definition 'High' has invalid position 1000."}));

    // A label has no section of its own and gets the shared fields.
    EXPECT_EQ(Captions(Page(kProfile, 15, stored)), QStringList({"Note"}));
}

TEST(ExtPropsPage, NoFieldsShowsOneUneditableRow)
{
    ExtPropsPage page = Page("[Extension]\nName=SiteA\nCaption=X\n[Labelgx]\nFields=Bad\n"
                           "[Bad]\nCaption=Bad\nPos=0\n",
                           15, "SiteA" + VM + "kept");
    ASSERT_EQ(page.Rows().size(), 1u);
    EXPECT_EQ(page.Rows()[0].Caption, "N/A");
    EXPECT_EQ(page.Messages().size(), 1);
    EXPECT_FALSE(page.SetRowValue(0, "x"));
    EXPECT_FALSE(page.SetRowValue(5, "x"));
    EXPECT_TRUE(page.Validate());
    EXPECT_EQ(page.GetExtProp(), "SiteA");
}

TEST(ExtPropsPage, ProfileMismatchLeavesTheValueAlone)
{
    const QString stored = "SiteB" + VM + "two" + VM + "three";
    ExtPropsPage page = Page(kProfile, 16, stored);
    EXPECT_TRUE(page.Rows().empty());
    EXPECT_EQ(page.Messages(), QStringList("Extension profile 'SiteB' used when object was "
                                           "created does not match current profile 'SiteA'."));
    EXPECT_FALSE(page.SetRowValue(0, "x"));
    EXPECT_EQ(page.GetExtProp(), stored);
    EXPECT_TRUE(page.Validate());

    // The same name in other letters is the same profile.
    const ExtPropsPage same = Page(kProfile, 16, "sitea" + VM + "two" + VM + "three");
    EXPECT_EQ(same.Messages().size(), 2); // only the two bad positions
    EXPECT_EQ(same.Rows()[0].Value, "three");
}

TEST(ExtPropsPage, CollectingWritesTheProfileName)
{
    ExtPropsPage page = Page(kProfile, 16, VM + "two" + VM + "three");
    EXPECT_FALSE(page.IsChanged());
    ASSERT_TRUE(page.SetRowValue(0, "new"));
    EXPECT_TRUE(page.IsChanged());
    const QString collected = page.GetExtProp();
    const DynamicArray fields(collected, DynamicArray::RecordDelimiters());
    EXPECT_EQ(fields.Extract({1}), "SiteA");
    EXPECT_EQ(fields.Extract({2}), "two");
    EXPECT_EQ(fields.Extract({3}), "new");
    EXPECT_EQ(fields.Count(), 3); // the empty last field adds no trailing marks

    // Activating again shows the edit rather than the loaded value.
    page.Activate();
    EXPECT_EQ(page.Rows()[0].Value, "new");

    // A disabled page takes no edits.
    page.SetEnabled(false);
    EXPECT_FALSE(page.SetRowValue(0, "other"));
    EXPECT_EQ(page.Rows()[0].Value, "new");
}

TEST(ExtPropsPage, ValueIsKeptUntilThePageIsShown)
{
    ExtPropsPage page;
    page.Init(ExtensionProfile::FromText(QString::fromUtf8(kProfile)));
    page.SetCtlType(16);
    const QString stored = "SiteB" + VM + "x";
    page.SetExtProp(stored);
    EXPECT_EQ(page.GetExtProp(), stored);

    // Loading the next object drops the rows of the previous one.
    page.SetExtProp("SiteA");
    page.Activate();
    page.SetExtProp(stored);
    EXPECT_TRUE(page.Rows().empty());
    EXPECT_EQ(page.GetExtProp(), stored);
}

TEST(ExtPropsPage, MarksInValuesStayInTheirField)
{
    // A stored field with subvalues round-trips untouched.
    const QString parts = "a" + SM + "b" + SM + SM + "c";
    ExtPropsPage page = Page(kProfile, 16, "SiteA" + VM + parts + VM + "three");
    EXPECT_EQ(page.Rows()[1].Value, parts);
    EXPECT_EQ(page.GetExtProp(), "SiteA" + VM + parts + VM + "three");

    // Higher marks typed into a field cannot push the later fields along.
    const QString typed = "x" + VM + "y" + Marks::AttributeMark() + "z"
                          + Marks::SegmentMark() + SM;
    ASSERT_TRUE(page.SetRowValue(1, typed));
    EXPECT_EQ(page.Rows()[1].Value, "x" + SM + "y" + SM + "z" + SM + SM);
    EXPECT_TRUE(page.Validate());
    const DynamicArray fields(page.GetExtProp(), DynamicArray::RecordDelimiters());
    EXPECT_EQ(fields.Extract({3}), "three");
    EXPECT_EQ(fields.Count(), 3);

    // Whatever the page collects, it accepts when loaded and validated again.
    ExtPropsPage again = Page(kProfile, 16, page.GetExtProp());
    EXPECT_TRUE(again.Validate());
    EXPECT_EQ(again.GetExtProp(), page.GetExtProp());
}

namespace {

// A property sheet stand-in that answers with the code and column it was asked for.
class FakeSource : public iPropertySource
{
public:
    QString GetPendingValue(int code, int column) const override
    {
        return QStringLiteral("%1/%2").arg(code).arg(column);
    }
    void SetPendingValue(int code, const QString &value) override { written[code] = value; }

    std::map<int, QString> written;
};

} // namespace

TEST(clsGUIObject, ReadsPendingValuesByCode)
{
    FakeSource source;
    clsGUIObject object(&source);
    const cvGUIObject &gui = object;
    EXPECT_EQ(gui.ObjectType(), "-1/0");
    EXPECT_EQ(gui.ID(), "-2/0");
    EXPECT_EQ(gui.Extension(), "50/0");
    EXPECT_EQ(gui.Left(), "2/0");
    EXPECT_EQ(gui.Height(), "5/0");
    EXPECT_EQ(gui.ScaleMode(), "7/0");
    EXPECT_EQ(gui.Visible(), "9/0");
    EXPECT_EQ(gui.ReadOnly(), "12/0");
    EXPECT_EQ(gui.Columns(), "27/0");
    EXPECT_EQ(gui.DataType(), "29/0");
    EXPECT_EQ(gui.Required(), "54/0");
    EXPECT_EQ(gui.EventMask(), "99/0");
    EXPECT_EQ(gui.ColHeading(3), "32/3");
    EXPECT_EQ(gui.ColFieldType(1), "34/1");
    EXPECT_EQ(gui.ColDataType(2), "35/2");
    EXPECT_EQ(gui.ColWidth(4), "37/4");
    EXPECT_EQ(gui.ColAlign(5), "38/5");
    EXPECT_EQ(gui.ColSizable(6), "63/6");
}

TEST(clsGUIObject, WritesOnlyTheExtension)
{
    FakeSource source;
    clsGUIObject object(&source);
    cvGUIObject &gui = object;
    gui.SetExtension("SiteA" + VM + "x");
    EXPECT_EQ(source.written, (std::map<int, QString>{{50, "SiteA" + VM + "x"}}));

    constexpr int readOnly = GuiErrors::ReadOnlyProperty;
    EXPECT_EQ(ErrorOf([&] { gui.SetObjectType("15"); }), readOnly);
    EXPECT_EQ(ErrorOf([&] { gui.SetID("X"); }), readOnly);
    EXPECT_EQ(ErrorOf([&] { gui.SetLeft("1"); }), readOnly);
    EXPECT_EQ(ErrorOf([&] { gui.SetEventMask("1"); }), readOnly);
    EXPECT_EQ(ErrorOf([&] { gui.SetColWidth(1, "1"); }), readOnly);
    EXPECT_EQ(source.written.size(), 1u);

    constexpr int notImplemented = GuiErrors::NotImplemented;
    EXPECT_EQ(ErrorOf([&] { gui.Caption(); }), notImplemented);
    EXPECT_EQ(ErrorOf([&] { gui.SetCaption("x"); }), notImplemented);
    EXPECT_EQ(ErrorOf([&] { gui.FontUnderline(); }), notImplemented);
    EXPECT_EQ(ErrorOf([&] { gui.SetBackColor("0"); }), notImplemented);
    EXPECT_EQ(ErrorOf([&] { gui.ColHint(1); }), notImplemented);
    EXPECT_EQ(ErrorOf([&] { gui.SetColItems(1, "x"); }), notImplemented);
    EXPECT_EQ(ErrorOf([&] { gui.WindowState(); }), notImplemented);
    EXPECT_EQ(source.written.size(), 1u);
}

TEST(clsGUIObject, WithoutSourceRaisesObjectNotSet)
{
    clsGUIObject object;
    EXPECT_EQ(ErrorOf([&] { object.Left(); }), GuiErrors::ObjectNotSet);
    EXPECT_EQ(ErrorOf([&] { object.SetExtension("x"); }), GuiErrors::ObjectNotSet);
    EXPECT_EQ(ErrorOf([&] { object.SetLeft("1"); }), GuiErrors::ReadOnlyProperty);
}
