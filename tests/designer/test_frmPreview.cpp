// The preview window over its state machine: it shows titles, button captions and message
// lines as the model changes them, starts through its start-up timer, clears its list,
// shuts the runtime down when closed, and stores and restores its position.
#include "EditStack.h"
#include "ProgramFolder.h"
#include "designer/frmPreview.h"

#include "app/PersistSettings.h"
#include "app/clsDesignerSettings.h"
#include "support/Marks.h"

#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// Answers every command with a done row, except "7", which waits.
class AnsweringRuntime : public iGuiRuntime
{
public:
    QStringList *Commands = nullptr;
    ResultHandler Handler;
    GuiResult Execute(const QString &command) override
    {
        *Commands << command;
        GuiResult r;
        if (command != "7")
            r.Status << QStringList{"0", "", "", "", "0", ""};
        return r;
    }
    void SetReturnResult(ResultHandler handler) override { Handler = std::move(handler); }
};

struct Factory : iGuiRuntimeFactory
{
    QStringList Commands;
    AnsweringRuntime *Last = nullptr;
    std::unique_ptr<iGuiRuntime> Create(const QString &) override
    {
        auto r = std::make_unique<AnsweringRuntime>();
        r->Commands = &Commands;
        Last = r.get();
        return r;
    }
};

QString Project()
{
    const QString vm = Marks::ValueMark();
    return QStringList{"TEMPLATE", "0" + vm + "1.4" + vm + "0",
                       QStringList{"2", "Shop", "", "1", "0", "0", "40", "20", "0"}.join(vm),
                       QStringList{"2", "Shop*Main", "", "6", "0", "0", "40", "20", "1"}.join(vm),
                       "0" + vm + "-1"}
        .join(Marks::AttributeMark());
}
// The world of a preview: the project loaded, a recording runtime, and settings in an ini
// file of the test's own folder, never the user's.
struct PreviewWorld : DesignerStack
{
    ProgramFolder folder;
    modPersistSettings store{folder.dir.path()};
    clsDesignerSettings settings{&store};
    bool Loaded = designer.SetTemplate(Project());
    Factory factory;
};
} // namespace

TEST(frmPreview, RunsThroughTheModelAndRemembersItsPosition)
{
    PreviewWorld w;
    ASSERT_TRUE(w.Loaded);
    {
        frmPreview window(w.designer, w.prompter, w.factory, &w.settings);
        EXPECT_FALSE(window.Preview(w.items.Find("SHOP")));
        EXPECT_FALSE(window.isVisible());

        ASSERT_TRUE(window.Preview(w.items.Find("SHOP*MAIN")));
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.TitleLabel()->text(), "Preview initializing: Shop*Main");
        EXPECT_EQ(window.CloseButton()->text(), "&Cancel");
        EXPECT_EQ(window.ClearButton()->text(), "Clea&r");
        EXPECT_TRUE(QTest::qWaitFor([&window] { return window.Model().CurrentState() == clsPreview::Waiting; },
                                    10000));
        EXPECT_EQ(window.TitleLabel()->text(), "Preview running: Shop*Main");
        EXPECT_EQ(w.factory.Commands.size(), 4);

        GuiResult events;
        events.Events << QStringList{"Shop*Main", "32", "", "1", "2"};
        w.factory.Last->Handler(events);
        ASSERT_EQ(window.Messages()->count(), 1);
        EXPECT_EQ(window.Messages()->item(0)->text(), "Shop*Main - Click (1,2)");
        events.Events = {QStringList{"Shop*Main", "8", ""}};
        w.factory.Last->Handler(events);
        window.Messages()->item(1)->setSelected(true);
        EXPECT_EQ(window.SelectedText(), "Shop*Main - Activate");
        window.Messages()->clearSelection();
        EXPECT_EQ(window.SelectedText(), "Shop*Main - Click (1,2)\nShop*Main - Activate");
        QTest::mouseClick(window.ClearButton(), Qt::LeftButton);
        EXPECT_EQ(window.Messages()->count(), 0);

        window.resize(560, 300);
        window.move(120, 80);
        window.Messages()->addItem("Shop*Main*Ok - Click");
        QTest::keyClick(&window, Qt::Key_Escape); // closes like the button
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(w.factory.Commands.last(), "99");
        EXPECT_EQ(window.Model().CurrentState(), clsPreview::Idle);
    }
    EXPECT_EQ(w.factory.Commands.count("99"), 1); // destroying the closed window sends no more
    // In twips, like the other window keys.
    EXPECT_EQ(w.settings.ReadInt("PreviewLeft", -1), 120 * 15);
    EXPECT_EQ(w.settings.ReadInt("PreviewTop", -1), 80 * 15);

    frmPreview again(w.designer, w.prompter, w.factory, &w.settings);
    ASSERT_TRUE(again.Preview(w.items.Find("SHOP*MAIN")));
    EXPECT_EQ(again.pos(), QPoint(120, 80));
    again.close();
}

// However large the window was left or wherever it stood, it opens inside the screen's
// available area; a pixel value an older designer stored lands nearer the corner, on screen.
TEST(frmPreview, OpensInsideTheAvailableScreenArea)
{
    PreviewWorld w;
    ASSERT_TRUE(w.Loaded);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();

    struct Case { int left, top; QSize size; };
    const Case cases[] = {
        {300, 150, {520, 320}},                                      // an old pixel value
        {(area.right() - 100) * 15, (area.bottom() - 50) * 15, {520, 320}}, // past the corner
        {0, 0, area.size() + QSize(400, 300)},                       // larger than the screen
    };
    for (const Case &c : cases) {
        w.settings.WriteInt("PreviewLeft", c.left);
        w.settings.WriteInt("PreviewTop", c.top);
        frmPreview window(w.designer, w.prompter, w.factory, &w.settings);
        window.resize(c.size);
        ASSERT_TRUE(window.Preview(w.items.Find("SHOP*MAIN")));
        EXPECT_TRUE(area.contains(window.frameGeometry())) << c.left << " " << c.top;
        window.close();
    }
    w.settings.WriteInt("PreviewLeft", 300);
    w.settings.WriteInt("PreviewTop", 150);
    frmPreview old(w.designer, w.prompter, w.factory, &w.settings);
    ASSERT_TRUE(old.Preview(w.items.Find("SHOP*MAIN")));
    EXPECT_EQ(old.pos(), QPoint(20, 10));
    old.close();
}
