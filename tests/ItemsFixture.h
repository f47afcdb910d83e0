#pragma once
// A registry of its own holding application APP (MDI) with form APP*F1, for the model tests:
// Make adds a control to the form, Control and FormOf reach the plain design objects.
#include "model/PlainControl.h"
#include "model/PlainForm.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

class ItemsFixture : public ::testing::Test
{
protected:
    ItemsFixture()
    {
        app = &items.CreateItem(Vocabulary::Type::AppMdi, "APP");
        form = &items.CreateItem(Vocabulary::Type::FormSizableChild, "APP*F1");
    }
    clsControl &Make(int type, const QString &id, const QString &parent = {})
    {
        return items.CreateItem(type, "APP*F1*" + id, parent);
    }
    static PlainControl *Control(clsControl &item) { return static_cast<PlainControl *>(item.ControlObject()); }
    static PlainControl *Control(clsControl *item) { return Control(*item); }
    static PlainForm *FormOf(clsControl *item) { return static_cast<PlainForm *>(item->DesignForm()); }

    clsItems items;
    clsControl *app = nullptr;
    clsControl *form = nullptr;
};
