// No error of a command escapes: the boundary reports GuiErrors, other exceptions and even
// a failing report, and the commands that run inside it give up cleanly when the design
// surface or the property sheet throws.
#include "LoaderTestSupport.h"
#include "app/DesignerRoot.h"
#include "app/ErrorBoundary.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/iCreateMode.h"
#include "model/PlainFormFactory.h"
#include "model/clsControl.h"
#include "model/iFormFuncs.h"
#include "support/GuiError.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace LoaderText;

namespace {
const QString Label = "<Test Command>";

struct ThrowingPrompter : ScriptedPrompter
{
    void Report(const ErrorReport &) override { throw std::runtime_error("no screen"); }
};

// Makes the applications' surfaces but no form window.
struct ThrowingFormFactory : iFormFactory
{
    PlainFormFactory plain;
    std::unique_ptr<iFormFuncs> CreateDesignForm(clsControl &owner, int type) override
    {
        if (type >= 5 && type <= 9)
            throw std::runtime_error("no display");
        return plain.CreateDesignForm(owner, type);
    }
};

struct ThrowingSheet : iCreateMode
{
    Outcome CreateApplication(const QString &) override { throw std::bad_alloc(); }
    Outcome CreateItem(const QString &, int, const QString &, clsControl *) override
    {
        throw GuiError(GuiErrors::CreateFailed);
    }
};
} // namespace

TEST(ErrorBoundary, EveryKindOfErrorIsReportedUnderItsLabel)
{
    ScriptedPrompter prompter;
    EXPECT_TRUE(ErrorBoundary::Run(prompter, Label, [] {}));
    EXPECT_FALSE(ErrorBoundary::Run(prompter, Label, [] { throw GuiError(GuiErrors::DuplicateId); }));
    EXPECT_FALSE(ErrorBoundary::Run(prompter, Label, [] { throw std::runtime_error("disk gone"); }));
    EXPECT_FALSE(ErrorBoundary::Run(prompter, Label, [] { throw 42; }));
    EXPECT_EQ(ErrorBoundary::Value(prompter, Label, []() -> int { throw 1; }, -7), -7);
    EXPECT_EQ(ErrorBoundary::Value(prompter, Label, [] { return QString("ok"); }), "ok");

    const auto reports = prompter.ReportTexts();
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_TRUE(reports[0].startsWith("An object of the specified ID already exists"));
    EXPECT_TRUE(reports[0].endsWith("Source = " + Label));
    EXPECT_TRUE(reports[1].startsWith("disk gone"));
    EXPECT_TRUE(reports[2].startsWith("Error # 5"));

    // A report that cannot be shown does not get out either.
    ThrowingPrompter broken;
    EXPECT_FALSE(ErrorBoundary::Run(broken, Label, [] { throw GuiError(GuiErrors::InvalidCall); }));
}

TEST(ErrorBoundary, CommandsGiveUpCleanlyWhenThePortsThrow)
{
    ThrowingFormFactory factory;
    ThrowingSheet sheet;
    ScriptedPrompter prompter;
    DesignerRoot root(std::make_unique<ProcessState>(QStringLiteral("/nonexistent/")));
    DesignerPorts ports;
    ports.Prompter = &prompter;
    ports.CreateMode = &sheet;
    root.Connect(ports);
    clsDesigner &designer = root.Designer();
    ASSERT_NE(designer.AddControl(1, "APP", {}, {}, {}, {}, {}), nullptr);
    designer.SelectItem("APP");
    prompter.Clear();

    ports.FormFactory = &factory;
    root.Connect(ports);
    // A form whose design form cannot be made: reported, nothing registered.
    EXPECT_EQ(designer.AddControl(5, "APP*F", {}, {}, {}, {}, {}), nullptr);
    EXPECT_FALSE(root.Items().Contains("APP*F"));
    // The same from a load: reported under the object, the load stops.
    EXPECT_FALSE(designer.SetTemplate(Project({Record({"2", "B", "", "1", "0", "0", "80", "30", "1073741825"}),
                                               Create("B*F", 5)})));
    EXPECT_TRUE(designer.LastLoad().Stopped);
    EXPECT_FALSE(root.Items().Contains("B*F"));
    // The property sheet failing in either create mode.
    EXPECT_FALSE(root.Storage().New());
    EXPECT_FALSE(root.Edit().CreateNewItem("Form"));

    const auto reports = prompter.ReportTexts();
    ASSERT_EQ(reports.size(), 4u) << QStringList(reports.begin(), reports.end()).join("\n---\n").toStdString();
    EXPECT_TRUE(reports[0].startsWith("no display"));
    EXPECT_TRUE(reports[0].endsWith("<clsDesigner AddControl>"));
    EXPECT_TRUE(reports[1].startsWith("no display"));
    EXPECT_TRUE(reports[1].endsWith("App=B, Form=F"));
    EXPECT_TRUE(reports[2].endsWith("<CvGuiSvrMod FileNew>"));
    EXPECT_TRUE(reports[3].startsWith("Failed to create object"));
    EXPECT_TRUE(reports[3].endsWith("<CvGuiSvrMod CreateNewItem>"));

    // The project made by the load before the error is an open project all the same.
    EXPECT_NE(designer.ProjectOf(root.Items().Find("B")), nullptr);
}
