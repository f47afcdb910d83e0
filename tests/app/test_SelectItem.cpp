// Selecting one object: one sizer shown at a time, the tree node highlighted, the description
// in the status bar and the menus told, and refusals that leave the selection alone.
// A selection of several controls of one form: which clicks keep, add, remove or refuse an
// object, the primary's full sizer and the others' outlines, the tree told every selected ID,
// and a selection that shrinks when its objects go.
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "RecordingPorts.h"
#include "model/PlainSizer.h"
#include "model/clsControl.h"

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
struct MarkingTree : RecordingTree
{
    QStringList Marked;
    int MarkCalls = 0;
    void MarkSelection(const QStringList &fullIds) override
    {
        Marked = fullIds;
        ++MarkCalls;
    }
};

struct Fixture : DesignerStack
{
    MarkingTree tree;
    RecordingCommandStates states;

    Fixture()
    {
        designer.SetProjectTree(&tree);
        designer.SetCommandStates(&states);
        EXPECT_TRUE(designer.SetTemplate(
            Project({MinimalApp(), Create("APP*F", 5), Create("APP*G", 5), Create("APP*F*A", 15),
                     Create("APP*F*B", 16), Create("APP*F*Frame1", 26), Create("APP*F*C", 20, "Frame1"),
                     Create("APP*F*T", 35), Create("APP*F*Menu1", 75), Create("APP*G*X", 15),
                     Create("APP**Bar1", 77)})));
        tree.Calls.clear();
        prompter.StatusTexts.clear();
        states.Refreshes = 0;
    }
    clsControl *Item(const QString &id) { return id.isEmpty() ? nullptr : items.Find(id); }
    // The selection as IDs, primary last.
    QString Selected() const
    {
        QStringList ids;
        for (const clsControl *item : designer.Selection())
            ids << item->ID();
        return ids.join(',');
    }
    void Start(const QString &ids)
    {
        QList<clsControl *> list;
        for (const QString &id : ids.split(',', Qt::SkipEmptyParts))
            list << Item("APP*" + id);
        if (list.size() == 1)
            ASSERT_TRUE(designer.SelectItem(list.front()));
        else if (!list.isEmpty())
            ASSERT_TRUE(designer.SelectItems(list, list.back()));
    }
};

const PlainSizer *SizerOf(const clsControl *item)
{
    return dynamic_cast<const PlainSizer *>(item->ExistingSizer());
}
} // namespace

TEST(SelectItem, MovesTheActiveSizerAndTellsEveryView)
{
    Fixture f;
    ASSERT_TRUE(f.designer.SelectItem("app*f*a"));
    clsControl &label = *f.Item("APP*F*A");
    EXPECT_EQ(f.designer.CurrentItem(), &label);
    ASSERT_NE(label.ExistingSizer(), nullptr);
    EXPECT_TRUE(label.ExistingSizer()->IsActive());
    EXPECT_EQ(f.tree.Calls, QStringList{"highlight APP*F*A"});
    EXPECT_EQ(f.prompter.StatusTexts, (std::vector<QString>{"Label APP*F*A"}));
    EXPECT_EQ(f.states.Refreshes, 1);

    ASSERT_TRUE(f.designer.SelectItem(f.Item("APP*F*B")));
    EXPECT_FALSE(label.ExistingSizer()->IsActive());
    EXPECT_TRUE(f.Item("APP*F*B")->ExistingSizer()->IsActive());
    EXPECT_EQ(f.states.Refreshes, 2);

    // Selecting the same item again keeps its sizer shown.
    ASSERT_TRUE(f.designer.SelectItem("APP*F*B"));
    EXPECT_TRUE(f.Item("APP*F*B")->ExistingSizer()->IsActive());

    // A form has a sizer of its own; a timer has none but is still selected.
    ASSERT_TRUE(f.designer.SelectItem("APP*F"));
    EXPECT_FALSE(f.Item("APP*F*B")->ExistingSizer()->IsActive());
    ASSERT_TRUE(f.designer.SelectItem("APP*F*T"));
    EXPECT_EQ(f.Item("APP*F*T")->ExistingSizer(), nullptr);
    EXPECT_FALSE(f.Item("APP*F")->ExistingSizer()->IsActive());
    EXPECT_EQ(f.tree.Calls.last(), "highlight APP*F*T");
}

TEST(SelectItem, RefusalsAndClearingLeaveNoSizerShown)
{
    Fixture f;
    ASSERT_TRUE(f.designer.SelectItem("APP*F*A"));
    const int refreshes = f.states.Refreshes;

    // Unknown IDs, the root and a detached item are refused and change nothing.
    EXPECT_FALSE(f.designer.SelectItem("APP*F*Nothing"));
    EXPECT_FALSE(f.designer.SelectItem(QString()));
    EXPECT_FALSE(f.designer.SelectItem(f.items.Root()));
    auto detached = f.items.CreateDefaultItem(15, f.Item("APP*F"));
    EXPECT_FALSE(f.designer.SelectItem(detached.get()));
    EXPECT_EQ(f.designer.CurrentItem(), f.Item("APP*F*A"));
    EXPECT_TRUE(f.Item("APP*F*A")->ExistingSizer()->IsActive());
    EXPECT_EQ(f.states.Refreshes, refreshes);

    // No selection: the sizer goes, the status text is emptied.
    ASSERT_TRUE(f.designer.SelectItem(nullptr));
    EXPECT_EQ(f.designer.CurrentItem(), nullptr);
    EXPECT_FALSE(f.Item("APP*F*A")->ExistingSizer()->IsActive());
    EXPECT_EQ(f.prompter.StatusTexts.back(), QString());
}

TEST(MultiSelection, ClicksKeepAddRemoveOrRefuse)
{
    // Selection before (form-relative IDs, primary last), the click, its item, then what
    // the call gives and the selection after.
    static const struct
    {
        const char *Before;
        char Click; // s Shift+click, c Ctrl+click
        const char *Item;
        bool Result;
        const char *After;
    } cases[] = {
        {"F*A", 's', "F*B", true, "A,B"},
        {"F*A,F*B", 's', "F*A", true, "B,A"},            // already selected: becomes primary
        {"F*A", 's', "F*C", true, "A,C"},                // a control inside a frame of the form
        {"F*A", 's', "F*T", true, "A,T"},                // a timer is a control
        {"F*A", 's', "G*X", false, "A"},                 // another form's control
        {"F*A", 's', "F", false, "A"},                   // the form
        {"F*A", 's', "F*Menu1", false, "A"},             // a bar
        {"F*A", 'c', "", false, "A"},                    // nothing
        {"", 's', "F*A", true, "A"},                     // nothing selected: selected alone
        {"F", 's', "F*A", true, "A"},                    // the form itself: its control alone
        {"F", 'c', "F*B", true, "B"},
        {"F", 'c', "G*X", false, "F"},                   // not a control of that form
        {"F", 'c', "G", false, "F"},
        {"", 'c', "", false, ""},
        {"F*A,F*B", 'c', "F*C", true, "A,B,C"},
        {"F*A,F*B,F*C", 'c', "F*C", true, "A,B"},        // primary removed: passes to the last
        {"F*A,F*B,F*C", 'c', "F*A", true, "B,C"},
        {"F*A", 'c', "F*A", true, "F"},                  // the only control: its form remains
        {"F*A,F*B", 'c', "APP", false, "A,B"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString("%1 %2 %3").arg(c.Before).arg(c.Click).arg(c.Item).toStdString());
        Fixture f;
        f.Start(c.Before);
        const QString item = QString(c.Item);
        clsControl *target = item == "APP" ? f.Item("APP") : f.Item(item.isEmpty() ? QString() : "APP*" + item);
        const bool result = c.Click == 's' ? f.designer.AddToSelection(target) : f.designer.ToggleSelection(target);
        EXPECT_EQ(result, c.Result);
        EXPECT_EQ(f.Selected(), c.After);
        EXPECT_EQ(f.designer.CurrentItem(), f.designer.Selection().isEmpty() ? nullptr : f.designer.Selection().back());
    }
}

TEST(MultiSelection, BandsAndSelectAllTakeControlsOfOneFormOnly)
{
    Fixture f;
    ASSERT_TRUE(f.designer.SelectItem("APP*F*A"));
    const auto band = [&](std::initializer_list<const char *> ids, const char *primary) {
        QList<clsControl *> list;
        for (const char *id : ids)
            list << f.Item(QString("APP*") + id);
        return f.designer.SelectItems(list, primary ? f.Item(QString("APP*") + primary) : nullptr);
    };
    EXPECT_TRUE(band({"F*A", "F*B", "F*C"}, "F*B"));
    EXPECT_EQ(f.Selected(), "A,C,B");
    EXPECT_TRUE(band({"F*A", "F*B", "F*A"}, nullptr)); // repeated; no primary: the last
    EXPECT_EQ(f.Selected(), "A,B");
    EXPECT_FALSE(band({"F*A", "G*X"}, nullptr));
    EXPECT_FALSE(band({"F*A", "F"}, nullptr));
    EXPECT_FALSE(band({}, nullptr));
    EXPECT_EQ(f.Selected(), "A,B");
    EXPECT_TRUE(band({"G"}, nullptr)); // one object of any kind: as a plain click
    EXPECT_EQ(f.Selected(), "G");
}

TEST(MultiSelection, PrimaryShowsTheSizerOthersTheOutlineAndEveryViewFollows)
{
    Fixture f;
    clsControl *a = f.Item("APP*F*A"), *b = f.Item("APP*F*B"), *c = f.Item("APP*F*C");
    ASSERT_TRUE(f.designer.SelectItem(a));
    EXPECT_EQ(f.tree.Marked, QStringList{"APP*F*A"});
    ASSERT_TRUE(f.designer.AddToSelection(b));
    ASSERT_TRUE(f.designer.AddToSelection(c));
    EXPECT_TRUE(SizerOf(c)->IsActive());
    EXPECT_FALSE(SizerOf(c)->IsSecondary());
    for (const clsControl *other : {a, b}) {
        EXPECT_FALSE(SizerOf(other)->IsActive());
        EXPECT_TRUE(SizerOf(other)->IsSecondary());
    }
    EXPECT_EQ(f.tree.Marked, (QStringList{"APP*F*A", "APP*F*B", "APP*F*C"}));
    EXPECT_EQ(f.tree.Calls.last(), "highlight APP*F*C");
    EXPECT_EQ(f.prompter.StatusTexts.back(), "Checkbox APP*F*C");

    // The timer has no sizer but may be selected with the others.
    ASSERT_TRUE(f.designer.AddToSelection(f.Item("APP*F*T")));
    EXPECT_TRUE(SizerOf(c)->IsSecondary());
    EXPECT_FALSE(SizerOf(c)->IsActive());

    // One click again: one sizer, no outlines.
    ASSERT_TRUE(f.designer.SelectItem(b));
    EXPECT_TRUE(SizerOf(b)->IsActive());
    EXPECT_FALSE(SizerOf(b)->IsSecondary());
    for (const clsControl *other : {a, c})
        EXPECT_FALSE(SizerOf(other)->IsActive() || SizerOf(other)->IsSecondary());
    EXPECT_EQ(f.tree.Marked, QStringList{"APP*F*B"});

    // A quiet change of the current item to another takes the outlines away too.
    ASSERT_TRUE(f.designer.SelectItems({a, b, c}, c));
    f.designer.SetCurrentItem(c); // the current one: the selection of several stays
    EXPECT_EQ(f.Selected(), "A,B,C");
    f.designer.SetCurrentItem(f.Item("APP*F"));
    EXPECT_EQ(f.Selected(), "F");
    EXPECT_FALSE(SizerOf(a)->IsSecondary() || SizerOf(b)->IsSecondary());
}

TEST(MultiSelection, ShrinksToWhatIsLeftWhenObjectsGo)
{
    Fixture f;
    ASSERT_TRUE(f.designer.SelectItems({f.Item("APP*F*A"), f.Item("APP*F*C"), f.Item("APP*F*B")},
                                       f.Item("APP*F*C")));
    // The frame goes with the primary inside it: the newest remaining one takes over.
    f.designer.RemoveControl("APP*F*Frame1");
    EXPECT_EQ(f.Selected(), "A,B");
    EXPECT_EQ(f.designer.CurrentItem(), f.Item("APP*F*B"));
    EXPECT_TRUE(SizerOf(f.Item("APP*F*B"))->IsActive());
    EXPECT_FALSE(SizerOf(f.Item("APP*F*B"))->IsSecondary());
    EXPECT_EQ(f.tree.Marked, (QStringList{"APP*F*A", "APP*F*B"}));
    f.designer.RemoveControl("APP*F*A");
    EXPECT_EQ(f.Selected(), "B");
    // The whole project closed: nothing left, and the next selection touches nothing gone.
    f.designer.RemoveProject(*f.Item("APP"));
    EXPECT_TRUE(f.designer.Selection().isEmpty());
    EXPECT_EQ(f.designer.CurrentItem(), nullptr);
    EXPECT_TRUE(f.designer.SelectItem(nullptr));
}
