// A design form's window belongs to the MDI area, the design form to its item: closing a
// project, deleting forms, losing the main window first and ending the program delete every
// window once and touch none after it has gone (run it in the AddressSanitizer build), with
// the real design forms, sizers and all.
#include "LoaderTestSupport.h"
#include "app/DesignerRoot.h"
#include "testsupport/ScriptedPrompter.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "model/clsControl.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
QString TwoForms(const QString &app)
{
    return Project({Record({"2", app, "", "0", "0", "0", "80", "30", "1073741825"}), Create(app + "*F", 5),
                    Create(app + "*F*Label1", 15), Create(app + "*G", 5)});
}

// The design forms with their host (so a selected control carries its sizer's nibs on the
// form), made once the root's designer exists and kept until after the root has gone.
struct DesignForms
{
    std::unique_ptr<DesignSurfaceHost> Host;
    std::unique_ptr<DesignFormFactory> Factory;
    void Connect(DesignerRoot &root, QMdiArea *area, iPrompter *prompter)
    {
        Host = std::make_unique<DesignSurfaceHost>(root.Designer(), root.Edit());
        Factory = std::make_unique<DesignFormFactory>(Host.get(), area);
        DesignerPorts ports;
        ports.Prompter = prompter;
        ports.FormFactory = Factory.get();
        root.Connect(ports);
    }
};
} // namespace

TEST(FormOwnership, ClosingDeletingAndLosingTheMainWindowFirst)
{
    auto window = std::make_unique<QMainWindow>();
    auto *area = new QMdiArea;
    window->setCentralWidget(area);
    ScriptedPrompter prompter;
    DesignForms forms;
    auto root = std::make_unique<DesignerRoot>(std::make_unique<ProcessState>(QStringLiteral("/nonexistent/")));
    forms.Connect(*root, area, &prompter);
    clsDesigner &designer = root->Designer();

    // Closing a project deletes its forms' windows (one with a selected control).
    ASSERT_TRUE(designer.SetTemplate(TwoForms("A")));
    ASSERT_EQ(area->subWindowList().size(), 2);
    designer.SelectItem(QStringLiteral("A*F*Label1"));
    designer.RemoveProject(*root->Items().Find("A"));
    EXPECT_TRUE(area->subWindowList().isEmpty());

    // Deleting one form deletes its window only.
    ASSERT_TRUE(designer.SetTemplate(TwoForms("B")));
    designer.SelectItem(QStringLiteral("B*F*Label1"));
    QPointer<QMdiSubWindow> kept = area->subWindowList().value(0);
    designer.RemoveControl("B*G");
    ASSERT_EQ(area->subWindowList().size(), 1);
    EXPECT_EQ(area->subWindowList().value(0), kept.data());
    // And the form of the selection, with its sizer.
    designer.RemoveControl("B*F");
    EXPECT_TRUE(area->subWindowList().isEmpty());
    ASSERT_TRUE(designer.SetTemplate(TwoForms("B2")));
    kept = area->subWindowList().value(0);

    // A window the area deleted already (the main window went first) is not deleted again
    // when its form goes.
    ASSERT_TRUE(designer.SetTemplate(TwoForms("C")));
    designer.SelectItem(QStringLiteral("C*F*Label1"));
    window.reset();
    EXPECT_TRUE(kept.isNull());
    designer.ReleaseAll();
    EXPECT_TRUE(root->Items().Find("B") == nullptr && root->Items().Find("C") == nullptr);

    // And the program ends: the registry goes before the QApplication does.
    root.reset();
}

TEST(FormOwnership, EndingWithProjectsOpenReleasesThemInsideTheApplication)
{
    QMainWindow window;
    auto *area = new QMdiArea;
    window.setCentralWidget(area);
    DesignForms forms;
    {
        DesignerRoot root(std::make_unique<ProcessState>(QStringLiteral("/nonexistent/")));
        forms.Connect(root, area, nullptr);
        ASSERT_TRUE(root.Designer().SetTemplate(TwoForms("A")));
        ASSERT_TRUE(root.Designer().SetTemplate(TwoForms("B")));
        ASSERT_EQ(area->subWindowList().size(), 4);
        root.Designer().SelectItem(QStringLiteral("B*F*Label1"));
        // No Shutdown: the root's own end releases the projects and their windows.
    }
    EXPECT_TRUE(area->subWindowList().isEmpty());
}
