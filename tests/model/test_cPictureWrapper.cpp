// The picture wrapper hands its style, the scaling mode, to the picture control; a style
// outside the four modes is refused and the control keeps the mode it had.
#include "model/PlainControl.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/GuiError.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"

using namespace Vocabulary;

TEST(cPictureWrapper, StyleIsTheScalingModeOfTheControl)
{
    clsItems items;
    items.CreateItem(Type::AppMdi, "APP");
    items.CreateItem(Type::FormSizableChild, "APP*F1");
    clsControl &picture = items.CreateItem(Type::Picture, "APP*F1*PIC1");
    auto *control = static_cast<PlainControl *>(picture.ControlObject());
    EXPECT_EQ(control->PictureScale(), 0);
    picture.SetProperty(Prop::Style, "2");
    EXPECT_EQ(control->PictureScale(), 2);
    EXPECT_EQ(ErrorOf([&] { picture.SetProperty(Prop::Style, "4"); }),
              GuiErrors::InvalidPropertyValue);
    EXPECT_EQ(control->PictureScale(), 2);
    picture.SetProperty(Prop::Style, "");
    EXPECT_EQ(control->PictureScale(), 0);
}
