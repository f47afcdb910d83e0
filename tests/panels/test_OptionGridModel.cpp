// The option grid: captions, enabled flags and hints as parts of Items, the default option as
// Value, and an unchanged grid storing exactly what it loaded.
#include "panels/OptionGridModel.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

TEST(OptionGridModel, EditsKeepTheDefaultOnItsOption)
{
    const QString sv(QChar(Marks::SubValue)), vm(QChar(Marks::Value));
    const QString items = "Post" + sv + "1" + sv + "by post" + vm + "Pick up";
    OptionGridModel model;
    model.Load(items, "2");
    EXPECT_EQ(model.StoreItems(), items);
    EXPECT_EQ(model.DefaultOption(), 1);
    EXPECT_EQ(model.Insert(0), 0);
    EXPECT_EQ(model.DefaultOption(), 2); // still "Pick up"
    model.SetEnabled(0, false);
    model.SetHint(0, "first");
    model.Delete(2);
    EXPECT_EQ(model.DefaultOption(), -1);
    EXPECT_EQ(model.StoreItems(), "Option1" + sv + "0" + sv + "first" + vm + items.section(vm, 0, 0));
}

TEST(OptionGridModel, InsertBeforeAtOrAfterTheDefaultKeepsItOnItsOption)
{
    const QString vm(QChar(Marks::Value));
    const struct { int Before; int Default; } cases[] = {{0, 2}, {1, 2}, {2, 1}, {3, 1}};
    for (const auto &c : cases) {
        OptionGridModel model;
        model.Load("A" + vm + "B" + vm + "C", "2");
        model.Insert(c.Before);
        EXPECT_EQ(model.DefaultOption(), c.Default) << c.Before;
        EXPECT_EQ(model.Caption(c.Default), "B") << c.Before;
    }
}
