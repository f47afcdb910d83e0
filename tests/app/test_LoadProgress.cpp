// The progress of opening a document: the forms counted and reported as the load goes, and a
// Cancel at any point of a large load that leaves nothing open (no project, no items, no
// record lock, nothing on the recent list) so that the next open of the same document works.
#include "FileBytes.h"
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "QueuedChooser.h"
#include "app/CommandLine.h"
#include "app/DocumentOpener.h"
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/iLoadProgress.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {

// Records what the load reports; answers Cancel at the report numbered CancelAt (1-based).
struct RecordingProgress : iLoadProgress
{
    int Total = -1, Begins = 0, Ends = 0, Reports = 0, CancelAt = 0;
    std::vector<int> Made;
    void Begin(int formsTotal) override
    {
        ++Begins;
        Total = formsTotal;
    }
    bool Advance(int formsMade) override
    {
        Made.push_back(formsMade);
        return ++Reports != CancelAt;
    }
    void End() override { ++Ends; }
};

QString Forms(int forms, int controlsPerForm)
{
    QStringList body{MinimalApp()};
    for (int f = 0; f < forms; ++f) {
        const QString form = QStringLiteral("APP*F%1").arg(f);
        body << Create(form, 5) << Prop(22, form);
        for (int c = 0; c < controlsPerForm; ++c)
            body << Create(form + QStringLiteral("*L%1").arg(c), 15) << Prop(22, "x");
    }
    return Project(body);
}

struct Designer : DesignerStack
{
    explicit Designer(ProcessState &state) : storage(designer, state)
    {
        storage.SetLoadProgress(&progress);
    }
    DocumentStorage storage;
    RecordingProgress progress;
};

struct LoadProgressTest : ::testing::Test
{
    QTemporaryDir dir;
    ProcessState state{dir.path()};
    QueuedChooser chooser;
    void SetUp() override
    {
        state.Connection.SetChooser(&chooser);
        state.Settings.RecordLocking = true;
    }
    QString Write(const QString &name, const QString &text)
    {
        const QString path = dir.filePath(name);
        PutFileBytes(path, DocumentStorage::ToStoredForm(text).toUtf8());
        return path;
    }
};
} // namespace

TEST_F(LoadProgressTest, ReportsFormsMadeOfFormsTotalAndEndsOnce)
{
    struct Case { const char *name; QString text; int forms; int leastReports; };
    const Case cases[] = {
        {"no forms", Project({MinimalApp()}), 0, 0},
        {"forms", Forms(5, 2), 5, 5},
        // A form of very many controls still reports now and then.
        {"one big form", Forms(1, 2000), 1, 10},
        // Property records that name a form type are not forms.
        {"not a create", Project({MinimalApp(), Create("APP*F", 5), Record({"4", "", "5", "", "", "5"})}), 1, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Designer d(state);
        const DocumentStorage::OpenResult result =
            d.storage.OpenByName(Write(QString(c.name) + ".gui", c.text));
        EXPECT_TRUE(result.Success);
        EXPECT_FALSE(result.Cancelled);
        EXPECT_EQ(d.progress.Begins, 1);
        EXPECT_EQ(d.progress.Ends, 1);
        EXPECT_EQ(d.progress.Total, c.forms);
        EXPECT_GE(int(d.progress.Made.size()), c.leastReports);
        EXPECT_TRUE(std::is_sorted(d.progress.Made.begin(), d.progress.Made.end()));
        if (!d.progress.Made.empty())
            EXPECT_LE(d.progress.Made.back(), c.forms);
        d.designer.ReleaseAll();
    }

    // Pasting and the editor's automation load without it.
    Designer d(state);
    d.designer.SetTemplate(Forms(3, 1));
    EXPECT_EQ(d.progress.Begins, 0);
}

TEST_F(LoadProgressTest, CancelAtAnyPointLeavesNothingOpenAndTheNextOpenWorks)
{
    const QString path = Write("big.gui", Forms(200, 3));
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    Designer d(state);
    for (int round = 0; round < 12; ++round) {
        // Cancel at the first report, the last and anywhere between; by File > Open, from
        // the recent list's neighbour (by name) and from the command line.
        const int at = round == 0 ? 1 : round == 1 ? 200 : 1 + int(random.bounded(200));
        SCOPED_TRACE(testing::Message() << "cancel at report " << at << " round " << round);
        d.progress = {};
        d.progress.CancelAt = at;
        state.Settings.RecentList.Clear();
        if (round % 3 == 0) {
            chooser.Names = {path};
            EXPECT_FALSE(d.storage.FileOpen());
        } else if (round % 3 == 1) {
            const DocumentStorage::OpenResult result = d.storage.OpenByName(path);
            EXPECT_TRUE(result.Cancelled);
            EXPECT_FALSE(result.Success);
            EXPECT_FALSE(result.App);
        } else {
            DocumentOpener opener(d.storage, state, d.prompter);
            ParseCmdLine(path, state, opener);
        }
        EXPECT_EQ(d.progress.Ends, 1);
        EXPECT_TRUE(d.designer.Projects().empty());
        EXPECT_EQ(d.items.Count(), 1); // the root alone
        EXPECT_EQ(state.Settings.RecentList.ListCount(), 0);
        EXPECT_TRUE(d.prompter.Calls.empty()) << d.prompter.Calls.front().Text.toStdString();

        // The lock went with the document: another designer opens it without a question.
        Designer other(state);
        other.storage.SetLoadProgress(nullptr);
        ASSERT_TRUE(other.storage.OpenByName(path).Success);
        EXPECT_TRUE(other.prompter.Calls.empty());
        other.designer.ReleaseAll();
    }
    // And the same designer opens the whole project.
    d.progress = {};
    const DocumentStorage::OpenResult result = d.storage.OpenByName(path);
    ASSERT_TRUE(result.Success);
    EXPECT_FALSE(result.Partial);
    EXPECT_TRUE(d.items.Find("APP*F199*L2"));
    d.designer.ReleaseAll();
}

// Recovered work loads with the same progress: a Cancel leaves nothing open (the work stays
// where autosave keeps it) and the next recovery loads it whole.
TEST_F(LoadProgressTest, ARecoveryLoadReportsAndCancelsLikeAnOpen)
{
    const QString stored = DocumentStorage::ToStoredForm(Forms(50, 2));
    Designer d(state);
    d.progress.CancelAt = 20;
    DocumentStorage::OpenResult result = d.storage.OpenRecovered(stored, QString());
    EXPECT_TRUE(result.Cancelled);
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(d.progress.Total, 50);
    EXPECT_EQ(d.progress.Ends, 1);
    EXPECT_TRUE(d.designer.Projects().empty());
    EXPECT_EQ(d.items.Count(), 1);
    d.progress = {};
    result = d.storage.OpenRecovered(stored, QString());
    EXPECT_TRUE(result.Success);
    EXPECT_EQ(int(d.progress.Made.size()), 50);
    ASSERT_EQ(d.designer.Projects().size(), 1u);
    EXPECT_TRUE(d.designer.Projects().front()->Changed);
}
