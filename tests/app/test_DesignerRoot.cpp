// The composition root wires the ports it is given and its own stand-ins for the ones left
// out, answers Process() while it lives, and lets no call reach a port after Disconnect, even
// when projects are still open as it ends.
#include "LoaderTestSupport.h"
#include "RecordingPorts.h"
#include "app/DesignerRoot.h"
#include "app/ScriptedPrompter.h"

#include <gtest/gtest.h>

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
        ASSERT_TRUE(root.Designer().SelectItem("APP*F*Label1"));
        EXPECT_EQ(states.Refreshes, 1);
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
