// A design form's window belongs to the MDI area, the design form to its item: closing a
// project, deleting forms, losing the main window first and ending the program delete every
// window once and touch none after it has gone (run it in the AddressSanitizer build). Both
// with a small windowed stand-in and with the real design forms, sizers and all.
#include "LoaderTestSupport.h"
#include "app/DesignerRoot.h"
#include "testsupport/ScriptedPrompter.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/MdiFormWindow.h"
#include "model/PlainForm.h"
#include "model/PlainFormFactory.h"
#include "model/clsControl.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
// A design form as the design surface makes one: the plain form's bookkeeping, shown in a
// window of the MDI area.
class WindowedForm final : public iFormFuncs
{
public:
    WindowedForm(QMdiArea *area, int type) : m_plain(type), m_window(area, new QWidget) {}

    iControlWrapper *Wrapper() const override { return m_plain.Wrapper(); }
    void SetWrapper(iControlWrapper *wrapper) override { m_plain.SetWrapper(wrapper); }
    iDesignControl *CreateControlInstance(int type) override { return m_plain.CreateControlInstance(type); }
    void DeleteControlInstance(int type, iDesignControl *control) override
    {
        m_plain.DeleteControlInstance(type, control);
    }
    iDesignControl *Surface() override { return m_plain.Surface(); }
    iDesignControl *MenuControl() override { return m_plain.MenuControl(); }
    QString Title() const override { return m_plain.Title(); }
    void SetTitle(const QString &title) override
    {
        m_plain.SetTitle(title);
        if (QMdiSubWindow *window = m_window.Window())
            window->setWindowTitle(title);
    }
    int InsetLeft() const override { return m_plain.InsetLeft(); }
    int InsetTop() const override { return m_plain.InsetTop(); }
    int InsetRight() const override { return m_plain.InsetRight(); }
    int InsetBottom() const override { return m_plain.InsetBottom(); }
    void SetInsets(int l, int t, int r, int b) override { m_plain.SetInsets(l, t, r, b); }
    void RefreshBackground() override { m_plain.RefreshBackground(); }
    void SetMdi(bool mdi) override { m_plain.SetMdi(mdi); }
    iItemSizer *CreateSizer() override { return m_plain.CreateSizer(); }
    void DeleteSizer(iItemSizer *sizer) override { m_plain.DeleteSizer(sizer); }

private:
    PlainForm m_plain;
    MdiFormWindow m_window;
};

struct WindowedFormFactory : iFormFactory
{
    QPointer<QMdiArea> Area;
    PlainFormFactory Plain;
    std::unique_ptr<iFormFuncs> CreateDesignForm(clsControl &owner, int type) override
    {
        if (type >= 5 && type <= 9)
            return std::make_unique<WindowedForm>(Area.data(), type);
        return Plain.CreateDesignForm(owner, type);
    }
};

QString TwoForms(const QString &app)
{
    return Project({Record({"2", app, "", "0", "0", "0", "80", "30", "1073741825"}), Create(app + "*F", 5),
                    Create(app + "*F*Label1", 15), Create(app + "*G", 5)});
}

// The forms under test: the small windowed stand-in, or the real design forms with their
// host (so a selected control carries its sizer's nibs on the form).
enum class Forms { StandIn, Design };

struct Rig
{
    Rig(Forms kind, QMdiArea *area) : Kind(kind), Area(area) { StandIn.Area = area; }
    // Hooks the forms up to a root: with the real forms the host needs the root's designer.
    void Connect(DesignerRoot &root, iPrompter *prompter)
    {
        DesignerPorts ports;
        ports.Prompter = prompter;
        if (Kind == Forms::Design) {
            Host = std::make_unique<DesignSurfaceHost>(root.Designer(), root.Edit());
            Design = std::make_unique<DesignFormFactory>(Host.get(), Area);
            ports.FormFactory = Design.get();
        } else {
            ports.FormFactory = &StandIn;
        }
        root.Connect(ports);
    }
    Forms Kind;
    QMdiArea *Area;
    WindowedFormFactory StandIn;
    std::unique_ptr<DesignSurfaceHost> Host;
    std::unique_ptr<DesignFormFactory> Design;
};

class FormOwnership : public testing::TestWithParam<Forms>
{
};
} // namespace

TEST_P(FormOwnership, ClosingDeletingAndLosingTheMainWindowFirst)
{
    auto window = std::make_unique<QMainWindow>();
    auto *area = new QMdiArea;
    window->setCentralWidget(area);
    ScriptedPrompter prompter;
    Rig rig(GetParam(), area);
    auto root = std::make_unique<DesignerRoot>(std::make_unique<ProcessState>(QStringLiteral("/nonexistent/")));
    rig.Connect(*root, &prompter);
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

TEST_P(FormOwnership, EndingWithProjectsOpenReleasesThemInsideTheApplication)
{
    QMainWindow window;
    auto *area = new QMdiArea;
    window.setCentralWidget(area);
    Rig rig(GetParam(), area);
    {
        DesignerRoot root(std::make_unique<ProcessState>(QStringLiteral("/nonexistent/")));
        rig.Connect(root, nullptr);
        ASSERT_TRUE(root.Designer().SetTemplate(TwoForms("A")));
        ASSERT_TRUE(root.Designer().SetTemplate(TwoForms("B")));
        ASSERT_EQ(area->subWindowList().size(), 4);
        root.Designer().SelectItem(QStringLiteral("B*F*Label1"));
        // No Shutdown: the root's own end releases the projects and their windows.
    }
    EXPECT_TRUE(area->subWindowList().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(StandInAndDesignForms, FormOwnership,
                         testing::Values(Forms::StandIn, Forms::Design),
                         [](const testing::TestParamInfo<Forms> &info) {
                             return info.param == Forms::Design ? "DesignForms" : "StandInForms";
                         });

