// Edits of several objects at once: a group drag, keyboard nudges, the Format commands and
// the order commands, each one undo record that Undo and Redo take as a whole; the project's
// text is the oracle.
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "RecordingPorts.h"
#include "model/clsControl.h"

#include <gtest/gtest.h>


using namespace LoaderText;

namespace {
QString Box(const QString &path, int type, const QString &parent, int l, int t, int w, int h)
{
    return Record({"2", path, parent, QString::number(type), QString::number(l), QString::number(t),
                   QString::number(w), QString::number(h), "0"});
}

// Application A in twips; form F (6000 x 4000) with three labels and a frame holding a
// text box, and a timer; form G with one label.
struct Fixture : EditStack
{
    RecordingCommandStates state;

    Fixture()
    {
        undo.SetStateListener(&state);
        EXPECT_TRUE(designer.SetTemplate(Project(
            {Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}), Box("A*F", 5, "", 0, 0, 6000, 4000),
             Box("A*F*L1", 15, "", 300, 150, 900, 300), Box("A*F*L2", 15, "", 1500, 450, 600, 300),
             Box("A*F*L3", 15, "", 2400, 900, 1200, 600), Box("A*F*Frame1", 26, "", 300, 2000, 3000, 1500),
             Box("A*F*T1", 16, "Frame1", 120, 240, 1000, 300), Box("A*F*Tm", 35, "", 0, 0, 0, 0),
             Box("A*G", 5, "", 0, 0, 3000, 3000), Box("A*G*L9", 15, "", 100, 100, 500, 300)},
            "1.4", "1")));
        prompter.Clear();
    }
    clsControl *operator[](const QString &id) const { return items.Find("A*" + id); }
    QList<clsControl *> List(const QStringList &ids) const
    {
        QList<clsControl *> list;
        for (const QString &id : ids)
            list << (*this)[id];
        return list;
    }
    QString Text() { return designer.GetTemplate("A", {}, 0); }
    // The IDs of a container's children in their order.
    QString Order(const QString &parent) const
    {
        QStringList ids;
        for (const auto &entry : items.Find("A*" + parent)->Children())
            ids << entry.Value->ID();
        return ids.join(',');
    }
    QString Rect(const QString &id) const
    {
        const clsControl *c = (*this)[id];
        return QString("%1,%2 %3x%4").arg(c->TwipLeft()).arg(c->TwipTop()).arg(c->TwipWidth()).arg(c->TwipHeight());
    }
    // Undo gives back exactly the text before, Redo the text after, each in one step.
    void ExpectOneRecord(const QString &before, const QString &caption)
    {
        const QString after = Text();
        EXPECT_EQ(state.Caption, caption);
        const int count = undo.Count();
        ASSERT_TRUE(edit.Undo());
        EXPECT_EQ(Text(), before);
        EXPECT_EQ(undo.Count(), count - 1);
        ASSERT_TRUE(edit.Redo());
        EXPECT_EQ(Text(), after);
        EXPECT_TRUE(prompter.ReportTexts().empty());
    }
};
} // namespace

TEST(GroupEdits, AGroupDragIsOneMoveAndOneObjectKeepsTheSingleRecord)
{
    Fixture f;
    const QString before = f.Text();
    ASSERT_TRUE(f.edit.MoveItemsTwips({{f["F*L1"], QPoint(600, 300)}, {f["F*L2"], QPoint(1800, 600)},
                                       {f["F*T1"], QPoint(420, 390)}}));
    EXPECT_EQ(f.Rect("F*L2"), "1800,600 600x300");
    EXPECT_EQ(f.Rect("F*T1"), "420,390 1000x300");
    EXPECT_EQ(f.undo.Count(), 1);
    f.ExpectOneRecord(before, "Undo move");

    // One object: the very record a single drag leaves.
    Fixture g, h;
    ASSERT_TRUE(g.edit.MoveItemsTwips({{g["F*L1"], QPoint(600, 300)}}));
    ASSERT_TRUE(h.edit.MoveItemTwips(*h["F*L1"], 600, 300, std::nullopt, std::nullopt));
    const UndoBuffer::Record group = g.undo.Newest(), single = h.undo.Newest();
    EXPECT_EQ(group.Kind, single.Kind);
    EXPECT_EQ(group.First, single.First);
    EXPECT_EQ(group.Second, single.Second);

    // Nothing moved: no record.
    EXPECT_FALSE(g.edit.MoveItemsTwips({{g["F*L1"], QPoint(600, 300)}, {g["F*L2"], QPoint(1500, 450)}}));
    EXPECT_EQ(g.undo.Count(), 1);
}

TEST(GroupEdits, ARunOfNudgesIsOneRecordHeldInsideTheContainers)
{
    Fixture f;
    const QString before = f.Text();
    const QList<clsControl *> sel = f.List({"F*L1", "F*L2", "F*T1"});
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(f.edit.Nudge(sel, *f["F*L2"], -30, 0, false));
    EXPECT_EQ(f.Rect("F*L1"), "210,150 900x300");
    // T1 reaches its frame's left edge half way through the next step: the group stops there.
    ASSERT_TRUE(f.edit.Nudge(sel, *f["F*L2"], -60, 0, false));
    EXPECT_EQ(f.Rect("F*T1"), "0,240 1000x300");
    EXPECT_EQ(f.Rect("F*L1"), "180,150 900x300");
    EXPECT_FALSE(f.edit.Nudge(sel, *f["F*L2"], -60, 0, false));
    EXPECT_EQ(f.undo.Count(), 1);
    f.ExpectOneRecord(before, "Undo move");

    // Another change between two nudges starts a new record; a resize is a run of its own.
    Fixture g;
    ASSERT_TRUE(g.edit.Nudge(g.List({"F*L1"}), *g["F*L1"], 0, 15, false));
    ASSERT_TRUE(g.edit.RenameItem(*g["F*L3"], "L4"));
    ASSERT_TRUE(g.edit.Nudge(g.List({"F*L1"}), *g["F*L1"], 0, 15, false));
    const QString sizedFrom = g.Text();
    for (int i = 0; i < 60; ++i)
        g.edit.Nudge(g.List({"F*L1", "F*L2"}), *g["F*L1"], -15, -15, true);
    // The primary alone, never below the smallest size.
    EXPECT_EQ(g.Rect("F*L1"), "300,180 150x150");
    EXPECT_EQ(g.Rect("F*L2"), "1500,450 600x300");
    EXPECT_EQ(g.undo.Count(), 4);
    g.ExpectOneRecord(sizedFrom, "Undo size");
    // A timer is not laid out.
    EXPECT_FALSE(g.edit.Nudge(g.List({"F*Tm"}), *g["F*Tm"], 15, 0, false));
}

TEST(GroupEdits, FormatCommandsAreEnabledOnlyWhereTheyCanAct)
{
    Fixture f;
    using C = ArrangeCommand;
    static const struct
    {
        C Command;
        const char *Ids;
        bool Enabled;
    } cases[] = {
        {C::AlignLefts, "F*L1,F*L2", true},    {C::AlignLefts, "F*L1", false},
        {C::AlignLefts, "F*L1,F*Tm", false},   {C::AlignLefts, "F*L1,G*L9", false},
        {C::SameBoth, "F*L1,F*T1", true},      {C::HSpaceEqual, "F*L1,F*L2", false},
        {C::VSpaceIncrease, "F*L1,F*L2,F*L3", true},
        {C::AlignToGrid, "F*L1", true},        {C::CenterVertically, "F", false},
        {C::CenterHorizontally, "", false},    {C::BringToFront, "F*Tm", true},
        {C::SendToBack, "A", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Ids);
        QList<clsControl *> list;
        for (const QString &id : QString(c.Ids).split(',', Qt::SkipEmptyParts))
            list << (id == "A" ? f.items.Find("A") : f[id]);
        EXPECT_EQ(f.edit.CanArrange(c.Command, list), c.Enabled);
        if (!c.Enabled && !list.isEmpty())
            EXPECT_FALSE(f.edit.Arrange(c.Command, list, *list.back(), 120, 120));
    }
    EXPECT_TRUE(f.undo.IsEmpty());
    EXPECT_TRUE(f.prompter.ReportTexts().empty());
}

TEST(GroupEdits, FormatCommandsActOnTheModelAsOneRecordEach)
{
    using C = ArrangeCommand;
    static const struct
    {
        C Command;
        const char *Caption;
        const char *L1, *L2, *L3;
    } cases[] = {
        {C::AlignLefts, "Undo align", "1500,150 900x300", "1500,450 600x300", "1500,900 1200x600"},
        {C::AlignBottoms, "Undo align", "300,450 900x300", "1500,450 600x300", "2400,150 1200x600"},
        {C::SameBoth, "Undo size", "300,150 600x300", "1500,450 600x300", "2400,900 600x300"},
        {C::VSpaceEqual, "Undo spacing", "300,150 900x300", "1500,525 600x300", "2400,900 1200x600"},
        {C::HSpaceIncrease, "Undo spacing", "180,150 900x300", "1500,450 600x300", "2520,900 1200x600"},
        {C::CenterHorizontally, "Undo align", "1350,150 900x300", "2550,450 600x300", "3450,900 1200x600"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.Command));
        Fixture f;
        const QString before = f.Text();
        ASSERT_TRUE(f.edit.Arrange(c.Command, f.List({"F*L1", "F*L3", "F*L2"}), *f["F*L2"], 120, 120));
        EXPECT_EQ(f.Rect("F*L1"), c.L1);
        EXPECT_EQ(f.Rect("F*L2"), c.L2);
        EXPECT_EQ(f.Rect("F*L3"), c.L3);
        f.ExpectOneRecord(before, c.Caption);
    }
}

TEST(GroupEdits, FrontAndBackChangeTheOrderAmongSiblingsInOneRecord)
{
    Fixture f;
    const QString before = f.Text();
    ASSERT_TRUE(f.edit.Arrange(ArrangeCommand::SendToBack, f.List({"F*L3", "F*T1", "F*L2"}), *f["F*L2"], 0, 0));
    EXPECT_EQ(f.Order("F"), "L2,L3,L1,Frame1,Tm");
    f.ExpectOneRecord(before, "Undo order");
    const QString middle = f.Text();
    ASSERT_TRUE(f.edit.Arrange(ArrangeCommand::BringToFront, f.List({"F*L2", "F*L3"}), *f["F*L2"], 0, 0));
    EXPECT_EQ(f.Order("F"), "L1,Frame1,Tm,L2,L3");
    // Already in front: nothing to do, nothing recorded.
    EXPECT_FALSE(f.edit.Arrange(ArrangeCommand::BringToFront, f.List({"F*L3"}), *f["F*L3"], 0, 0));
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_EQ(f.Text(), middle);
}

TEST(GroupEdits, ATabOrderPassIsOneRecordOfEveryContainerItReordered)
{
    Fixture f;
    const QString before = f.Text();
    f.edit.BeginOrderPass();
    EXPECT_TRUE(f.edit.InOrderPass());
    static const struct
    {
        const char *Id;
        int Place;
        const char *Order;
    } clicks[] = {
        {"F*L3", 1, "L3,L1,L2,Frame1,Tm"},
        {"F*Frame1", 2, "L3,Frame1,L1,L2,Tm"},
        {"F*T1", 1, "L3,Frame1,L1,L2,Tm"}, // alone in its frame: already first
        {"F*Tm", 3, "L3,Frame1,Tm,L1,L2"},
        {"F*L1", 9, "L3,Frame1,Tm,L2,L1"}, // past the end: last
    };
    for (const auto &c : clicks) {
        SCOPED_TRACE(c.Id);
        EXPECT_TRUE(f.edit.SetTabPlace(*f[c.Id], c.Place));
        EXPECT_EQ(f.Order("F"), c.Order);
    }
    EXPECT_TRUE(f.undo.IsEmpty());
    f.edit.EndOrderPass();
    EXPECT_FALSE(f.edit.InOrderPass());
    EXPECT_EQ(f.undo.Count(), 1);
    f.ExpectOneRecord(before, "Undo order");

    // A pass that changes nothing, or comes back to where it started, records nothing; a
    // form or a bar takes no place.
    Fixture g;
    g.edit.BeginOrderPass();
    EXPECT_TRUE(g.edit.SetTabPlace(*g["F*L2"], 1));
    EXPECT_TRUE(g.edit.SetTabPlace(*g["F*L1"], 1));
    EXPECT_FALSE(g.edit.SetTabPlace(*g["F"], 1));
    EXPECT_FALSE(g.edit.SetTabPlace(*g["F*L1"], 0));
    g.edit.EndOrderPass();
    EXPECT_TRUE(g.undo.IsEmpty());
    // Outside a pass a place is a record of its own.
    EXPECT_TRUE(g.edit.SetTabPlace(*g["F*L3"], 1));
    EXPECT_EQ(g.undo.Count(), 1);
}

TEST(GroupEdits, CopyAndPasteOfSeveralKeepTheirPlacesAndStepOffTheOriginals)
{
    Fixture f;
    ASSERT_TRUE(f.designer.SelectItems(f.List({"F*L3", "F*Frame1", "F*T1", "F*L1"}), f["F*L1"]));
    ASSERT_TRUE(f.edit.Copy());
    // One text: the frame's text box once (below its frame), the objects in the tree's order.
    const QString text = EditCommands::FromClipboardText(f.clipboard.Text());
    QStringList creates;
    for (const QString &rec : text.split(QChar(Marks::Attribute)))
        if (rec.startsWith("2" + QString(QChar(Marks::Value))))
            creates << rec.section(QChar(Marks::Value), 1, 1);
    EXPECT_EQ(creates, (QStringList{"A*F*L1", "A*F*L3", "A*F*Frame1", "A*F*T1"}));

    // Onto another form: the same IDs and places, selected together.
    ASSERT_TRUE(f.designer.SelectItem(f["G"]));
    ASSERT_TRUE(f.edit.Paste());
    EXPECT_EQ(f.Rect("G*L1"), "300,150 900x300");
    EXPECT_EQ(f.Rect("G*Frame1"), "300,2000 3000x1500");
    EXPECT_EQ(f.Rect("G*T1"), "120,240 1000x300");
    EXPECT_EQ(f.designer.Selection().size(), 3);
    EXPECT_EQ(f.items.Find("A*G*T1")->Parent(), f["G*Frame1"]);

    // Onto their own form: new IDs (the user agrees), one grid step off, and a second
    // paste one more step, past the first copies. Each paste is one record.
    Fixture g;
    ASSERT_TRUE(g.designer.SelectItems(g.List({"F*L1", "F*L2"}), g["F*L2"]));
    ASSERT_TRUE(g.edit.Copy());
    ASSERT_TRUE(g.designer.SelectItem(g["F"]));
    const QString before = g.Text();
    g.prompter.Answers = {iPrompter::Answer::Yes, iPrompter::Answer::Yes};
    ASSERT_TRUE(g.edit.Paste());
    const QStringList firstCopies{g.designer.Selection()[0]->ID(), g.designer.Selection()[1]->ID()};
    EXPECT_EQ(g.Rect("F*" + firstCopies[0]), "420,270 900x300");
    EXPECT_EQ(g.Rect("F*" + firstCopies[1]), "1620,570 600x300");
    g.ExpectOneRecord(before, "Undo paste");
    ASSERT_TRUE(g.designer.SelectItem(g["F"]));
    ASSERT_TRUE(g.edit.Paste());
    EXPECT_EQ(g.Rect("F*" + g.designer.Selection()[0]->ID()), "540,390 900x300");
}

TEST(GroupEdits, DeleteAndCutOfSeveralAreOneRecordThatPutsEverythingBack)
{
    for (const bool cut : {false, true}) {
        SCOPED_TRACE(cut ? "cut" : "delete");
        Fixture f;
        const QString before = f.Text();
        // Objects of two containers, and one inside a selected frame.
        ASSERT_TRUE(f.designer.SelectItems(f.List({"F*L2", "F*T1", "F*Frame1", "F*L1"}), f["F*L1"]));
        ASSERT_TRUE(cut ? f.edit.Cut() : f.edit.Delete());
        for (const char *gone : {"F*L1", "F*L2", "F*Frame1", "F*T1"})
            EXPECT_EQ(f[gone], nullptr) << gone;
        EXPECT_TRUE(f.designer.Selection().isEmpty());
        EXPECT_EQ(f.undo.Count(), 1);
        if (cut)
            EXPECT_TRUE(f.clipboard.Text().contains("A*F*Frame1"));
        f.ExpectOneRecord(before, cut ? "Undo cut" : "Undo delete");
        ASSERT_TRUE(f.edit.Undo());
        EXPECT_EQ(f.Text(), before);
    }

    // Several parents: each parent's order comes back.
    Fixture g;
    ASSERT_TRUE(g.edit.Arrange(ArrangeCommand::SendToBack, g.List({"F*L3"}), *g["F*L3"], 0, 0));
    const QString before = g.Text();
    ASSERT_TRUE(g.designer.SelectItems(g.List({"F*L3", "F*T1"}), g["F*T1"]));
    ASSERT_TRUE(g.edit.Delete());
    g.ExpectOneRecord(before, "Undo delete");
    ASSERT_TRUE(g.edit.Undo());
    EXPECT_EQ(g.Text(), before);
}
