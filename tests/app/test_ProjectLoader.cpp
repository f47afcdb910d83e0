// Loading project texts: validation and version checks, the record loop, the duplicate-ID
// dialog and rename list, the error table, and the "auto" position written as -100000000.
#include "LoaderTestSupport.h"
#include "app/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
struct Fixture
{
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer{items, &prompter};

    bool Load(const QString &text) { return designer.SetTemplate(text); }
    std::vector<QString> Reports() const { return prompter.ReportTexts(); }
};
using Dup = iPrompter::DuplicateIdAnswer;
using Choice = decltype(Dup{}.Choice);
} // namespace

TEST(ProjectLoader, RejectsTextsThatAreNoProject)
{
    Fixture f;
    EXPECT_FALSE(f.Load("PROGRAM X" + QString(QChar(Marks::Attribute)) + "CRT 1"));
    ASSERT_EQ(f.Reports().size(), 1u);
    EXPECT_EQ(f.Reports()[0], "Project or macro specifies an invalid version or is corrupt or invalid\n"
                              "Make sure you are opening a GUI project, not a program.\n\n"
                              "Source = <clsDesigner SetTemplate>");
    EXPECT_EQ(f.prompter.Calls[0].Icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.items.Count(), 1);

    // A macro in lower case is accepted.
    Fixture g;
    QString macro = Project({MinimalApp()});
    macro.replace(0, 8, "macro");
    EXPECT_TRUE(g.Load(macro));
    EXPECT_TRUE(g.items.Find("APP"));
}

TEST(ProjectLoader, VersionAndScaleChecks)
{
    {
        // An older version is a notice; the project loads and keeps its version.
        Fixture f;
        EXPECT_TRUE(f.Load(Project({MinimalApp(), Create("APP*F1", 5)}, "1.3", "1")));
        ASSERT_EQ(f.Reports().size(), 1u);
        EXPECT_TRUE(f.Reports()[0].startsWith("Version of project is older"));
        EXPECT_EQ(f.prompter.Calls[0].Icon, MessageIcon::Information);
        clsControl *app = f.items.Find("APP");
        ASSERT_TRUE(app);
        EXPECT_EQ(dynamic_cast<cAppWrapper *>(app->Wrapper())->ProjectVersion(), 13);
        EXPECT_EQ(app->GetProperty(7), "1");
        EXPECT_TRUE(f.items.Find("APP*F1"));
    }
    struct Case { const char *version; const char *scale; const char *start; };
    for (const Case c : {Case{"1.5", "0", "Version of project is newer"},
                         Case{"0.9", "0", "Project or macro specifies"},
                         Case{"10.1", "0", "Project or macro specifies"},
                         Case{"abc", "0", "Project or macro specifies"},
                         Case{"1.4", "8", "The scale unit specified"},
                         Case{"1.4", "x", "The scale unit specified"}}) {
        Fixture f;
        EXPECT_FALSE(f.Load(Project({MinimalApp()}, c.version, c.scale))) << c.version;
        ASSERT_EQ(f.Reports().size(), 1u) << c.version;
        EXPECT_TRUE(f.Reports()[0].startsWith(c.start)) << qPrintable(f.Reports()[0]);
        EXPECT_EQ(f.items.Count(), 1) << "nothing is created after the header";
    }
}

TEST(ProjectLoader, PropertyRecordsReachTheirObjects)
{
    Fixture f;
    const QString list = QStringList({"a", "b", "c"}).join(QChar(Marks::Value));
    EXPECT_TRUE(f.Load(Project({MinimalApp(), Create("APP*F1", 5), Prop(22, "Form caption"),
                                Create("APP*F1*L", 21), Prop(26, list),
                                Prop(22, "Named", "APP*F1")})));
    EXPECT_TRUE(f.Reports().empty());
    EXPECT_EQ(f.items.Find("APP*F1")->GetProperty(22), "Named");
    EXPECT_EQ(f.items.Find("APP*F1*L")->GetProperty(26), list);
}

TEST(ProjectLoader, CodesWithSignsBlanksOrLeadingZerosAreRead)
{
    // Plain digits are read by a shortcut; everything else the general reading still takes.
    Fixture f;
    EXPECT_TRUE(f.Load(Project({MinimalApp(), Create("APP*F1", 5),
                                Record({"2", "APP*F1*A", "", " 18 ", "1", "1", "10", "2", "+32"}),
                                Record({"4", "", "0022", "", "", "Padded"}),
                                Record({"2", "APP*F1*B", "", "+18", "1", "1", "10", "2", "0"}),
                                Record({"4", "", "22", " 0 ", "", "Blank index"})})));
    EXPECT_TRUE(f.Reports().empty());
    const clsControl *a = f.items.Find("APP*F1*A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->ObjType(), 18);
    EXPECT_EQ(a->EventMask(), 32);
    EXPECT_EQ(a->GetProperty(22), "Padded");
    ASSERT_NE(f.items.Find("APP*F1*B"), nullptr);
    EXPECT_EQ(f.items.Find("APP*F1*B")->GetProperty(22), "Blank index");

    // A code too long for a whole number is no code.
    Fixture g;
    g.Load(Project({MinimalApp(), Record({"4", "", "99999999999", "", "", "x"})}));
    ASSERT_EQ(g.Reports().size(), 1u);
}

TEST(ProjectLoader, AutoPositionSurvivesTheRoundTrip)
{
    Fixture f;
    ASSERT_TRUE(f.Load(Project({MinimalApp(), Create("APP*F1", 5, {}, "auto", "auto"),
                                Create("APP*F2", 5, {}, "-100000000", "3")})));
    EXPECT_TRUE(f.Reports().empty());
    const clsControl *f1 = f.items.Find("APP*F1");
    EXPECT_TRUE(f1->AutoLeft());
    EXPECT_TRUE(f1->AutoTop());
    EXPECT_TRUE(f.items.Find("APP*F2")->AutoLeft());
    EXPECT_FALSE(f.items.Find("APP*F2")->AutoTop());

    // Written as -100000000 and read back as "auto", as often as it goes round.
    const QString once = f.designer.GetTemplate("APP", {}, 0);
    EXPECT_TRUE(once.contains(Create("APP*F1", 5, {}, "-100000000", "-100000000").left(30)));
    Fixture g;
    ASSERT_TRUE(g.Load(once));
    EXPECT_TRUE(g.Reports().empty());
    EXPECT_TRUE(g.items.Find("APP*F1")->AutoLeft());
    EXPECT_EQ(g.designer.GetTemplate("APP", {}, 0).section(QChar(Marks::Attribute), 1),
              once.section(QChar(Marks::Attribute), 1));
}

TEST(ProjectLoader, MethodRecordsAreConvertedOrIgnored)
{
    Fixture f;
    const QString hide = Record({"6", "", "3"});
    const QString help = Record({"6", "", "11"});
    const QString move = Record({"6", "", "9", "5", "6", QStringList({"20", "3"}).join(QChar(Marks::Value))});
    EXPECT_TRUE(f.Load(Project({MinimalApp(), Create("APP*F1", 5), hide, help,
                                Create("APP*F1*C", 18), move, Prop(22, "after")})));
    const auto reports = f.Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "Method found in project or macro - converted to property setting\n\n"
                          "App=APP, Form=F1\nMethod=Hide");
    EXPECT_TRUE(reports[1].endsWith("Method=Help"));
    EXPECT_EQ(f.items.Find("APP*F1")->GetProperty(9), "0");
    clsControl *c = f.items.Find("APP*F1*C");
    EXPECT_EQ(c->GetProperty(2), "5");
    EXPECT_EQ(c->GetProperty(4), "20");
    EXPECT_EQ(c->GetProperty(22), "after");
}

TEST(ProjectLoader, ErrorTableDecidesWhetherTheLoadGoesOn)
{
    {
        // An invalid value is a notice; the next records still load.
        Fixture f;
        EXPECT_TRUE(f.Load(Project({MinimalApp(), Create("APP*F1", 5), Prop(14, "not a colour"),
                                    Create("APP*F1*T", 16)})));
        ASSERT_EQ(f.Reports().size(), 1u);
        EXPECT_TRUE(f.Reports()[0].endsWith("App=APP, Form=F1"));
        EXPECT_TRUE(f.items.Find("APP*F1*T"));
    }
    {
        // A control whose form is missing is passed over with its properties; they do not
        // land on the object before it.
        Fixture f;
        EXPECT_TRUE(f.Load(Project({MinimalApp(), Create("APP*F1", 5), Prop(22, "mine"),
                                    Create("APP*NOFORM*T", 16), Prop(22, "orphan"),
                                    Create("APP*F1*T", 16)})));
        ASSERT_EQ(f.Reports().size(), 1u);
        EXPECT_TRUE(f.Reports()[0].startsWith("Invalid Form or Parent ID"));
        EXPECT_EQ(f.items.Find("APP*F1")->GetProperty(22), "mine");
        EXPECT_TRUE(f.items.Find("APP*F1*T"));
    }
    {
        // An unknown function stops; what was loaded stays.
        Fixture f;
        EXPECT_FALSE(f.Load(Project({MinimalApp(), Create("APP*F1", 5), Record({"7", "x"}),
                                     Create("APP*F2", 5)})));
        ASSERT_EQ(f.Reports().size(), 1u);
        EXPECT_TRUE(f.Reports()[0].startsWith("Invalid function in project or macro"));
        EXPECT_TRUE(f.designer.LastLoad().Stopped);
        EXPECT_TRUE(f.items.Find("APP*F1"));
        EXPECT_FALSE(f.items.Find("APP*F2"));
    }
    {
        // A property for a missing object stops with 5004.
        Fixture f;
        EXPECT_FALSE(f.Load(Project({MinimalApp(), Prop(22, "x", "APP*GHOST"), Create("APP*F1", 5)})));
        ASSERT_EQ(f.Reports().size(), 1u);
        EXPECT_TRUE(f.Reports()[0].startsWith("Object ID is missing or invalid"));
        EXPECT_FALSE(f.items.Find("APP*F1"));
    }
    {
        // Records that are not function records are ignored.
        Fixture f;
        EXPECT_TRUE(f.Load(Project({MinimalApp(), Record({"remark", "x"}), Create("APP*F1", 5)})));
        EXPECT_TRUE(f.Reports().empty());
    }
}

TEST(ProjectLoader, DuplicateIdDialog)
{
    const QString text = Project({MinimalApp(), Create("APP*F1", 5), Create("APP*F1*A", 15),
                                  Create("APP*F1*A", 15), Prop(22, "second"), Create("APP*F1*B", 15)});
    {
        // Skip leaves the duplicate out; the records after it are read.
        Fixture f;
        f.prompter.DuplicateAnswers.push_back({Choice::Skip, {}});
        EXPECT_TRUE(f.Load(text));
        const auto dialogs = f.prompter.Of(ScriptedPrompter::Kind::DuplicateId);
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0].Text, "Duplicate Control ID encountered while loading file. Please enter a "
                                   "new ID and click OK to continue, Skip to bypass this item or Cancel "
                                   "to quit loading file.");
        EXPECT_EQ(dialogs[0].Duplicate.Label, "Control &ID");
        EXPECT_EQ(dialogs[0].Duplicate.AppId, "APP");
        EXPECT_EQ(dialogs[0].Duplicate.FormId, "F1");
        EXPECT_TRUE(f.Reports().empty());
        EXPECT_EQ(f.items.Find("APP*F1*A")->GetProperty(22), QString("")) << "the skipped one's property";
        EXPECT_TRUE(f.items.Find("APP*F1*B"));
    }
    {
        // OK renames; the new ID takes the object's records.
        Fixture f;
        f.prompter.DuplicateAnswers.push_back({Choice::Ok, "A2"});
        EXPECT_TRUE(f.Load(text));
        ASSERT_TRUE(f.items.Find("APP*F1*A2"));
        EXPECT_EQ(f.items.Find("APP*F1*A2")->GetProperty(22), "second");
    }
    {
        // Cancel stops without a report.
        Fixture f;
        EXPECT_TRUE(f.Load(text));
        EXPECT_TRUE(f.designer.LastLoad().Stopped);
        EXPECT_TRUE(f.Reports().empty());
        EXPECT_FALSE(f.items.Find("APP*F1*B"));
    }
}

TEST(ProjectLoader, RenamedApplicationCarriesItsForms)
{
    // The same project opened twice: the second gets a new application ID, and every path
    // below it follows the rename.
    Fixture f;
    const QString text = Project({MinimalApp(), Create("APP*F1", 5), Create("APP*F1*FR", 26),
                                  Create("APP*F1*IN", 15, "FR"), Prop(22, "x", "APP*F1*IN")});
    ASSERT_TRUE(f.Load(text)) << qPrintable(f.Reports().front());
    f.prompter.DuplicateAnswers.push_back({Choice::Ok, "APP2"});
    EXPECT_TRUE(f.Load(text));
    EXPECT_TRUE(f.Reports().empty());
    const clsControl *inner = f.items.Find("APP2*F1*IN");
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->Parent(), f.items.Find("APP2*F1*FR"));
    EXPECT_EQ(inner->GetProperty(22), "x");
    EXPECT_EQ(f.prompter.Of(ScriptedPrompter::Kind::DuplicateId)[0].Duplicate.Label, "App &ID");
    EXPECT_EQ(f.designer.Projects().size(), 2u);

    // A missing own ID asks with "Missing".
    Fixture g;
    g.prompter.DuplicateAnswers.push_back({Choice::Ok, "NEWF"});
    EXPECT_TRUE(g.Load(Project({MinimalApp(), Create("APP*", 5)})));
    EXPECT_TRUE(g.prompter.Of(ScriptedPrompter::Kind::DuplicateId)[0].Text.startsWith("Missing Form ID"));
    EXPECT_TRUE(g.items.Find("APP*NEWF"));
}

TEST(ProjectLoader, RenameListMapsTheLongestRenamedPrefix)
{
    ProjectLoader::RenameList renames;
    renames.insert("APP", "NEW");
    renames.insert("APP*F1", "NEW*G1");
    renames.insert("APP*F2*X", "");
    bool skipped = false;
    EXPECT_EQ(ProjectLoader::MapPath(renames, "app*f1*c", skipped), "NEW*G1*c");
    EXPECT_EQ(ProjectLoader::MapPath(renames, "APP*F3", skipped), "NEW*F3");
    EXPECT_EQ(ProjectLoader::MapPath(renames, "OTHER*F1", skipped), "OTHER*F1");
    EXPECT_FALSE(skipped);
    EXPECT_EQ(ProjectLoader::MapPath(renames, "APP*F2*X", skipped), "");
    EXPECT_TRUE(skipped);
}
