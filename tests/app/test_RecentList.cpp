// clsRecentList: newest first, no duplicates regardless of case, bounded by its size, and
// the numbered errors for a bad size or index.
#include "app/clsRecentList.h"
#include "support/GuiError.h"

#include <functional>

#include <gtest/gtest.h>

#include "ErrorOf.h"

namespace {
struct Row {
    const char *what;
    int size;
    QStringList added; // oldest first
    std::function<void(clsRecentList &)> action;
    QStringList expected;
    int error = 0;
};

} // namespace

TEST(RecentList, BehavesAsTheTableSays)
{
    const std::vector<Row> rows = {
        {"adding puts the entry first", 4, {"a", "b"}, [](clsRecentList &l) { l.AddItem("c"); }, {"c", "b", "a"}},
        {"a fifth entry drops the oldest", 4, {"a", "b", "c", "d"}, [](clsRecentList &l) { l.AddItem("e"); },
         {"e", "d", "c", "b"}},
        {"an entry differing in case moves up, newly spelled", 4, {"a", "b", "c", "d"},
         [](clsRecentList &l) { l.AddItem("B"); }, {"B", "d", "c", "a"}},
        {"adding the newest again changes nothing", 4, {"a", "b"}, [](clsRecentList &l) { l.AddItem("b"); }, {"b", "a"}},
        {"a smaller size keeps the newest", 4, {"a", "b", "c", "d"}, [](clsRecentList &l) { l.SetListSize(2); },
         {"d", "c"}},
        {"a larger size keeps every entry", 4, {"a", "b", "c", "d"},
         [](clsRecentList &l) { l.SetListSize(25); l.AddItem("e"); }, {"e", "d", "c", "b", "a"}},
        {"size 0 empties the list and takes nothing", 4, {"a", "b"},
         [](clsRecentList &l) { l.SetListSize(0); l.AddItem("x"); }, {}},
        {"removing ignores case and closes the gap", 4, {"a", "b", "c"}, [](clsRecentList &l) { l.RemoveItem("B"); },
         {"c", "a"}},
        {"removing an unknown entry changes nothing", 4, {"a"}, [](clsRecentList &l) { l.RemoveItem("zz"); }, {"a"}},
        {"clear", 4, {"a", "b"}, [](clsRecentList &l) { l.Clear(); }, {}},
        {"writing an entry", 4, {"a", "b"}, [](clsRecentList &l) { l.SetListItem(2, "z"); }, {"b", "z"}},
        {"size 26 is refused", 4, {"a"}, [](clsRecentList &l) { l.SetListSize(26); }, {"a"}, 380},
        {"size -1 is refused", 4, {"a"}, [](clsRecentList &l) { l.SetListSize(-1); }, {"a"}, 380},
        {"index 0", 4, {"a"}, [](clsRecentList &l) { l.ListItem(0); }, {"a"}, 381},
        {"index past the count", 4, {"a"}, [](clsRecentList &l) { l.ListItem(2); }, {"a"}, 381},
        {"writing past the count", 4, {"a"}, [](clsRecentList &l) { l.SetListItem(2, "x"); }, {"a"}, 381},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        clsRecentList list;
        list.SetListSize(row.size);
        for (const QString &entry : row.added)
            list.AddItem(entry);
        EXPECT_EQ(ErrorOf([&] { row.action(list); }), row.error);
        EXPECT_EQ(list.Items(), row.expected);
        ASSERT_EQ(list.ListCount(), row.expected.size());
        for (int i = 1; i <= list.ListCount(); ++i)
            EXPECT_EQ(list.ListItem(i), row.expected[i - 1]);
    }
}
