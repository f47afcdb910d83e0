// Undo and Redo over random edits: after every step the project's saved text must equal the
// text the same changes give without the undone ones. The oracle is the list of texts after
// each change; Undo steps back along it, Redo forward, and a new change cuts it off.
// CORVANE_UNDO_SEED=n repeats a run; the seed is printed when a step fails.
#include "LoaderTestSupport.h"
#include "RecordingPorts.h"
#include "app/DesignerRoot.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "testsupport/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <random>

using namespace LoaderText;

namespace {
QString Sample()
{
    return Project({MinimalApp(), Create("APP*F", 5), Create("APP*G", 9),
                    Create("APP*F*Label1", 15, "", "1", "1"), Create("APP*F*Text1", 16, "", "12", "1"),
                    Create("APP*F*Frame1", 26, "", "1", "5"), Create("APP*F*Label2", 15, "Frame1", "2", "2"),
                    Create("APP*F*Check1", 20, "Frame1", "2", "4"), Create("APP*F*Text2", 16, "", "5", "8"),
                    Create("APP*G*Label1", 15, "", "3", "3"),
                    Create("APP*G*List1", 21, "", "3", "6"), Create("APP*G*Tabs1", 30, "", "1", "9"),
                    Create("APP*G*Tab1", 31, "Tabs1"), Create("APP*G*Tab2", 31, "Tabs1"),
                    Create("APP*G*Label9", 15, "Tab2", "1", "1")});
}

// A paste onto its own form asks whether to take a new ID: it does.
struct YesPrompter : ScriptedPrompter
{
    Answer Ask(const QString &text, Buttons buttons, MessageIcon icon) override
    {
        ScriptedPrompter::Ask(text, buttons, icon);
        return Answer::Yes;
    }
};

struct World
{
    DesignerRoot root{std::make_unique<ProcessState>(QStringLiteral("/nonexistent/"))};
    YesPrompter prompter;
    RecordingCommandStates states;
    std::mt19937 random;

    explicit World(unsigned seed) : random(seed)
    {
        DesignerPorts ports;
        ports.Prompter = &prompter;
        ports.CommandStates = &states;
        root.Connect(ports);
        root.Settings().UndoLevels = 1000;
        root.ApplySettings();
    }

    QString Saved()
    {
        const std::optional<QString> text = root.Storage().SaveText(*root.Designer().Projects().front());
        // The first record holds the time of saving.
        return text ? text->section(QChar(Marks::Attribute), 1) : QStringLiteral("(not saved)");
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    // A form or a control, never the application.
    clsControl *AnyObject(bool controlsOnly)
    {
        std::vector<clsControl *> objects;
        for (clsControl *item : root.Items().InOrder())
            if (Vocabulary::IsControl(item->ObjType()) || (!controlsOnly && Vocabulary::IsForm(item->ObjType())))
                objects.push_back(item);
        return objects.empty() ? nullptr : objects[std::size_t(Pick(int(objects.size())))];
    }

    // What the property sheet does to one object: a few properties written between the two
    // calls that make one record of them; on a tab group, a tab panel added or taken away.
    // Colours and fonts come from a small set, so that a control's often equal its form's.
    bool SheetChange(QString &did)
    {
        using namespace Vocabulary;
        std::vector<clsControl *> objects;
        for (clsControl *item : root.Items().InOrder())
            if (item->ObjType() != Type::Root && item->ObjType() != Type::Tab)
                objects.push_back(item);
        clsControl *item = objects[std::size_t(Pick(int(objects.size())))];
        did = item->FullID() + QStringLiteral(" properties");
        EditCommands &edit = root.Edit();
        edit.BeginPropertiesChange(*item);
        static const struct { int Code; const char *Values[3]; } writes[] = {
            {Prop::Caption, {"One", "Two", ""}},      {Prop::Enabled, {"0", "1", "0"}},
            {Prop::Visible, {"0", "1", "1"}},         {Prop::Hint, {"a hint", "", "another"}},
            {Prop::Description, {"d", "", "e"}},     {Prop::BackColor, {"255", "65280", "255"}},
            {Prop::ForeColor, {"255", "0", "65280"}}, {Prop::FontName, {"Arial", "Courier New", "Arial"}},
            {Prop::FontBold, {"1", "0", "1"}},        {Prop::FontSize, {"12", "9", "12"}},
        };
        for (int n = 1 + Pick(3); n > 0; --n) {
            const auto &w = writes[std::size_t(Pick(int(std::size(writes))))];
            try {
                item->SetProperty(w.Code, QString::fromLatin1(w.Values[Pick(3)]));
            } catch (const GuiError &) {
                // Not a property of this kind: the sheet would not offer it.
            }
        }
        if (item->ObjType() == Type::Tabgroup) {
            const QString form = item->FullID().section(QLatin1Char('*'), 0, 1);
            if (Pick(2) && item->Children().Count() > 1)
                root.Designer().RemoveControl(item->Children().begin()->Value->FullID());
            else
                root.Designer().AddControl(Type::Tab, form + QStringLiteral("*NewTab%1").arg(++tabs), item->ID(),
                                           {}, {}, {}, {});
        }
        edit.EndPropertiesChange();
        return true;
    }

    int tabs = 0;

    // One random change through the Edit commands; true when it changed the project.
    bool Change(int &renames, QString &did)
    {
        EditCommands &edit = root.Edit();
        clsControl *item = AnyObject(true);
        did = item ? item->FullID() : QString();
        switch (Pick(9)) {
        case 0:
            did += QStringLiteral(" moved");
            return item && edit.MoveItemTwips(*item, 15 * Pick(400), 15 * Pick(300), std::nullopt, std::nullopt);
        case 1:
            did += QStringLiteral(" sized");
            return item && edit.MoveItemTwips(*item, std::nullopt, std::nullopt, 15 * (5 + Pick(200)), 15 * (5 + Pick(100)));
        case 2:
            did += QStringLiteral(" renamed");
            return item && edit.RenameItem(*item, QStringLiteral("Renamed%1").arg(++renames));
        case 3:
        case 4: {
            clsControl *gone = AnyObject(false);
            if (!gone || (Vocabulary::IsForm(gone->ObjType()) && root.Designer().Projects().front()->App->Children().Count() < 2))
                return false;
            root.Designer().SelectItem(gone);
            did = gone->FullID() + QStringLiteral(" deleted");
            return Pick(2) ? edit.Delete() : edit.Cut();
        }
        case 5: {
            clsControl *source = AnyObject(false);
            if (!source)
                return false;
            root.Designer().SelectItem(source);
            edit.Copy();
            clsControl *target = AnyObject(false);
            if (!target || !(Vocabulary::IsForm(target->ObjType()) || target->ObjType() == Vocabulary::Type::Frame))
                target = Vocabulary::IsForm(source->ObjType()) ? source->App() : source->Form();
            root.Designer().SelectItem(target);
            did = source->FullID() + QStringLiteral(" pasted on ") + target->FullID();
            return edit.Paste();
        }
        case 7:
        case 8:
            return SheetChange(did);
        default: {
            if (!item || item->Parent()->Children().Count() < 2)
                return false;
            std::vector<QString> siblings;
            for (const auto &entry : item->Parent()->Children())
                if (entry.Value != item)
                    siblings.push_back(entry.Value->ID());
            const QString next = siblings[std::size_t(Pick(int(siblings.size())))];
            const bool after = Pick(2) == 1;
            did += QStringLiteral(" moved %1 %2").arg(after ? "after" : "before", next);
            return edit.RepositionItem(*item, next, after);
        }
        }
    }
};

unsigned Seed()
{
    const QByteArray fixed = qgetenv("CORVANE_UNDO_SEED");
    return fixed.isEmpty() ? std::random_device{}() : fixed.toUInt();
}
} // namespace

TEST(UndoRedo, RandomEditsUndoneAndRedoneGiveBackTheTextsOfTheirChanges)
{
    const unsigned seed = Seed();
    SCOPED_TRACE("CORVANE_UNDO_SEED=" + std::to_string(seed));
    World world(seed);
    ASSERT_TRUE(world.root.Designer().SetTemplate(Sample()));
    ASSERT_TRUE(world.prompter.ReportTexts().empty()) << world.prompter.ReportTexts().front().toStdString();
    EditCommands &edit = world.root.Edit();

    std::vector<QString> texts{world.Saved()};
    std::size_t at = 0; // texts[at] is the text now; those after it can be redone
    int renames = 0;
    int changes = 0;
    QStringList steps; // what was done, for the report of a failure
    for (int step = 0; step < 400; ++step) {
        const int what = world.Pick(10);
        QString did;
        if (what < 5) {
            const int records = world.root.Undo().Count();
            world.Change(renames, did);
            const QString now = world.Saved();
            if (world.root.Undo().Count() > records) {
                texts.resize(at + 1);
                texts.push_back(now);
                ++at;
                ++changes;
                ASSERT_FALSE(edit.RedoRecords().CanUndo()) << "a change keeps nothing to redo, step " << step;
            } else {
                ASSERT_EQ(now.toStdString(), texts[at].toStdString()) << "a change without a record, step " << step;
            }
        } else if (what < 8) {
            did = QStringLiteral("undo");
            EXPECT_EQ(edit.Undo(), at > 0) << "step " << step;
            if (at > 0)
                --at;
        } else {
            did = QStringLiteral("redo");
            EXPECT_EQ(edit.Redo(), at + 1 < texts.size()) << "step " << step;
            if (at + 1 < texts.size())
                ++at;
        }
        steps << QString::number(step) + QLatin1Char(' ') + did;
        ASSERT_EQ(world.Saved().toStdString(), texts[at].toStdString()) << steps.join('\n').toStdString();
        EXPECT_EQ(world.states.RedoEnabled, at + 1 < texts.size()) << "step " << step;
        EXPECT_EQ(world.states.Enabled, at > 0) << "step " << step;
    }
    // The run must have done each thing often enough to mean something.
    EXPECT_GT(changes, 80);
    EXPECT_GT(steps.filter(QStringLiteral(" deleted")).size(), 10);
    EXPECT_GT(steps.filter(QStringLiteral(" pasted on ")).size(), 10);
    EXPECT_GT(steps.filter(QStringLiteral(" properties")).size(), 20);
    for (const QString &report : world.prompter.ReportTexts())
        ADD_FAILURE() << report.toStdString();
}

// A control's own colour and font equal to its form's are still its own after a load (here
// the one that puts a deleted control back) and after Undo puts them back: the form's next
// change leaves them alone.
TEST(UndoRedo, OwnValuesEqualToTheFormsStayOwn)
{
    namespace Prop = Vocabulary::Prop;
    World world(1);
    const QString text = Project({MinimalApp(), Create("APP*F", 5), LoaderText::Prop(Prop::BackColor, "255", "APP*F"),
                                  LoaderText::Prop(Prop::FontSize, "12", "APP*F"), Create("APP*F*Label1", 15),
                                  LoaderText::Prop(Prop::BackColor, "255", "APP*F*Label1"),
                                  LoaderText::Prop(Prop::FontSize, "12", "APP*F*Label1")});
    ASSERT_TRUE(world.root.Designer().SetTemplate(text));
    const QString saved = world.Saved();
    EditCommands &edit = world.root.Edit();
    clsControl *form = world.root.Items().Find(QStringLiteral("APP*F"));
    const auto label = [&] { return world.root.Items().Find(QStringLiteral("APP*F*Label1")); };

    world.root.Designer().SelectItem(label());
    ASSERT_TRUE(edit.Delete());
    ASSERT_TRUE(edit.Undo());
    EXPECT_EQ(world.Saved().toStdString(), saved.toStdString());
    form->SetProperty(Prop::BackColor, QStringLiteral("0"));
    EXPECT_EQ(label()->GetProperty(Prop::BackColor), "255");

    edit.BeginPropertiesChange(*label());
    label()->SetProperty(Prop::FontSize, QStringLiteral("9"));
    edit.EndPropertiesChange();
    ASSERT_TRUE(edit.Undo());
    form->SetProperty(Prop::FontSize, QStringLiteral("20"));
    EXPECT_EQ(label()->GetProperty(Prop::FontSize), "12");
}
