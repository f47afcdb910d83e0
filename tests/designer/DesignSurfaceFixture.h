#pragma once

// A project loaded onto offscreen design forms with the designer's own host: selection,
// moves and resizes through the edit commands, and the status panels recorded.
#include "EditStack.h"
#include "ScriptedWindowHost.h"
#include "LoaderTestSupport.h"
#include "app/clsDesigner.h"
#include "designer/DesignFormFactory.h"
#include "designer/DesignSurfaceHost.h"
#include "designer/DesignControl.h"
#include "designer/frmDesign.h"
#include "designer/ucSizer.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/iDesignControl.h"

#include <QMap>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace surface_test {

inline QString Control(const QString &path, int type, const QString &parent, int left, int top,
                       int width, int height)
{
    return LoaderText::Record({"2", path, parent, QString::number(type), QString::number(left),
                               QString::number(top), QString::number(width),
                               QString::number(height), "0"});
}

// A left click on the widget, with the keys held.
inline void Click(QWidget *widget, Qt::KeyboardModifiers modifiers = {}, QPoint at = {5, 5})
{
    QTest::mousePress(widget, Qt::LeftButton, modifiers, at);
    QTest::mouseRelease(widget, Qt::LeftButton, modifiers, at);
}

// A left drag from one point of the widget to another, with the keys held.
inline void Drag(QWidget *widget, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mousePress(widget, Qt::LeftButton, modifiers, from);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, modifiers, to);
}

struct Fixture : EditStack
{
    ScriptedWindowHost window;
    DesignSurfaceHost host{designer, edit, &window};
    DesignFormFactory factory{&host};
    QMap<int, QString> panels;
    bool snap = false;
    int modifies = 0;
    int selections = 0;
    int treeFocus = 0;
    int contextMenus = 0;

    Fixture()
    {
        window.StatusPanel = [this](int panel, const QString &text) { panels[panel] = text; };
        window.SnapSwitch = [this] { return snap; };
        window.PropertySheet = [this](clsControl &) { ++modifies; };
        window.Selected = [this](clsControl &) { ++selections; };
        window.FocusTree = [this] { ++treeFocus; };
        window.ContextMenu = [this](clsControl &) { ++contextMenus; };
        items.SetFormFactory(&factory);
    }
    ~Fixture() { designer.ReleaseAll(); }

    // Application A in twips with form F (6000 x 4500 inside): Label1, Check1, Frame1 with
    // Text1 inside it, and whatever else is asked for; the form's surface shown at once.
    void Load(const QStringList &more = {})
    {
        LoadOutOfSight(more);
        if (!::testing::Test::HasFatalFailure())
            Form()->Canvas()->show();
    }
    // The same project, the surface left to show when the form factory shows it.
    void LoadOutOfSight(const QStringList &more = {})
    {
        using namespace LoaderText;
        QStringList body{Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}),
                         Control("A*F", 5, "", 0, 0, 6000, 4500),
                         Control("A*F*Label1", 15, "", 1200, 900, 1500, 450),
                         Control("A*F*Check1", 20, "", 1200, 2400, 1500, 300),
                         Control("A*F*Frame1", 26, "", 3000, 1500, 2400, 1800),
                         Control("A*F*Text1", 16, "Frame1", 150, 300, 1200, 300)};
        body += more;
        ASSERT_TRUE(designer.SetTemplate(Project(body, "1.4", "1")))
            << (prompter.ReportTexts().empty() ? std::string()
                                               : prompter.ReportTexts()[0].toStdString());
    }
    clsControl &Item(const QString &path) { return *items.Find(path); }
    frmDesign *Form() { return DesignFormFactory::FormOf(Item("A*F")); }
    QWidget *WidgetOfItem(const QString &path)
    {
        const auto *control = dynamic_cast<const DesignControl *>(Item(path).ControlObject());
        return control ? control->Widget() : nullptr;
    }
    ucSizer *SizerOf(const QString &path)
    {
        clsControl &item = Item(path);
        frmDesign *form = DesignFormFactory::FormOf(item.Form() ? *item.Form() : item);
        return form ? form->SizerOf(item) : nullptr;
    }
    // Stored rectangle in twips.
    QList<int> Stored(const QString &path)
    {
        const clsControl &item = Item(path);
        return {item.TwipLeft(), item.TwipTop(), item.TwipWidth(), item.TwipHeight()};
    }
};

} // namespace surface_test
