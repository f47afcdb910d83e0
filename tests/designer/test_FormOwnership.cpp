// A design form's window belongs to the MDI area, the design form to its item: closing a
// project, deleting forms, losing the main window first and ending the program delete every
// window once and touch none after it has gone (run it in the AddressSanitizer build).
#include "app/LoaderTestSupport.h"
#include "app/DesignerRoot.h"
#include "app/ScriptedPrompter.h"
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
} // namespace

TEST(FormOwnership, ClosingDeletingAndLosingTheMainWindowFirst)
{
    auto window = std::make_unique<QMainWindow>();
    auto *area = new QMdiArea;
    window->setCentralWidget(area);
    WindowedFormFactory factory;
    factory.Area = area;
    ScriptedPrompter prompter;
    auto root = std::make_unique<DesignerRoot>(std::make_unique<ProcessState>(QStringLiteral("/nonexistent/")));
    DesignerPorts ports;
    ports.Prompter = &prompter;
    ports.FormFactory = &factory;
    root->Connect(ports);
    clsDesigner &designer = root->Designer();

    // Closing a project deletes its forms' windows.
    ASSERT_TRUE(designer.SetTemplate(TwoForms("A")));
    ASSERT_EQ(area->subWindowList().size(), 2);
    designer.RemoveProject(*root->Items().Find("A"));
    EXPECT_TRUE(area->subWindowList().isEmpty());

    // Deleting one form deletes its window only.
    ASSERT_TRUE(designer.SetTemplate(TwoForms("B")));
    QPointer<QMdiSubWindow> kept = area->subWindowList().value(0);
    designer.RemoveControl("B*G");
    ASSERT_EQ(area->subWindowList().size(), 1);
    EXPECT_EQ(area->subWindowList().value(0), kept.data());

    // A window the area deleted already (the main window went first) is not deleted again
    // when its form goes.
    ASSERT_TRUE(designer.SetTemplate(TwoForms("C")));
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
    WindowedFormFactory factory;
    factory.Area = area;
    {
        DesignerRoot root(std::make_unique<ProcessState>(QStringLiteral("/nonexistent/")));
        DesignerPorts ports;
        ports.FormFactory = &factory;
        root.Connect(ports);
        ASSERT_TRUE(root.Designer().SetTemplate(TwoForms("A")));
        ASSERT_EQ(area->subWindowList().size(), 2);
        // No Shutdown: the root's own end releases the projects and their windows.
    }
    EXPECT_TRUE(area->subWindowList().isEmpty());
}
