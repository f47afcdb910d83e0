// The project tree widget: it follows the six calls of the registry (nodes at their
// positions, subtrees that move and go with their node, a form's rename re-keying its controls
// but a frame's not) and is where the user selects, renames and drags items.
#include "EditStack.h"
#include "LoaderTestSupport.h"
#include "app/clsDesigner.h"
#include "designer/DragCursors.h"
#include "designer/ItemImages.h"
#include "designer/clsProjectTree.h"
#include "designer/iProjectTreeHost.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace LoaderText;

namespace {
QStringList Texts(const QTreeWidgetItem *node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << clsProjectTree::FullIdOf(node->child(i));
    return texts;
}

// A project loaded with the tree linked to the designer, the edit commands and a scripted
// prompter: APP with forms F (Label1, Frame1 holding Text1, Check1) and G (Label1).
struct Fixture : EditStack, iProjectTreeHost
{
    QTreeWidget view;
    clsProjectTree tree{view};
    int editsStarted = 0, editsEnded = 0, statusRefreshes = 0;
    void LabelEditStarted() override { ++editsStarted; }
    void LabelEditEnded() override { ++editsEnded; }
    void TreeContextMenu(const QPoint &) override {}
    void TreeChangedItem() override { ++statusRefreshes; }

    Fixture()
    {
        clsProjectTree::Links links;
        links.Designer = &designer;
        links.Edit = &edit;
        links.Prompter = &prompter;
        links.Host = this;
        tree.SetLinks(links);
        designer.SetProjectTree(&tree);
        EXPECT_TRUE(designer.SetTemplate(Project(
            {MinimalApp(), Create("APP*F", 5), Create("APP*F*Label1", 15),
             Create("APP*F*Frame1", 26), Create("APP*F*Text1", 16, "Frame1"),
             Create("APP*F*Check1", 20), Create("APP*G", 5), Create("APP*G*Label1", 15)})));
        view.resize(300, 400);
        view.show();
        prompter.Clear();
    }
    ~Fixture() { designer.ReleaseAll(); }
    QTreeWidgetItem *Node(const QString &id) const { return tree.Node(id); }
    clsControl *Item(const QString &id) const { return items.Find(id); }
    QPoint Centre(const QString &id) const { return view.visualItemRect(Node(id)).center(); }
};
} // namespace

TEST(clsProjectTree, FollowsAddsMovesRenamesAndRemovals)
{
    QTreeWidget view;
    clsProjectTree tree(view);
    tree.AddItem(0, 0, "APP", {});
    tree.AddItem(5, 0, "APP*F", "APP");
    tree.AddItem(26, 0, "APP*F*Frame1", "app*f");
    tree.AddItem(16, 0, "APP*F*Text1", "APP*F*FRAME1");
    tree.AddItem(15, 0, "APP*F*Label1", "APP*F"); // in front of the frame
    tree.AddItem(75, 9, "APP**Menu1", "APP");      // beyond the end: at the end
    tree.Refresh();
    ASSERT_EQ(view.topLevelItemCount(), 1);
    EXPECT_EQ(Texts(tree.Node("APP")), (QStringList{"APP*F", "APP**Menu1"}));
    EXPECT_EQ(Texts(tree.Node("APP*F")), (QStringList{"APP*F*Label1", "APP*F*Frame1"}));
    EXPECT_EQ(tree.Node("APP*F*LABEL1")->text(0), "Label1");
    EXPECT_EQ(tree.Node("APP*F*LABEL1")->toolTip(0), "Label APP*F*Label1");
    EXPECT_TRUE(tree.Node("APP*F")->isExpanded());

    // A move takes the subtree along.
    tree.RepositionItem("APP*F*Frame1", "APP*F", 0);
    EXPECT_EQ(Texts(tree.Node("APP*F")), (QStringList{"APP*F*Frame1", "APP*F*Label1"}));
    EXPECT_EQ(Texts(tree.Node("APP*F*Frame1")), QStringList{"APP*F*Text1"});

    // A form's rename re-keys its controls, nested ones too; a frame's rename only itself.
    tree.RenameItem("APP*F", "APP*Main");
    EXPECT_EQ(tree.Node("APP*F"), nullptr);
    ASSERT_NE(tree.Node("APP*MAIN*TEXT1"), nullptr);
    EXPECT_EQ(tree.Node("APP*Main")->text(0), "Main");
    tree.RenameItem("APP*Main*Frame1", "APP*Main*Box");
    EXPECT_NE(tree.Node("APP*Main*Text1"), nullptr);
    EXPECT_EQ(Texts(tree.Node("APP*Main*Box")), QStringList{"APP*Main*Text1"});

    tree.Highlight("app*main*label1");
    EXPECT_EQ(view.currentItem(), tree.Node("APP*Main*Label1"));

    // Removing a node forgets its subtree; clearing forgets everything.
    tree.RemoveItem("APP*Main");
    EXPECT_EQ(tree.Node("APP*Main*Text1"), nullptr);
    EXPECT_EQ(Texts(tree.Node("APP")), QStringList{"APP**Menu1"});
    tree.AddItem(1, 0, "OTHER", {});
    tree.EndFill();
    EXPECT_EQ(view.topLevelItemCount(), 2);
    tree.RemoveAll();
    EXPECT_EQ(view.topLevelItemCount(), 0);
    EXPECT_EQ(tree.Node("APP"), nullptr);
    // Calls about nodes it does not have change nothing.
    tree.RemoveItem("APP");
    tree.RenameItem("APP", "B");
    tree.RepositionItem("APP", {}, 0);
    tree.Highlight("APP");
    EXPECT_EQ(view.topLevelItemCount(), 0);
}

TEST(clsProjectTree, EveryKindHasItsOwnImageAndEveryNodeShowsIt)
{
    const QStringList keys = ItemImages::TypeKeys();
    ASSERT_EQ(keys.size(), 22);
    QSet<QByteArray> seen;
    for (const QString &key : keys) {
        const QIcon icon = ItemImages::Icon(key);
        ASSERT_FALSE(icon.isNull()) << key.toStdString();
        for (int size : {16, 32}) {
            const QImage image = icon.pixmap(size, size).toImage();
            EXPECT_EQ(image.size(), QSize(size, size)) << key.toStdString();
            // Both something drawn and something left transparent or light.
            int dark = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    dark += qAlpha(image.pixel(x, y)) > 128 && qGray(image.pixel(x, y)) < 128;
            EXPECT_GT(dark, size / 4) << key.toStdString() << " " << size;
        }
        const QImage small = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
        seen.insert(QByteArray(reinterpret_cast<const char *>(small.constBits()), small.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), keys.size()); // no two kinds look alike
    EXPECT_TRUE(ItemImages::Icon("Nothing").isNull());
    EXPECT_TRUE(ItemImages::IconOfType(-1).isNull());

    // Node icons come from the type: a text box of any of its codes shows the Textbox image.
    Fixture f;
    const QImage textbox = ItemImages::Icon("Textbox").pixmap(16, 16).toImage();
    EXPECT_EQ(f.Node("APP*F*Text1")->icon(0).pixmap(16, 16).toImage(), textbox);
    EXPECT_EQ(f.Node("APP*F*Frame1")->icon(0).pixmap(16, 16).toImage(),
              ItemImages::Icon("Frame").pixmap(16, 16).toImage());
}

TEST(clsProjectTree, DragCursorsComeInTwoSetsOfEight)
{
    QSet<QByteArray> shapes;
    for (int first : {8110, 8210})
        for (int i = 0; i < DragCursors::ShapeCount; ++i) {
            const QCursor cursor = DragCursors::Cursor(first + i);
            ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << first + i;
            const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
            shapes.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()),
                                     image.sizeInBytes()));
            if (first == 8110) {
                // Few colours: only black, white and clear pixels.
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        const QRgb p = image.pixel(x, y);
                        ASSERT_TRUE(qAlpha(p) == 0 || p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255))
                            << first + i << " at " << x << "," << y;
                    }
            }
        }
    EXPECT_EQ(shapes.size(), 16);
    EXPECT_EQ(DragCursors::Cursor(8300).shape(), Qt::ArrowCursor);
}

TEST(clsProjectTree, NodeAndSelectionFollowEachOtherWithoutLooping)
{
    Fixture f;
    // A click on a node selects its item.
    QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.Centre("APP*F*Check1"));
    EXPECT_EQ(f.designer.CurrentItem(), f.Item("APP*F*CHECK1"));
    EXPECT_EQ(f.prompter.StatusTexts.back(), "Checkbox APP*F*Check1");
    // Selecting the item elsewhere highlights its node; the tree does not select again.
    const size_t texts = f.prompter.StatusTexts.size();
    ASSERT_TRUE(f.designer.SelectItem("APP*G*Label1"));
    EXPECT_EQ(f.view.currentItem(), f.Node("APP*G*Label1"));
    EXPECT_EQ(f.prompter.StatusTexts.size(), texts + 1);
    // Arrow keys move the node and the selection along.
    f.view.setFocus();
    QTest::keyClick(&f.view, Qt::Key_Up);
    EXPECT_EQ(f.designer.CurrentItem(), f.Item("APP*G"));
}

TEST(clsProjectTree, LabelEditsRenameTheItemOrAreRefusedWithTheLabelKept)
{
    Fixture f;
    // Accepted, trimmed, undoable; the form's rename re-keys its controls' nodes.
    EXPECT_TRUE(f.tree.CommitLabel(f.Node("APP*F"), "  Main "));
    EXPECT_EQ(f.Item("APP*F"), nullptr);
    ASSERT_NE(f.Node("APP*Main*Text1"), nullptr);
    EXPECT_EQ(f.Node("APP*Main")->text(0), "Main");
    EXPECT_EQ(f.undo.CurrentCaption(), "Undo rename");
    EXPECT_EQ(f.statusRefreshes, 1);
    EXPECT_TRUE(f.designer.ProjectOf(f.Item("APP"))->Changed);
    ASSERT_TRUE(f.edit.Undo());
    EXPECT_EQ(f.Node("APP*Main"), nullptr);
    EXPECT_EQ(f.Node("APP*F")->text(0), "F");
    EXPECT_EQ(f.Item("APP*F*Text1")->FullID(), "APP*F*Text1");

    // A sibling's ID in another case: refused with the exact message, nothing changes.
    EXPECT_FALSE(f.tree.CommitLabel(f.Node("APP*F*Check1"), "LABEL1"));
    ASSERT_EQ(f.prompter.Calls.size(), 1u);
    EXPECT_EQ(f.prompter.Calls[0].Text, "A control with ID \"LABEL1\" already exists in form \"F\"");
    EXPECT_EQ(f.prompter.Calls[0].Icon, MessageIcon::Exclamation);
    EXPECT_EQ(f.Node("APP*F*Check1")->text(0), "Check1");
    EXPECT_NE(f.Item("APP*F*Check1"), nullptr);
    // A control inside the frame shares the form's IDs too.
    EXPECT_FALSE(f.tree.CommitLabel(f.Node("APP*F*Text1"), "check1"));
    EXPECT_FALSE(f.tree.CommitLabel(f.Node("APP*G"), "f"));
    EXPECT_EQ(f.prompter.Calls.back().Text, "A form with ID \"f\" already exists in application \"APP\"");
    // Not an ID: the item layer's message.
    f.prompter.Clear();
    for (const QString &bad : {QString(), QString("two words"), QString("a*b"),
                               QString("x") + QChar(0xF8FD), QString(65, 'x')})
        EXPECT_FALSE(f.tree.CommitLabel(f.Node("APP*F*Check1"), bad)) << bad.toStdString();
    ASSERT_EQ(f.prompter.Calls.size(), 5u);
    EXPECT_EQ(f.prompter.Calls[0].Text, "The specified ID is not valid for the object being created");
    EXPECT_EQ(f.Node("APP*F*Check1")->text(0), "Check1");

    // The same ID on another form, and a change of case only, are accepted.
    EXPECT_TRUE(f.tree.CommitLabel(f.Node("APP*G*Label1"), "Check1"));
    EXPECT_NE(f.Node("APP*G*Check1"), nullptr);
    EXPECT_TRUE(f.tree.CommitLabel(f.Node("APP*F*Label1"), "LABEL1"));
    EXPECT_EQ(f.Node("APP*F*Label1")->text(0), "LABEL1");
    EXPECT_EQ(f.prompter.Calls.size(), 5u);
}

TEST(clsProjectTree, F2EditsTheLabelAndTheEditShortcutsFollowTheEditor)
{
    Fixture f;
    // The editor of an ended edit goes later: the one to type into is the one shown.
    const auto openEditor = [&f]() -> QLineEdit * {
        QLineEdit *shown = nullptr;
        // A null editor fails the caller's check.
        (void)QTest::qWaitFor([&] {
            for (QLineEdit *e : f.view.viewport()->findChildren<QLineEdit *>())
                if (e->isVisible())
                    shown = e;
            return shown != nullptr;
        }, 5000);
        return shown;
    };
    f.tree.Highlight("APP*F*Check1");
    QTest::keyClick(&f.view, Qt::Key_F2);
    EXPECT_EQ(f.editsStarted, 1);
    EXPECT_EQ(f.editsEnded, 0);
    auto *editor = openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "Check1"); // the edit starts from the current ID
    editor->setText("Agree");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&f] { return f.editsEnded == 1 && f.Node("APP*F*Agree"); }, 5000));
    ASSERT_NE(f.Node("APP*F*Agree"), nullptr);
    EXPECT_EQ(f.Node("APP*F*Agree")->text(0), "Agree");

    // Escape leaves the ID alone.
    f.tree.Highlight("APP*F*Agree");
    QTest::keyClick(&f.view, Qt::Key_F2);
    EXPECT_EQ(f.editsStarted, 2);
    editor = openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "Agree");
    editor->setText("Other");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&f] { return f.editsEnded == 2; }, 5000));
    EXPECT_NE(f.Item("APP*F*Agree"), nullptr);
    EXPECT_TRUE(f.prompter.Calls.empty());
}

TEST(clsProjectTree, DraggingANodeMovesItsItemAmongItsSiblings)
{
    Fixture f;
    auto drag = [&](const QString &from, const QString &to) {
        const QPoint start = f.Centre(from), end = f.Centre(to);
        QTest::mousePress(f.view.viewport(), Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, QPointF((start + end) / 2),
                         f.view.viewport()->mapToGlobal(QPointF((start + end) / 2)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(f.view.viewport(), &move);
        QMouseEvent over(QEvent::MouseMove, QPointF(end), f.view.viewport()->mapToGlobal(QPointF(end)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(f.view.viewport(), &over);
        const QCursor shown = f.view.viewport()->cursor();
        QTest::mouseRelease(f.view.viewport(), Qt::LeftButton, {}, end);
        return shown;
    };
    // The frame goes down behind Check1, with Text1 inside it.
    const QCursor during = drag("APP*F*Frame1", "APP*F*Check1");
    EXPECT_EQ(during.pixmap().toImage(),
              DragCursors::Cursor(8210 + DragCursors::InsertAfter).pixmap().toImage());
    EXPECT_EQ(f.Item("APP*F")->GetChildList(-1, -1).split(QChar(0xF8FD)),
              (QStringList{"APP*F*Label1", "APP*F*Check1", "APP*F*Frame1"}));
    EXPECT_EQ(Texts(f.Node("APP*F")), (QStringList{"APP*F*Label1", "APP*F*Check1", "APP*F*Frame1"}));
    EXPECT_EQ(Texts(f.Node("APP*F*Frame1")), QStringList{"APP*F*Text1"});
    EXPECT_TRUE(f.designer.ProjectOf(f.Item("APP"))->Changed);
    EXPECT_EQ(f.view.viewport()->cursor().shape(), Qt::ArrowCursor);

    // Onto its form: first place.
    drag("APP*F*Frame1", "APP*F");
    EXPECT_EQ(Texts(f.Node("APP*F")), (QStringList{"APP*F*Frame1", "APP*F*Label1", "APP*F*Check1"}));

    // Onto another form, or into the frame: refused with the no-drop cursor; nothing moves.
    const QCursor refused = drag("APP*F*Check1", "APP*G*Label1");
    EXPECT_EQ(refused.pixmap().toImage(),
              DragCursors::Cursor(8210 + DragCursors::NoDrop).pixmap().toImage());
    EXPECT_EQ(f.prompter.StatusTexts.back(), "\"Check1\" can only be moved among the objects of \"F\"");
    drag("APP*F*Check1", "APP*F*Text1");
    EXPECT_EQ(Texts(f.Node("APP*F")), (QStringList{"APP*F*Frame1", "APP*F*Label1", "APP*F*Check1"}));
    EXPECT_EQ(Texts(f.Node("APP*G")), QStringList{"APP*G*Label1"});
    // The application does not move at all.
    EXPECT_FALSE(f.tree.DropNode(f.Node("APP"), f.Node("APP*F")));
}

TEST(clsProjectTree, AWholeProjectIsAddedWithoutARepaintPerNode)
{
    QStringList body{MinimalApp()};
    int objects = 1;
    for (int form = 0; objects < 20000; ++form) {
        const QString f = QStringLiteral("APP*F%1").arg(form);
        body << Create(f, 5);
        ++objects;
        for (int c = 0; c < 99 && objects < 20000; ++c, ++objects)
            body << Create(f + QStringLiteral("*L%1").arg(c), 15);
    }
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer(items, &prompter);
    QTreeWidget view;
    view.show();
    clsProjectTree tree(view);
    designer.SetProjectTree(&tree);
    // Counts the view's row insertions: one per node added to a shown parent.
    int insertions = 0;
    QObject::connect(view.model(), &QAbstractItemModel::rowsInserted, [&] { ++insertions; });
    ASSERT_TRUE(designer.SetTemplate(Project(body)));
    EXPECT_FALSE(tree.Filling());
    EXPECT_TRUE(view.updatesEnabled());
    EXPECT_EQ(insertions, 1); // the application with everything below it, in one go
    ASSERT_EQ(view.topLevelItemCount(), 1);
    EXPECT_EQ(view.topLevelItem(0)->childCount(), 200);
    EXPECT_NE(tree.Node("APP*F199*L97"), nullptr);

    // A single object added later joins at once when control returns to the event loop.
    designer.AddControl(15, "APP*F0*Extra", {}, "1", "1", "", "");
    EXPECT_TRUE(tree.Filling());
    EXPECT_FALSE(view.updatesEnabled());
    QApplication::processEvents();
    EXPECT_FALSE(tree.Filling());
    EXPECT_EQ(tree.Node("APP*F0")->child(99), tree.Node("APP*F0*Extra"));

    designer.ReleaseAll();
    EXPECT_EQ(view.topLevelItemCount(), 0);
    EXPECT_EQ(tree.Node("APP*F0*L1"), nullptr);
}
