// The stored form of a project read into memory: CR LF and LF alone end records; a CR that
// does not come before an LF is part of the text.
#include "app/DocumentStorage.h"
#include "support/Marks.h"

#include <gtest/gtest.h>

TEST(MemoryForm, LineEndsBecomeAttributeMarks)
{
    const QString AM(QChar(Marks::Attribute));
    EXPECT_EQ(DocumentStorage::ToMemoryForm("A\r\nB\nC"), "A" + AM + "B" + AM + "C");
    EXPECT_EQ(DocumentStorage::ToMemoryForm("\r\n\n\r\r\n"), AM + AM + "\r" + AM);
    EXPECT_EQ(DocumentStorage::ToMemoryForm("A\rB\r"), "A\rB\r");
    EXPECT_EQ(DocumentStorage::ToMemoryForm(""), "");
    EXPECT_EQ(DocumentStorage::ToMemoryForm("X\r\n"), "X" + AM);
    // What goes in comes back out, apart from the line ends.
    const QString memory = "0" + AM + "2" + QChar(Marks::Value) + "APP" + AM + "4";
    EXPECT_EQ(DocumentStorage::ToMemoryForm(DocumentStorage::ToStoredForm(memory)), memory);
}
