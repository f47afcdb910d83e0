// The preview state machine against a recording runtime: the selection rule, the command
// texts and titles of every state, status lines and their ID/Property suffix, severity 3 and
// 5007 ending the preview, events listed until Close or Quit, the 2-second pause line, and
// results that arrive after the shut-down.
#include "code/clsPreview.h"

#include "testsupport/ScriptedPrompter.h"
#include "app/clsDesigner.h"
#include "model/clsItems.h"
#include "support/Marks.h"
#include "test_CodeGenSupport.h"

#include <gtest/gtest.h>
#include <deque>

using CodeGenTest::ProjectText;

namespace {
const QString VM = Marks::ValueMark();

// Records every command and answers from a queue; an empty queue answers "nothing yet".
class RecordingRuntime : public iGuiRuntime
{
public:
    std::vector<QString> *Commands = nullptr;
    std::deque<GuiResult> *Answers = nullptr;
    ResultHandler Handler;

    GuiResult Execute(const QString &command) override
    {
        Commands->push_back(command);
        if (Answers->empty())
            return {};
        GuiResult r = Answers->front();
        Answers->pop_front();
        return r;
    }
    void SetReturnResult(ResultHandler handler) override { Handler = std::move(handler); }
};

class RecordingFactory : public iGuiRuntimeFactory
{
public:
    std::vector<QString> Commands;
    std::deque<GuiResult> Answers;
    RecordingRuntime *Last = nullptr;
    bool Fail = false;
    QString ClassName;

    std::unique_ptr<iGuiRuntime> Create(const QString &className) override
    {
        ClassName = className;
        if (Fail)
            return nullptr;
        auto runtime = std::make_unique<RecordingRuntime>();
        runtime->Commands = &Commands;
        runtime->Answers = &Answers;
        Last = runtime.get();
        return runtime;
    }
};

GuiResult Ok()
{
    GuiResult r;
    r.Status << QStringList{"0", "", "", "", "0", ""};
    return r;
}

GuiResult Status(const QStringList &row)
{
    GuiResult r;
    r.Status << row;
    return r;
}

GuiResult Events(const QList<QStringList> &rows)
{
    GuiResult r;
    r.Events = rows;
    return r;
}

struct TitleWatcher : iPreviewView
{
    QStringList Titles;
    int Timer = 0;
    bool Shown = false;
    void TitleChanged(const QString &title) override { Titles << title; }
    void StartTimer(int ms) override { Timer = ms; }
    void ShowWindow() override { Shown = true; }
};

struct PreviewTest : ::testing::Test
{
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer{items, &prompter};
    RecordingFactory factory;
    double now = 100.0;
    clsPreview preview{designer, prompter, factory, [this] { return now; }};
    TitleWatcher view;

    void SetUp() override
    {
        preview.SetView(&view);
        ASSERT_TRUE(designer.SetTemplate(ProjectText()
                                             .Create("Shop", 1, 0x40000000)
                                             .Property(22, "Shop caption")
                                             .Create("Shop*Main", 6, 0x1)
                                             .Create("Shop*Main*Ok", 18, 0x20)
                                             .Create("Shop*Other", 6, 0x1)
                                             .Create("Shop*Other*No", 18, 0x20)
                                             .Text()));
    }
    // Starts the preview of Shop*Main up to the waiting state.
    void RunToWaiting()
    {
        factory.Answers = {Ok(), Ok(), Ok()};
        ASSERT_TRUE(preview.Preview(items.Find("SHOP*MAIN")));
        preview.StartupTimerTick();
        ASSERT_EQ(preview.CurrentState(), clsPreview::Waiting);
    }
};
} // namespace

TEST_F(PreviewTest, OnlyAFormSelectionStartsAPreview)
{
    for (const char *id : {"SHOP", "SHOP*MAIN*OK", ""}) {
        prompter.Clear();
        EXPECT_FALSE(preview.Preview(*id ? items.Find(id) : nullptr)) << id;
        ASSERT_EQ(prompter.Calls.size(), 1u);
        EXPECT_EQ(prompter.Calls[0].Text, "Please select a Form object in the project tree before "
                                          "clicking the Preview button.");
        EXPECT_EQ(prompter.Calls[0].Icon, MessageIcon::Exclamation);
    }
    EXPECT_TRUE(factory.ClassName.isEmpty()); // no runtime was made
    EXPECT_FALSE(view.Shown);

    // A runtime that cannot be created ends the command silently.
    prompter.Clear();
    factory.Fail = true;
    EXPECT_FALSE(preview.Preview(items.Find("SHOP*MAIN")));
    EXPECT_TRUE(prompter.Calls.empty());
    EXPECT_FALSE(view.Shown);
}

TEST_F(PreviewTest, WalksEveryStateWithItsCommandAndTitle)
{
    factory.Answers = {Ok(), Ok(), Ok()};
    ASSERT_TRUE(preview.Preview(items.Find("shop*main")));
    EXPECT_EQ(preview.Title(), "Preview initializing: Shop*Main");
    EXPECT_EQ(preview.CloseCaption(), "&Cancel");
    EXPECT_EQ(view.Timer, 50);
    EXPECT_TRUE(view.Shown);
    EXPECT_TRUE(factory.Commands.empty()); // nothing is sent before the timer ticks

    preview.StartupTimerTick();
    preview.StartupTimerTick(); // only the first tick counts
    ASSERT_EQ(factory.Commands.size(), 4u);
    EXPECT_EQ(factory.Commands[0], "1" + VM + "1.4");
    EXPECT_EQ(factory.Commands[1], "11" + VM + "2" + VM + preview.ProjectText());
    EXPECT_EQ(factory.Commands[2], "6" + VM + "Shop*Main" + VM + "2");
    EXPECT_EQ(factory.Commands[3], "7");
    EXPECT_EQ(view.Titles, (QStringList{"Preview initializing: Shop*Main", "Preview loading: Shop*Main",
                                        "Preview displaying: Shop*Main", "Preview running: Shop*Main"}));
    EXPECT_EQ(preview.CurrentState(), clsPreview::Waiting);
    EXPECT_TRUE(preview.Messages().isEmpty()); // severity 0 rows list nothing

    // The project text: the application without forms, its closing record replaced by the
    // previewed form's own text; the other form is left out.
    const QString text = preview.ProjectText();
    EXPECT_TRUE(text.contains("Shop*Main*Ok"));
    EXPECT_FALSE(text.contains("Shop*Other"));
    EXPECT_EQ(text.count("0" + VM + "-1"), 1);
    EXPECT_TRUE(text.endsWith("0" + VM + "-1"));
    EXPECT_TRUE(text.startsWith("TEMPLATE"));

    // The designer's project is untouched by a preview.
    EXPECT_NE(items.Find("SHOP*OTHER*NO"), nullptr);
}

TEST_F(PreviewTest, EventsAreListedUntilTheFormCloses)
{
    RunToWaiting();
    factory.Commands.clear();
    // Nothing queued: "7" again and wait; the rows come through ReturnResult.
    factory.Last->Handler(Events({{"Shop*Main*Ok", "32", ""}, {"Shop*Main*Ok", "32", "", "1", "x"}}));
    EXPECT_EQ(preview.Messages(), (QStringList{"Shop*Main*Ok - Click", "Shop*Main*Ok - Click (1,x)"}));
    EXPECT_EQ(factory.Commands, (std::vector<QString>{"7"}));

    // Three seconds later: an empty line first; within a second: none.
    now += 3;
    factory.Last->Handler(Events({{"Shop*Main*Ok", "64", ""}}));
    now += 0.5;
    factory.Last->Handler(Events({{"Shop*Main", "8", ""}}));
    EXPECT_EQ(preview.Messages().mid(2),
              (QStringList{"", "Shop*Main*Ok - Double Click", "Shop*Main - Activate"}));

    // A Close event ends the preview and shuts the runtime down.
    factory.Commands.clear();
    factory.Last->Handler(Events({{"Shop*Main", "1", ""}}));
    EXPECT_EQ(preview.Messages().last(), "Shop*Main - Close");
    EXPECT_EQ(factory.Commands, (std::vector<QString>{"99"}));
    EXPECT_EQ(preview.Title(), "Preview closed: Shop*Main");
    EXPECT_EQ(preview.CloseCaption(), "&Close");
    EXPECT_EQ(preview.CurrentState(), clsPreview::Idle);

    // Rows arriving after the shut-down are dropped; closing the window sends nothing more.
    factory.Last->Handler(Events({{"Shop*Main*Ok", "32", ""}}));
    preview.Close();
    EXPECT_EQ(preview.Messages().last(), "Shop*Main - Close");
    EXPECT_EQ(factory.Commands.size(), 1u);
}

TEST_F(PreviewTest, QuitEndsThePreviewAndCloseCancelsIt)
{
    RunToWaiting();
    factory.Last->Handler(Events({{"Shop", "1073741824", ""}}));
    EXPECT_EQ(preview.Messages(), QStringList{"Shop - Quit"});
    EXPECT_EQ(factory.Commands.back(), "99");
    EXPECT_EQ(preview.CurrentState(), clsPreview::Idle);

    // Cancel while waiting: "99" once, then the state is idle.
    RunToWaiting();
    factory.Commands.clear();
    preview.Close();
    preview.Close();
    EXPECT_EQ(factory.Commands, (std::vector<QString>{"99"}));

    // Cancel before the timer ticked: nothing was started, nothing to shut down.
    factory.Commands.clear();
    ASSERT_TRUE(preview.Preview(items.Find("SHOP*MAIN")));
    preview.Close();
    preview.StartupTimerTick();
    EXPECT_TRUE(factory.Commands.empty());
}

TEST_F(PreviewTest, StatusRowsAreListedAndSeverityThreeEndsThePreview)
{
    // Severity 1 and 2 are listed and the preview goes on.
    factory.Answers = {Status({"1", "", "Shop*Main*Ok", "22", "380", ""}),
                       Status({"2", "", "", "", "5012", "Own text"}), Ok()};
    ASSERT_TRUE(preview.Preview(items.Find("SHOP*MAIN")));
    preview.StartupTimerTick();
    EXPECT_EQ(preview.CurrentState(), clsPreview::Waiting);
    EXPECT_EQ(preview.Messages(),
              (QStringList{"Invalid property value (ID = Shop*Main*Ok, Property = Caption)",
                           "Own text"}));

    // 5007 counts as severity 3: the load ends the preview with its text.
    factory.Commands.clear();
    ASSERT_TRUE(preview.Preview(items.Find("SHOP*MAIN")));
    EXPECT_EQ(factory.Commands, std::vector<QString>{"99"}); // the earlier preview ended
    factory.Commands.clear();
    factory.Answers = {Ok(), Status({"1", "", "", "", "5007", ""})};
    preview.StartupTimerTick();
    EXPECT_EQ(preview.Messages(), QStringList{"No forms exist (or all forms are disabled)"});
    EXPECT_EQ(factory.Commands.back(), "99");
    EXPECT_EQ(factory.Commands.size(), 3u);
    EXPECT_EQ(preview.Title(), "Preview closed: Shop*Main");
    EXPECT_EQ(preview.CloseCaption(), "&Close");

    // A plain severity 3 at initialisation; an unknown code shows bare; property only.
    factory.Answers = {Status({"3", "", "", "17", "4711", ""})};
    ASSERT_TRUE(preview.Preview(items.Find("SHOP*MAIN")));
    preview.StartupTimerTick();
    EXPECT_EQ(preview.Messages(), QStringList{"4711 (Property = FontSize)"});
    EXPECT_EQ(preview.CurrentState(), clsPreview::Idle);

    preview.Clear();
    EXPECT_TRUE(preview.Messages().isEmpty());
}
