// DynamicArray: extraction, creation of missing elements, insert/delete at every level, and
// the position hint staying correct across edits.
#include "support/DynamicArray.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

namespace {
const QString AM = Marks::AttributeMark();
const QString VM = Marks::ValueMark();
const QString SM = Marks::SubValueMark();

DynamicArray Record(const QString &text) { return DynamicArray(text, DynamicArray::RecordDelimiters()); }
DynamicArray Project(const QString &text) { return DynamicArray(text, DynamicArray::ProjectDelimiters()); }
} // namespace

TEST(DynamicArray, ExtractAddressesEveryLevelAndReadsEmptyBeyondTheData)
{
    DynamicArray a = Project("A" + AM + "b1" + VM + "b2" + SM + "x" + AM + AM + "d");
    EXPECT_EQ(a.Extract({1}), "A");
    EXPECT_EQ(a.Extract({2}), "b1" + VM + "b2" + SM + "x");
    EXPECT_EQ(a.Extract({2, 2}), "b2" + SM + "x");
    EXPECT_EQ(a.Extract({2, 2, 2}), "x");
    EXPECT_EQ(a.Extract({3}), "");
    EXPECT_EQ(a.Extract({4}), "d");
    EXPECT_EQ(a.Extract({5}), "");
    EXPECT_EQ(a.Extract({1, 5}), "");
    EXPECT_EQ(a.Extract({2, 0, 3}), a.Extract({2}));
    EXPECT_EQ(a.Extract({}), a.Text());
    EXPECT_EQ(a.Extract({-1}), "");

    DynamicArray rec = Record("2" + VM + "A*F" + VM + VM + "15");
    EXPECT_EQ(rec.Extract({6}), "") << "field 6 of a four-field record";
    EXPECT_EQ(rec.Count(), 4);
}

TEST(DynamicArray, ReplaceCreatesMissingElementsEmpty)
{
    DynamicArray rec = Record("");
    rec.Replace({4}, "v");
    EXPECT_EQ(rec.Text(), VM + VM + VM + "v");

    DynamicArray p = Project("a");
    p.Replace({3, 2, 2}, "z");
    EXPECT_EQ(p.Text(), "a" + AM + AM + VM + SM + "z");
    p.Replace({1}, "A");
    EXPECT_EQ(p.Extract({3, 2, 2}), "z");
    p.Replace({3, 2}, "w");
    EXPECT_EQ(p.Text(), "A" + AM + AM + VM + "w");
    p.Replace({-1}, "end");
    EXPECT_EQ(p.Count(), 4);
    EXPECT_EQ(p.Extract({4}), "end");

    DynamicArray e = Project("");
    e.Replace({-1}, "first");
    EXPECT_EQ(e.Text(), "first");
}

TEST(DynamicArray, InsertAppendDeleteKeepTheOtherElements)
{
    DynamicArray a = Record("a" + VM + "b" + VM + "c");
    a.Insert({2}, "X");
    EXPECT_EQ(a.Text(), "a" + VM + "X" + VM + "b" + VM + "c");
    a.Insert({6}, "Y");
    EXPECT_EQ(a.Text(), "a" + VM + "X" + VM + "b" + VM + "c" + VM + VM + "Y");
    a.Delete({6});
    a.Delete({5});
    EXPECT_EQ(a.Text(), "a" + VM + "X" + VM + "b" + VM + "c");
    a.Delete({1});
    EXPECT_EQ(a.Text(), "X" + VM + "b" + VM + "c");
    a.Delete({3});
    EXPECT_EQ(a.Text(), "X" + VM + "b");
    a.Delete({9});
    EXPECT_EQ(a.Text(), "X" + VM + "b");
    a.Delete({2});
    a.Delete({1});
    EXPECT_EQ(a.Text(), "");
    EXPECT_EQ(a.Count(), 0);

    a.Append("one");
    a.Append("two");
    a.Append("2b", {2});
    EXPECT_EQ(a.Text(), "one" + VM + "two" + SM + "2b");
    a.Append("3a", {3});
    EXPECT_EQ(a.Text(), "one" + VM + "two" + SM + "2b" + VM + "3a");

    DynamicArray e = Record("");
    e.Insert({1}, "only");
    EXPECT_EQ(e.Text(), "only");
    e.Insert({1, 2}, "sub");
    EXPECT_EQ(e.Text(), "only" + SM + "sub");
    e.Delete({1, 1});
    EXPECT_EQ(e.Text(), "sub");
}

TEST(DynamicArray, CountAndLocate)
{
    DynamicArray a = Project("x" + AM + "p" + VM + "q" + SM + "r" + AM + "Vars=3");
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(a.Count({2}), 2);
    EXPECT_EQ(a.Count({2, 2}), 2);
    EXPECT_EQ(a.Count({9}), 0);

    DynamicArray::Positions pos;
    EXPECT_TRUE(a.Locate("Vars=", pos, DynamicArray::StartsWith));
    EXPECT_EQ(pos, (DynamicArray::Positions{3}));
    pos.clear();
    EXPECT_FALSE(a.Locate("Vars=", pos));
    EXPECT_EQ(pos, (DynamicArray::Positions{4}));
    pos = {2};
    EXPECT_TRUE(a.Locate("p", pos));
    EXPECT_EQ(pos, (DynamicArray::Positions{2, 1}));
    pos = {2, 2};
    EXPECT_TRUE(a.Locate("r", pos));
    EXPECT_EQ(pos, (DynamicArray::Positions{2, 2, 2}));
}

TEST(DynamicArray, CrLfAndFourLevelHierarchies)
{
    DynamicArray lines("10 X=1\r\n20 Y=2\r\n", {});
    lines.SetDelimiter(1, "\r\n");
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Extract({2}), "20 Y=2");
    EXPECT_EQ(lines.Extract({3}), "");
    lines.Insert({2}, "15 Z=0");
    EXPECT_EQ(lines.Text(), "10 X=1\r\n15 Z=0\r\n20 Y=2\r\n");

    DynamicArray undo("", DynamicArray::UndoDelimiters());
    undo.Replace({1, 2, 3, 2}, "deep");
    const QString SG = Marks::SegmentMark();
    EXPECT_EQ(undo.Text(), AM + VM + VM + SM + "deep");
    undo.Insert({1}, "newest");
    EXPECT_EQ(undo.Extract({1}), "newest");
    EXPECT_EQ(undo.Extract({2, 2, 3, 2}), "deep");
    EXPECT_EQ(undo.Count(), 2);
    EXPECT_TRUE(undo.Text().contains(SG));
}

// Walks forwards and backwards and edits between reads, so a stale hint would show.
TEST(DynamicArray, HintSurvivesEditsAndOutOfOrderAccess)
{
    DynamicArray a("", DynamicArray::RecordDelimiters());
    for (int i = 1; i <= 50; ++i)
        a.Replace({i}, QString::number(i));
    for (int i = 1; i <= 50; ++i)
        ASSERT_EQ(a.Extract({i}), QString::number(i));
    EXPECT_EQ(a.Extract({10}), "10");
    a.Replace({5}, "five" + SM + "5b");
    EXPECT_EQ(a.Extract({6}), "6");
    EXPECT_EQ(a.Extract({5, 2}), "5b");
    a.Delete({3});
    EXPECT_EQ(a.Extract({3}), "4");
    EXPECT_EQ(a.Extract({4, 1}), "five");
    a.Insert({2}, "new");
    EXPECT_EQ(a.Extract({2}), "new");
    EXPECT_EQ(a.Extract({3}), "2");
    EXPECT_EQ(a.Extract({50}), "50");
    EXPECT_EQ(a.Extract({1}), "1");
    EXPECT_EQ(a.Count(), 50);
}
