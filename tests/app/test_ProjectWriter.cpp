// The project writer: record order and fields, property records with list values, the
// application-only flag, the time of writing and the 5004 report for an unknown ID.
#include "EditStack.h"
#include "app/ProjectWriter.h"
#include "LoaderTestSupport.h"
#include "model/clsControl.h"
#include "support/GuiError.h"
#include "support/Marks.h"

#include <QDate>
#include <QStringList>

#include <gtest/gtest.h>

namespace {
const QChar AM(Marks::Attribute);
const QChar VM(Marks::Value);

QStringList Records(const QString &text) { return text.split(AM); }
QStringList Fields(const QString &record) { return record.split(VM); }
using Fixture = DesignerStack;
} // namespace

TEST(ProjectWriter, ApplicationAloneGivesFourRecordsInOrder)
{
    Fixture f;
    ASSERT_TRUE(f.designer.AddControl(0, "APP", {}, {}, {}, "40", "20"));
    const QStringList recs = Records(f.designer.GetTemplate("app", "head", 0));
    ASSERT_EQ(recs.size(), 4);
    const QStringList first = Fields(recs[0]);
    EXPECT_EQ(first.value(0), "TEMPLATE");
    EXPECT_EQ(first.value(2), "head");
    EXPECT_EQ(recs[1], QStringList({"0", "1.4", "0"}).join(VM));
    const QStringList create = Fields(recs[2]);
    ASSERT_EQ(create.size(), 9);
    EXPECT_EQ(create[0], "2");
    EXPECT_EQ(create[1], "APP");
    EXPECT_EQ(create[3], "0");
    EXPECT_EQ(create[6], "40");
    EXPECT_EQ(create[7], "20");
    EXPECT_EQ(recs[3], QStringList({"0", "-1"}).join(VM));
}

TEST(ProjectWriter, ObjectsDepthFirstWithContainerAndPropertyRecords)
{
    Fixture f;
    f.designer.AddControl(0, "APP", {}, {}, {}, {}, {});
    f.designer.AddControl(5, "APP*F1", {}, {}, {}, "30", "10");
    f.designer.AddControl(26, "APP*F1*FRA", {}, "1", "1", "10", "5");
    f.designer.AddControl(18, "APP*F1*CMD", "FRA", "1", "1", "5", "1");
    f.designer.AddControl(15, "APP*F1*LBL", {}, "12", "1", "5", "1");
    f.designer.AddControl(5, "APP*F2", {}, {}, {}, "30", "10");
    f.designer.SetProperty(22, "APP*F1*CMD", "Go");
    // A list value keeps its value marks: three entries land in fields 6, 7 and 8.
    f.designer.AddControl(21, "APP*F2*LST", {}, "1", "1", "10", "5");
    f.designer.SetProperty(26, "APP*F2*LST", QStringList({"a", "b", "c"}).join(VM));
    ASSERT_TRUE(f.prompter.Calls.empty()) << qPrintable(f.prompter.Calls[0].Text);

    const QStringList recs = Records(f.designer.GetTemplate("APP", {}, 0));
    QStringList creates;
    for (const QString &r : recs)
        if (r.startsWith("2" + QString(VM)))
            creates << Fields(r).value(1);
    EXPECT_EQ(creates, QStringList({"APP", "APP*F1", "APP*F1*FRA", "APP*F1*CMD", "APP*F1*LBL",
                                    "APP*F2", "APP*F2*LST"}));

    const qsizetype cmd = recs.indexOf(recs.filter("APP*F1*CMD").first());
    const QStringList cmdFields = Fields(recs[cmd]);
    EXPECT_EQ(cmdFields[2], "FRA");                       // parent is a container
    EXPECT_EQ(Fields(recs[cmd - 2]).value(2), QString()); // the frame sits on the form
    EXPECT_EQ(cmdFields[8], "32");                        // command buttons report Click
    EXPECT_EQ(recs[cmd + 1], QStringList({"4", "", "22", "", "", "Go"}).join(VM));

    const QString list = recs.filter(QStringList({"4", "", "26", "", "", "a"}).join(VM)).value(0);
    EXPECT_EQ(Fields(list).mid(5), QStringList({"a", "b", "c"}));
    // The event mask is in the create record, never as a property record.
    EXPECT_TRUE(recs.filter(QStringList({"4", "", "99"}).join(VM)).isEmpty());
}

// The application-only filter leaves out every form type (5 to 9) with its controls and keeps
// every bar type (75 to 78); only a flag above 0 filters.
TEST(ProjectWriter, ApplicationOnlyFilterCoversEveryFormAndBarType)
{
    Fixture f;
    f.designer.AddControl(0, "APP", {}, {}, {}, {}, {});
    for (int type = 5; type <= 9; ++type)
        f.designer.AddControl(type, QString("APP*FORM%1").arg(type), {}, {}, {}, {}, {});
    for (int type = 75; type <= 78; ++type)
        f.designer.AddControl(type, QString("APP**BAR%1").arg(type), {}, {}, {}, {}, {});
    f.designer.AddControl(16, "APP*FORM5*TXT", {}, {}, {}, {}, {});
    struct Case
    {
        int flag;
        bool forms;
    };
    for (const Case c : {Case{-1, true}, Case{0, true}, Case{1, false}, Case{2, false}}) {
        const QString text = f.designer.GetTemplate("APP", {}, c.flag);
        for (int type = 5; type <= 9; ++type)
            EXPECT_EQ(text.contains(QString("APP*FORM%1").arg(type)), c.forms)
                << "flag " << c.flag << " form type " << type;
        for (int type = 75; type <= 78; ++type)
            EXPECT_TRUE(text.contains(QString("APP**BAR%1").arg(type)))
                << "flag " << c.flag << " bar type " << type;
    }
    // A form on its own is written with its controls.
    EXPECT_TRUE(f.designer.GetTemplate("app*form5", {}, 0).contains("APP*FORM5*TXT"));
}

TEST(ProjectWriter, UnknownIdIsReportedAndGivesNothing)
{
    Fixture f;
    EXPECT_EQ(f.designer.GetTemplate("NOPE", {}, 0), QString());
    ASSERT_EQ(f.prompter.ReportTexts().size(), 1u);
    EXPECT_EQ(f.prompter.ReportTexts()[0],
              "Object ID is missing or invalid\n\nSource = <clsDesigner GetTemplate>");
    EXPECT_THROW(ProjectWriter::GetTemplate(f.items, "", {}, 0), GuiError);
}

TEST(ProjectWriter, TimeOfWritingIsADayNumberWithAPoint)
{
    EXPECT_EQ(ProjectWriter::DayNumber(QDateTime(QDate(2000, 1, 1), QTime(12, 0))), "36526.5");
    EXPECT_EQ(ProjectWriter::DayNumber(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), "0");
    EXPECT_EQ(ProjectWriter::DayNumber(QDateTime(QDate(2000, 1, 1), QTime(8, 0))), "36526.33333");

    // 2000-01-01 12:00 UTC; reproducible whatever the time zone.
    qputenv("SOURCE_DATE_EPOCH", "946728000");
    EXPECT_EQ(ProjectWriter::TimeOfWriting(), "36526.5");
    // Anything else is ignored: the time is now.
    qputenv("SOURCE_DATE_EPOCH", "not a number");
    const QString now = ProjectWriter::TimeOfWriting();
    const QString today = ProjectWriter::DayNumber(QDateTime::currentDateTime()).section('.', 0, 0);
    EXPECT_EQ(now.section('.', 0, 0), today);
    qunsetenv("SOURCE_DATE_EPOCH");

    EXPECT_EQ(ProjectWriter::VersionText(14), "1.4");
    EXPECT_EQ(ProjectWriter::VersionText(10), "1");
    EXPECT_EQ(ProjectWriter::VersionText(12), "1.2");
}

// A grid's column checks, heading-row and new-line switches and drop-down lists come back as
// they were stored; the forms older files use read and write as they always did.
TEST(ProjectWriter, GridSwitchesAndColumnChecksRoundTrip)
{
    const QString vm(VM), sv(QChar(Marks::SubValue));
    auto project = [&](const QStringList &gridProps) {
        QStringList body{LoaderText::MinimalApp(), LoaderText::Create("APP*F", 5),
                         LoaderText::Create("APP*F*G", 28)};
        return LoaderText::Project(body + gridProps);
    };
    auto written = [&](const QString &text) {
        Fixture f;
        EXPECT_TRUE(f.designer.SetTemplate(text));
        EXPECT_TRUE(f.prompter.Calls.empty());
        QStringList props;
        for (const QString &record : Records(f.designer.GetTemplate("APP", "hdr", 0)))
            if (record.startsWith("4" + vm) && Fields(record).value(1).isEmpty())
                props << record;
        return props;
    };
    using LoaderText::Prop;
    const QStringList fresh{Prop(27, "3"), Prop(12, "1" + vm + vm + "1"), Prop(51, "8" + vm + "20"),
                            Prop(54, "1"), Prop(97, "0"), Prop(98, "0"),
                            Prop(36, vm + "*DROPDOWN|2|Code|Size" + sv + "S|Small")};
    const QStringList out = written(project(fresh));
    for (const QString &record : fresh)
        EXPECT_TRUE(out.contains(record)) << qPrintable(QString(record).replace(vm, "]"));

    // Old forms: one value for the grid, spelled as the scalar accepted it.
    const QStringList old = written(project({Prop(27, "2"), Prop(12, "-1"), Prop(54, "True"), Prop(51, "08"),
                                             Prop(36, "A" + sv + "B"), Prop(12, "0")}));
    EXPECT_TRUE(old.contains(Prop(54, "1")));
    EXPECT_TRUE(old.contains(Prop(51, "8")));
    EXPECT_TRUE(old.contains(Prop(36, "A" + sv + "B")));
    for (const QString &record : old) // "0" in every column is nothing stored
        EXPECT_FALSE(Fields(record).value(2) == "12" || Fields(record).value(2) == "97") << qPrintable(record);
}
