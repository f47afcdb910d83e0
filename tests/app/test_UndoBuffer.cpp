// The undo buffer: newest record first, at most twenty, records whose second datum is a whole
// project text, and the Undo command state told to the menus. (The caption of each kind is
// pinned where the edit commands leave their records.)
#include "RecordingPorts.h"
#include "app/UndoBuffer.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/DynamicArray.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

namespace {
const QString AM(QChar(Marks::Attribute));
const QString VM(QChar(Marks::Value));
} // namespace

TEST(UndoBuffer, KeepsTheNewestTwentyNewestFirst)
{
    DynamicArray store;
    UndoBuffer undo(store);
    RecordingCommandStates state;
    undo.SetStateListener(&state);
    EXPECT_FALSE(state.Enabled);
    EXPECT_EQ(state.Caption, "Undo");

    for (int i = 1; i <= 25; ++i)
        ASSERT_TRUE(undo.Add(UndoBuffer::Move, QStringLiteral("A*F*L%1").arg(i), "1" + VM + "2"));
    EXPECT_EQ(undo.Count(), 20);
    EXPECT_EQ(undo.Newest().First, "A*F*L25");
    EXPECT_EQ(undo.At(20).First, "A*F*L6");
    EXPECT_EQ(undo.At(21).Kind, 0);
    EXPECT_EQ(state.Caption, "Undo move");
    EXPECT_TRUE(state.Enabled);

    for (int i = 0; i < 20; ++i) {
        EXPECT_TRUE(state.Enabled);
        undo.DropNewest();
    }
    EXPECT_TRUE(undo.IsEmpty());
    EXPECT_FALSE(state.Enabled);
    EXPECT_EQ(state.Caption, "Undo move") << "an empty buffer keeps the caption last shown";
    undo.DropNewest(); // nothing to drop
    EXPECT_TRUE(undo.IsEmpty());
}

TEST(UndoBuffer, RecordsKeepProjectTextsWhole)
{
    DynamicArray store(QString(), DynamicArray::UndoDelimiters());
    UndoBuffer undo(store);
    const QString text = "TEMPLATE" + VM + "1" + AM + "0" + VM + "1.4" + VM + "0" + AM + "2" + VM
        + "A*F*L1" + VM + VM + "15" + AM + "4" + VM + VM + "22" + VM + VM + VM + "a"
        + QChar(Marks::SubValue) + "b" + AM + "0" + VM + "-1";
    undo.Add(UndoBuffer::Delete, "A*F", text);
    undo.Add(UndoBuffer::Rename, "A*F*NEW", "Old");
    undo.Add(UndoBuffer::Paste, QString(), "A*F*X" + VM + "A*F*Y");

    EXPECT_EQ(undo.At(1).Kind, UndoBuffer::Paste);
    EXPECT_EQ(undo.At(1).First, "");
    EXPECT_EQ(undo.At(1).Second.split(VM), QStringList({"A*F*X", "A*F*Y"}));
    EXPECT_EQ(undo.At(2).Second, "Old");
    const UndoBuffer::Record deleted = undo.At(3);
    EXPECT_EQ(deleted.Kind, UndoBuffer::Delete);
    EXPECT_EQ(deleted.First, "A*F");
    EXPECT_EQ(deleted.Second, text);

    // What would split the record or has no caption is not kept.
    EXPECT_FALSE(undo.Add(UndoBuffer::Delete, "A*F", "x" + QString(QChar(Marks::Segment)) + "y"));
    EXPECT_FALSE(undo.Add(12, "A", "B"));
    EXPECT_FALSE(undo.Add(0, "A", "B"));
    EXPECT_EQ(undo.Count(), 3);
}

TEST(UndoBuffer, GeometryGivesBackTheSameTwips)
{
    clsItems items;
    clsControl &app = items.CreateItem(0, "A");
    app.SetProperty(7, "6"); // millimetres: 56.7 twips each, no whole number of twips
    items.CreateItem(5, "A*F");
    clsControl &label = items.CreateItem(15, "A*F*L");
    label.Move("12.34", "auto", "7.77", "3.01");
    const int left = label.TwipLeft(), width = label.TwipWidth(), height = label.TwipHeight();
    const QString kept = UndoBuffer::GeometryText(label);
    const QStringList parts = kept.split(VM);
    ASSERT_EQ(parts.size(), 4);
    EXPECT_EQ(parts[1], "-100000000");

    label.Move("1", "2", "3", "4");
    label.Move(parts[0], "auto", parts[2], parts[3]);
    EXPECT_EQ(label.TwipLeft(), left);
    EXPECT_EQ(label.TwipWidth(), width);
    EXPECT_EQ(label.TwipHeight(), height);
    EXPECT_TRUE(label.AutoTop());
}
