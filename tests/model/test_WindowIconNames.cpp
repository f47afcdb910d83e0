// Window icons: a form's design window shows its own icon, else the application's, and a
// change of the application's icon reaches exactly the forms without one of their own.
#include "model/PlainForm.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <gtest/gtest.h>

using namespace Vocabulary;

TEST(WindowIconNames, FormsShowTheirOwnIconElseTheApplications)
{
    clsItems items;
    clsControl &app = items.CreateItem(Type::AppMdi, "APP");
    app.SetProperty(Prop::Icon, "icons\\app.ico");
    clsControl &plain = items.CreateItem(Type::FormSizableChild, "APP*F1");
    clsControl &own = items.CreateItem(Type::FormSizableChild, "APP*F2");
    own.SetProperty(Prop::Icon, "own.ico");
    auto form = [](clsControl &item) { return static_cast<PlainForm *>(item.DesignForm()); };

    EXPECT_EQ(form(app)->Icon(), "icons\\app.ico");
    // A new form shows the application's icon at once.
    EXPECT_EQ(form(plain)->Icon(), "icons\\app.ico");
    EXPECT_EQ(form(own)->Icon(), "own.ico");

    const int ownChanges = form(own)->IconChanges();
    app.SetProperty(Prop::Icon, "new.ico");
    EXPECT_EQ(form(app)->Icon(), "new.ico");
    EXPECT_EQ(form(plain)->Icon(), "new.ico");
    EXPECT_EQ(form(own)->Icon(), "own.ico");
    EXPECT_EQ(form(own)->IconChanges(), ownChanges);

    // Dropping its own icon brings back the application's; "none" is passed on as it is.
    own.SetProperty(Prop::Icon, "");
    EXPECT_EQ(form(own)->Icon(), "new.ico");
    plain.SetProperty(Prop::Icon, "none");
    EXPECT_EQ(form(plain)->Icon(), "none");
    app.SetProperty(Prop::Icon, "");
    EXPECT_EQ(form(own)->Icon(), "");
    EXPECT_EQ(form(plain)->Icon(), "none");
}
