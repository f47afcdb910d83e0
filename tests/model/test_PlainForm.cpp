// The plain design form keeps its instances and their z-order by look-up: bringing to the
// front and deleting leave the order of the others as it was.
#include "model/PlainControl.h"
#include "model/PlainForm.h"
#include "model/Vocabulary.h"

#include <gtest/gtest.h>

using namespace Vocabulary;

TEST(PlainForm, ZOrderAndDeletionKeepTheOthersInOrder)
{
    PlainForm form(Type::FormSizableChild);
    std::vector<PlainControl *> c;
    for (int i = 0; i < 5; ++i)
        c.push_back(static_cast<PlainControl *>(form.CreateControlInstance(Type::Label)));
    EXPECT_EQ(form.InstanceCount(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(c[size_t(i)]->ZIndex(), i);

    c[4]->BringToFront(); // already in front
    c[1]->BringToFront();
    EXPECT_EQ(c[0]->ZIndex(), 0);
    EXPECT_EQ(c[2]->ZIndex(), 1);
    EXPECT_EQ(c[3]->ZIndex(), 2);
    EXPECT_EQ(c[4]->ZIndex(), 3);
    EXPECT_EQ(c[1]->ZIndex(), 4);

    form.DeleteControlInstance(Type::Label, c[3]);
    form.DeleteControlInstance(Type::Label, c[3]); // a second time changes nothing
    EXPECT_EQ(form.InstanceCount(), 4);
    EXPECT_EQ(c[4]->ZIndex(), 2);
    EXPECT_EQ(c[1]->ZIndex(), 3);
    c[0]->BringToFront();
    EXPECT_EQ(c[0]->ZIndex(), 3);
    EXPECT_EQ(c[2]->ZIndex(), 0);

    // Indexes go on from the highest given, also after deletions.
    auto *next = static_cast<PlainControl *>(form.CreateControlInstance(Type::Label));
    EXPECT_EQ(next->Index(), 6);
    EXPECT_EQ(next->ZIndex(), 4);
}
