// The composition root wires the ports it is given and its own stand-ins for the ones left
// out, answers Process() while it lives, and lets no call reach a port after Disconnect, even
// when projects are still open as it ends.
#include "LoaderTestSupport.h"
#include "RecordingPorts.h"
#include "app/DesignerRoot.h"
#include "testsupport/ScriptedPrompter.h"

#include <gtest/gtest.h>
#include <malloc.h>

using namespace LoaderText;

namespace {
std::unique_ptr<ProcessState> TestState()
{
    return std::make_unique<ProcessState>(QStringLiteral("/nonexistent/"));
}

QString Sample()
{
    return Project({MinimalApp(), Create("APP*F", 5), Create("APP*F*Label1", 15)});
}
} // namespace

TEST(DesignerRoot, WiresThePortsItIsGiven)
{
    ProcessState &outside = Process();
    ScriptedPrompter prompter;
    RecordingTree tree;
    RecordingCommandStates states;
    MemoryClipboard clipboard;
    {
        DesignerRoot root(TestState());
        EXPECT_EQ(&Process(), &root.State());
        DesignerPorts ports;
        ports.Prompter = &prompter;
        ports.ProjectTree = &tree;
        ports.CommandStates = &states;
        ports.Clipboard = &clipboard;
        root.Connect(ports);

        ASSERT_TRUE(root.Designer().SetTemplate(Sample()));
        EXPECT_EQ(tree.Filtered("add").size(), 3);
        EXPECT_EQ(states.Refreshes, 1) << "the loaded project is changed";
        ASSERT_TRUE(root.Designer().SelectItem("APP*F*Label1"));
        EXPECT_EQ(states.Refreshes, 2);
        ASSERT_TRUE(root.Edit().Copy());
        EXPECT_TRUE(clipboard.Text().startsWith("TEMPLATE"));
        ASSERT_TRUE(root.Edit().Delete());
        EXPECT_EQ(states.Caption, "Undo delete");
        EXPECT_EQ(tree.Calls.last(), "remove APP*F*Label1");

        // Without ports the root's own stand-ins serve: a clipboard in memory, no tree.
        root.Disconnect();
        const int calls = int(tree.Calls.size());
        root.Designer().SelectItem("APP*F");
        ASSERT_TRUE(root.Edit().Copy());
        ASSERT_TRUE(root.Edit().Delete());
        EXPECT_FALSE(root.Items().Contains("APP*F"));
        EXPECT_EQ(int(tree.Calls.size()), calls);
        EXPECT_EQ(clipboard.Writes(), 1);
        // Ending with the project open reaches no port either.
    }
    EXPECT_EQ(&Process(), &outside);
}

// Undo records name their objects by full ID: once a project is gone its records go too, so
// Undo neither reports a missing object nor reaches a project opened later under the same ID.
TEST(DesignerRoot, AProjectTakesItsUndoRecordsWithItWhenItGoes)
{
    DesignerRoot root(TestState());
    ScriptedPrompter prompter;
    RecordingCommandStates states;
    DesignerPorts ports;
    ports.Prompter = &prompter;
    ports.CommandStates = &states;
    root.Connect(ports);
    ASSERT_TRUE(root.Designer().SetTemplate(Sample()));
    ASSERT_TRUE(root.Designer().SetTemplate(Project(
        {Record({"2", "Other", "", "0", "0", "0", "80", "30", "1073741825"}),
         Create("Other*G", 5), Create("Other*G*Label1", 15)})));
    clsControl *mine = root.Items().Find("APP*F*Label1");
    clsControl *theirs = root.Items().Find("OTHER*G*LABEL1");
    ASSERT_TRUE(mine && theirs);
    ASSERT_TRUE(root.Edit().MoveItemTwips(*mine, 300, 300, std::nullopt, std::nullopt));
    ASSERT_TRUE(root.Edit().MoveItemTwips(*theirs, 600, 600, std::nullopt, std::nullopt));
    ASSERT_TRUE(root.Designer().SelectItem("APP*F*Label1"));
    ASSERT_TRUE(root.Edit().Cut()); // the record names the parent, APP*F
    ASSERT_TRUE(root.Designer().SelectItem("APP*F"));
    ASSERT_TRUE(root.Edit().Paste()); // the record names what was pasted
    ASSERT_EQ(root.Undo().Count(), 4);

    root.Designer().RemoveProject(*root.Items().Find("APP"));
    ASSERT_EQ(root.Undo().Count(), 1);
    EXPECT_EQ(root.Undo().Newest().First, "Other*G*Label1");
    EXPECT_EQ(states.Caption, "Undo move");
    EXPECT_TRUE(states.Enabled);
    EXPECT_TRUE(prompter.Calls.empty());

    root.Designer().RemoveProject(*root.Items().Find("OTHER"));
    EXPECT_EQ(root.Undo().Count(), 0);
    EXPECT_FALSE(states.Enabled);
    root.Disconnect();
}

// The command-line tool ends its process with its command: the projects are let go without
// deleting their objects. The registry and the project list are empty, no object's memory is
// given back, and the objects are still there after the root has ended.
TEST(DesignerRoot, ProjectsLetGoAsTheProcessEndsKeepTheirObjects)
{
    auto root = std::make_unique<DesignerRoot>(TestState());
    ScriptedPrompter prompter;
    DesignerPorts ports;
    ports.Prompter = &prompter;
    root->Connect(ports);
    QStringList records{MinimalApp(), Create("APP*F", 5)};
    for (int i = 1; i <= 100; ++i)
        records << Create(QStringLiteral("APP*F*Label%1").arg(i), 15);
    ASSERT_TRUE(root->Designer().SetTemplate(Project(records)));
    const clsControl *label = root->Items().Find("APP*F*Label1");
    ASSERT_TRUE(label);
    root->Designer().ForgetAll();
    EXPECT_TRUE(root->Designer().Projects().empty());
    EXPECT_TRUE(root->Items().Contains("APP*F*Label1"));
    const size_t inUse = mallinfo2().uordblks;
    root->Items().Abandon();
    EXPECT_GE(mallinfo2().uordblks + 4096, inUse) << "memory of the objects was given back";
    EXPECT_EQ(root->Items().Count(), 0);
    EXPECT_FALSE(root->Items().Find("APP"));
    root.reset();
    EXPECT_EQ(label->ID(), "Label1");
}
