// Default IDs of new objects: the candidates in turn per kind, the prefix each kind is
// looked up under, and the set of IDs to avoid.
#include "app/DefaultIds.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <gtest/gtest.h>

TEST(DefaultIds, ApplicationsAndForms)
{
    clsItems items;
    EXPECT_EQ(DefaultIds::ForType(items, "App", nullptr, nullptr), "GUIAPP");
    clsControl &app = items.CreateItem(0, "GUIAPP");
    EXPECT_EQ(DefaultIds::ForType(items, "App", nullptr, nullptr), "GUIAPP2");
    items.CreateItem(1, "guiapp2");
    EXPECT_EQ(DefaultIds::ForType(items, "app", nullptr, nullptr), "GUIAPP3");

    EXPECT_EQ(DefaultIds::ForType(items, "Form", nullptr, nullptr), "") << "no application";
    EXPECT_EQ(DefaultIds::ForType(items, "Form", &app, nullptr), "Form1");
    items.CreateItem(5, "GUIAPP*FORM1");
    EXPECT_EQ(DefaultIds::ForType(items, "Form", &app, nullptr), "Form2");
    EXPECT_EQ(DefaultIds::ForType(items, "Form", &app, nullptr, {"FORM2", "FORM3"}), "Form4");
}

TEST(DefaultIds, ControlsAndBars)
{
    clsItems items;
    clsControl &app = items.CreateItem(0, "A");
    clsControl &form = items.CreateItem(5, "A*F");
    clsControl &other = items.CreateItem(5, "A*G");
    items.CreateItem(15, "A*F*Label1");
    items.CreateItem(15, "A*F*Label2");
    EXPECT_EQ(DefaultIds::ForType(items, "Label", &app, &form), "Label3");
    EXPECT_EQ(DefaultIds::ForType(items, "Label", &app, &other), "Label1") << "per form";
    EXPECT_EQ(DefaultIds::ForType(items, "Label", &app, nullptr), "") << "no active form";
    EXPECT_EQ(DefaultIds::ForType(items, "Label", &app, &form, {"LABEL3"}), "Label4");
    // Long type names give the short stem.
    EXPECT_EQ(DefaultIds::ForType(items, "Textbox", &app, &form), "Text1");
    EXPECT_EQ(DefaultIds::ForType(items, "Tabgrp", &app, &form), "Tabgroup1");

    // Bars: the base first, then 2, 3 ...
    EXPECT_EQ(DefaultIds::ForType(items, "Menu", &app, &form), "Menu");
    items.CreateItem(75, "A*F*MENU");
    EXPECT_EQ(DefaultIds::ForType(items, "Menu", &app, &form), "Menu2");
    EXPECT_EQ(DefaultIds::ForType(items, "Popupmenu", &app, &form), "Popup");
    EXPECT_EQ(DefaultIds::ForType(items, "Toolbar", &app, &form, {"TOOLBAR"}), "Toolbar2");
    // An application's own bars are looked up with an empty form part.
    EXPECT_EQ(DefaultIds::ForType(items, "Menu", &app, nullptr), "Menu");
    items.CreateItem(75, "A**Menu");
    EXPECT_EQ(DefaultIds::ForType(items, "Menu", &app, nullptr), "Menu2");
    EXPECT_EQ(DefaultIds::ForType(items, "Statusbar", nullptr, nullptr), "");
    // Forms and the application's own bars share the application's child list.
    items.CreateItem(5, "A*Statusbar");
    EXPECT_EQ(DefaultIds::ForType(items, "Statusbar", &app, nullptr), "Statusbar2");
    items.CreateItem(77, "A**Form1");
    EXPECT_EQ(DefaultIds::ForType(items, "Form", &app, nullptr), "Form2");

    EXPECT_EQ(DefaultIds::TypeOfName("checkbox"), 20);
    EXPECT_EQ(DefaultIds::TypeOfName("Popup"), 76);
    EXPECT_EQ(DefaultIds::TypeOfName("Nothing"), -2);
}
