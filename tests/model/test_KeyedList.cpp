// The ordered keyed collection behind the registry and every item's children.
#include "model/KeyedList.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

template <typename V>
QStringList Keys(const KeyedList<V> &list)
{
    QStringList keys;
    for (const auto &entry : list)
        keys << entry.Key;
    return keys;
}

} // namespace

TEST(KeyedList, TakeHandsBackTheValueOnceAndKeepsTheOthersInOrder)
{
    KeyedList<std::unique_ptr<int>> list;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(list.Add(QStringLiteral("K%1").arg(i), std::make_unique<int>(i)));
    EXPECT_FALSE(list.Add("K2", std::make_unique<int>(99))); // taken: nothing changes
    EXPECT_EQ(**list.Find("K2"), 2);

    std::unique_ptr<int> taken = list.Take("K2");
    ASSERT_TRUE(taken);
    EXPECT_EQ(*taken, 2);
    EXPECT_FALSE(list.Take("K2")); // a second time: nothing, and nothing else goes
    EXPECT_FALSE(list.Take("absent"));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(Keys(list), QStringList({"K0", "K1", "K3", "K4"}));
    EXPECT_FALSE(list.Contains("K2"));

    // The key can be used again and goes to the end.
    ASSERT_TRUE(list.Add("K2", std::make_unique<int>(20)));
    EXPECT_EQ(Keys(list), QStringList({"K0", "K1", "K3", "K4", "K2"}));
    EXPECT_EQ(list.IndexOf("K2"), 4);
}

TEST(KeyedList, ReKeyAndMoveKeepEveryEntryFindable)
{
    KeyedList<int> list;
    for (int i = 0; i < 4; ++i)
        list.Add(QStringLiteral("K%1").arg(i), i);
    EXPECT_TRUE(list.ReKey("K1", "NEW"));
    EXPECT_FALSE(list.ReKey("K0", "NEW")); // taken by another entry
    EXPECT_FALSE(list.ReKey("gone", "OTHER"));
    EXPECT_TRUE(list.MoveNextTo("K3", "K0", false));
    EXPECT_TRUE(list.MoveNextTo("K0", "NEW", true));
    EXPECT_FALSE(list.MoveNextTo("K0", "K0", true));
    EXPECT_EQ(Keys(list), QStringList({"K3", "NEW", "K0", "K2"}));
    for (const auto &[key, value] : {std::pair{"K3", 3}, {"NEW", 1}, {"K0", 0}, {"K2", 2}})
        EXPECT_EQ(*list.Find(key), value) << key;
    EXPECT_EQ(list.Take("NEW"), 1);
    EXPECT_EQ(Keys(list), QStringList({"K3", "K0", "K2"}));
}

TEST(KeyedList, DrainHandsEachValueLastFirstOnceItsEntryIsGone)
{
    KeyedList<std::unique_ptr<int>> list;
    for (int i = 0; i < 3; ++i)
        list.Add(QStringLiteral("K%1").arg(i), std::make_unique<int>(i));
    std::vector<int> handed;
    std::vector<QStringList> left;
    list.DrainFromBack([&](std::unique_ptr<int> value) {
        handed.push_back(*value);
        left.push_back(Keys(list));
        EXPECT_FALSE(list.Contains(QStringLiteral("K%1").arg(*value)));
    });
    EXPECT_EQ(handed, std::vector<int>({2, 1, 0}));
    EXPECT_EQ(left, std::vector<QStringList>({{"K0", "K1"}, {"K0"}, {}}));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Count(), 0);

    // Emptied, it takes the same keys again.
    ASSERT_TRUE(list.Add("K1", std::make_unique<int>(10)));
    EXPECT_EQ(**list.Find("K1"), 10);
}
