// Loading project texts: validation and version checks, the record loop, the duplicate-ID
// dialog and rename list, the error table, and the "auto" position written as -100000000.
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "app/ProjectLoader.h"
#include "model/cAppWrapper.h"
#include "model/clsControl.h"
#include "model/PlainFormFactory.h"
#include "model/iFormFuncs.h"
#include "support/GuiError.h"

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
struct Fixture : DesignerStack
{
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

// Whether a load goes on after a record it cannot use, what it reports, and what stands after
// it. (Each error that lets the load go on is tried on its own below.)
TEST(ProjectLoader, ErrorTableDecidesWhetherTheLoadGoesOn)
{
    const struct {
        const char *what;
        QStringList body;
        bool loads;
        const char *report; // start of the one report, "" for none
        const char *present, *absent;
    } rows[] = {
        // Passed over with its properties, which do not land on the object before it.
        {"control of a missing form",
         {Create("APP*F1", 5), Prop(22, "mine"), Create("APP*NOFORM*T", 16), Prop(22, "orphan"),
          Create("APP*F1*T", 16)},
         true, "Invalid Form or Parent ID", "APP*F1*T", "APP*NOFORM*T"},
        // Stops; what was loaded stays.
        {"unknown function", {Create("APP*F1", 5), Record({"7", "x"}), Create("APP*F2", 5)}, false,
         "Invalid function in project or macro", "APP*F1", "APP*F2"},
        {"property of a missing object", {Prop(22, "x", "APP*GHOST"), Create("APP*F1", 5)}, false,
         "Object ID is missing or invalid", "APP", "APP*F1"},
        {"not a function record", {Record({"remark", "x"}), Create("APP*F1", 5)}, true, "", "APP*F1", "APP*F2"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        Fixture f;
        EXPECT_EQ(f.Load(Project(QStringList{MinimalApp()} + row.body)), row.loads);
        EXPECT_EQ(f.designer.LastLoad().Stopped, !row.loads);
        const auto reports = f.Reports();
        ASSERT_EQ(reports.size(), *row.report ? 1u : 0u);
        if (*row.report)
            EXPECT_TRUE(reports[0].startsWith(row.report)) << qPrintable(reports[0]);
        EXPECT_TRUE(f.items.Find(row.present));
        EXPECT_FALSE(f.items.Find(row.absent));
        if (f.items.Find("APP*F1") && row.loads)
            EXPECT_NE(f.items.Find("APP*F1")->GetProperty(22), "orphan");
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

namespace {
// A design form that raises the error a caption names ("RAISE 53"), so the loader meets
// every kind of error a wrapper can give while a record is replayed.
class RaisingForm final : public iFormFuncs
{
public:
    explicit RaisingForm(std::unique_ptr<iFormFuncs> inner) : m_inner(std::move(inner)) {}
    iControlWrapper *Wrapper() const override { return m_inner->Wrapper(); }
    void SetWrapper(iControlWrapper *wrapper) override { m_inner->SetWrapper(wrapper); }
    iDesignControl *CreateControlInstance(int type) override { return m_inner->CreateControlInstance(type); }
    void DeleteControlInstance(int type, iDesignControl *control) override
    {
        m_inner->DeleteControlInstance(type, control);
    }
    iDesignControl *Surface() override { return m_inner->Surface(); }
    iDesignControl *MenuControl() override { return m_inner->MenuControl(); }
    QString Title() const override { return m_inner->Title(); }
    void SetTitle(const QString &title) override
    {
        if (title.startsWith("RAISE "))
            throw GuiError(title.mid(6).toInt());
        m_inner->SetTitle(title);
    }
    int InsetLeft() const override { return m_inner->InsetLeft(); }
    int InsetTop() const override { return m_inner->InsetTop(); }
    int InsetRight() const override { return m_inner->InsetRight(); }
    int InsetBottom() const override { return m_inner->InsetBottom(); }
    void SetInsets(int l, int t, int r, int b) override { m_inner->SetInsets(l, t, r, b); }
    void RefreshBackground() override { m_inner->RefreshBackground(); }
    void SetMdi(bool mdi) override { m_inner->SetMdi(mdi); }
    iItemSizer *CreateSizer() override { return m_inner->CreateSizer(); }
    void DeleteSizer(iItemSizer *sizer) override { m_inner->DeleteSizer(sizer); }

private:
    std::unique_ptr<iFormFuncs> m_inner;
};

class RaisingFactory final : public iFormFactory
{
public:
    std::unique_ptr<iFormFuncs> CreateDesignForm(clsControl &owner, int type) override
    {
        return std::make_unique<RaisingForm>(m_plain.CreateDesignForm(owner, type));
    }

private:
    PlainFormFactory m_plain;
};
} // namespace

// One case per error after which loading goes on: it is reported as a notice and the records
// after it still load. Any other error is a warning and ends the load.
TEST(ProjectLoader, EveryErrorOfTheGoOnListLetsLaterRecordsLoad)
{
    struct Case
    {
        int error;
        bool goesOn;
    };
    const Case cases[] = {
        {GuiErrors::InvalidPropertyValue, true}, {GuiErrors::FileNotFound, true},
        {GuiErrors::SubscriptOutOfRange, true},  {GuiErrors::InvalidFormOrParent, true},
        {GuiErrors::MethodConverted, true},      {GuiErrors::MethodIgnored, true},
        {GuiErrors::CreateFailed, false},        {GuiErrors::NotSupported, false},
        {GuiErrors::InvalidPropValue, false},
    };
    for (const Case &c : cases) {
        RaisingFactory factory;
        Fixture f;
        f.items.SetFormFactory(&factory);
        f.Load(Project({MinimalApp(), Create("APP*F1", 5),
                        Prop(22, QString("RAISE %1").arg(c.error)), Create("APP*F1*T", 15),
                        Prop(22, "after")}));
        const auto reports = f.Reports();
        ASSERT_EQ(reports.size(), 1u)
            << c.error << ": " << qPrintable(QStringList(reports.begin(), reports.end()).join(" / "));
        EXPECT_EQ(f.prompter.Calls[0].Icon,
                  c.goesOn ? MessageIcon::Information : MessageIcon::Exclamation)
            << c.error;
        EXPECT_EQ(f.designer.LastLoad().Stopped, !c.goesOn) << c.error;
        const clsControl *later = f.items.Find("APP*F1*T");
        EXPECT_EQ(later != nullptr, c.goesOn) << c.error;
        if (later)
            EXPECT_EQ(later->GetProperty(22), "after");
    }
}

// The version and scale limits at their edges: the lowest and highest accepted values and
// one beyond each. Versions are read in tenths, rounded; an older one is a notice, and the
// project loads on and keeps its version and scale.
TEST(ProjectLoader, VersionAndScaleEdges)
{
    struct Case
    {
        const char *version, *scale;
        bool loads;
        const char *report; // start of the one report, "" for none
    };
    const Case cases[] = {
        {"0.96", "0", true, "Version of project is older"},
        {"0.94", "0", false, "Project or macro specifies"},
        {"1.4", "0", true, ""},
        {"1.44", "7", true, ""},
        {"1.46", "0", false, "Version of project is newer"},
        {"10.04", "0", false, "Version of project is newer"},
        {"10.06", "0", false, "Project or macro specifies"},
        {"1.4", "8", false, "The scale unit specified"},
        {"1.4", "-1", false, "The scale unit specified"},
        {"1.3", "7", true, "Version of project is older"},
        {"1.3", "8", false, "The scale unit specified"},
        {"abc", "0", false, "Project or macro specifies"},
        {"1.4", "x", false, "The scale unit specified"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.version) + " " + c.scale);
        Fixture f;
        EXPECT_EQ(f.Load(Project({MinimalApp(), Create("APP*F1", 5)}, c.version, c.scale)), c.loads);
        const auto reports = f.Reports();
        if (QString(c.report).isEmpty()) {
            EXPECT_TRUE(reports.empty());
        } else {
            ASSERT_EQ(reports.size(), 1u);
            EXPECT_TRUE(reports[0].startsWith(c.report)) << qPrintable(reports[0]);
            EXPECT_EQ(f.prompter.Calls[0].Icon, c.loads ? MessageIcon::Information : MessageIcon::Exclamation);
        }
        EXPECT_EQ(f.items.Find("APP*F1") != nullptr, c.loads);
        if (!c.loads) {
            EXPECT_EQ(f.items.Count(), 1) << "nothing is created after the header";
            continue;
        }
        const clsControl *app = f.items.Find("APP");
        EXPECT_EQ(dynamic_cast<cAppWrapper *>(app->Wrapper())->ProjectVersion(),
                  qRound(QString(c.version).toDouble() * 10));
        EXPECT_EQ(app->GetProperty(7), c.scale);
    }
}

// A project with 20,000 nested frames has a refused record for every frame past the depth
// limit. The first ten reports come one by one; from the eleventh the user may go on without
// messages (the rest come in one list at the end), stop the load, or go on seeing each one,
// which is what the command line's prompter does.
TEST(ProjectLoader, ManyReportsOfferAWayOut)
{
    constexpr int Frames = 20000;
    QStringList body{MinimalApp(), Create("APP*F1", 5), Create("APP*F1*FR1", 26)};
    for (int n = 2; n <= Frames; ++n)
        body << Create(QString("APP*F1*FR%1").arg(n), 26, QString("FR%1").arg(n - 1));
    body << Create("APP*F1*AFTER", 16);
    const QString text = Project(body);
    constexpr int Refused = Frames - ProjectLoader::MaxContainerDepth;
    constexpr int OneByOne = ProjectLoader::ReportsBeforeWayOut;
    using LoadChoice = iPrompter::LoadReportChoice;
    using Kind = ScriptedPrompter::Kind;

    struct Case
    {
        LoadChoice choice;
        size_t reports; // shown one by one, the one with the way out included
        int listed;     // in the list at the end
        bool after;     // the control after the frames was loaded
    };
    const Case cases[] = {
        {LoadChoice::Quiet, OneByOne + 1, Refused - OneByOne - 1, true},
        {LoadChoice::Stop, OneByOne + 1, 0, false},
        {LoadChoice::Show, Refused, 0, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.choice));
        Fixture f;
        for (int n = 0; n < Refused; ++n)
            f.prompter.LoadReportChoices.push_back(c.choice);
        f.Load(text);
        const auto reports = f.prompter.Of(Kind::Report);
        ASSERT_EQ(reports.size(), c.reports);
        EXPECT_FALSE(reports[OneByOne - 1].WayOut);
        EXPECT_TRUE(reports[OneByOne].WayOut);
        EXPECT_EQ(f.designer.LastLoad().Stopped, c.choice == LoadChoice::Stop);
        EXPECT_EQ(f.designer.LastLoad().Reports, c.choice == LoadChoice::Stop ? OneByOne + 1 : Refused);
        EXPECT_EQ(f.items.Find("APP*F1*AFTER") != nullptr, c.after);
        const auto lists = f.prompter.Of(Kind::ReportList);
        ASSERT_EQ(lists.size(), c.listed ? 1u : 0u);
        if (c.listed) {
            EXPECT_EQ(lists[0].Text, QString("%1 more problems were found while loading:").arg(c.listed));
            ASSERT_EQ(lists[0].List.size(), c.listed);
            EXPECT_TRUE(lists[0].List.front().startsWith("Invalid Form or Parent ID"));
            EXPECT_TRUE(lists[0].List.back().endsWith(QString("Control=FR%1").arg(Frames)));
            EXPECT_EQ(lists[0].Icon, MessageIcon::Information);
        }
    }
}
