// How a line looks to line matching, and when two pieces of code say the same.
#include "code/CodeProgramText.h"

#include <gtest/gtest.h>

TEST(CodeProgramText, LineKeysDropLayoutAndLetterCase)
{
    const struct { QString Line, Key; } rows[] = {
        {"GOSUB A.B", "GOSUB A.B"},                     // already its own key
        {"", ""},
        {" \t \t", ""},
        {"\t  gosub\t\t a.b  ", "GOSUB A.B"},
        {"x  =  'a  b'", "X = 'A B'"},
        {"crt \"é ü\"", "CRT \"É Ü\""},                 // letters beyond ASCII
        {"strasse = \"straße\"", "STRASSE = \"STRASSE\""}, // one letter that becomes two
        {"ABC\tdef", "ABC DEF"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(CodeProgramText::LineKey(r.Line), r.Key) << r.Line.toStdString();
}

TEST(CodeProgramText, SameCodeIgnoresLayoutButNotContentOrLength)
{
    const QStringList code{"IF A THEN", "  GOSUB X.Y", "END"};
    EXPECT_TRUE(CodeProgramText::SameCode(code, {"", "if a then", "", "\tgosub   x.y", "end", " "}));
    EXPECT_TRUE(CodeProgramText::SameCode({}, {"", "\t"}));
    EXPECT_FALSE(CodeProgramText::SameCode(code, {"IF A THEN", "GOSUB X.Z", "END"}));
    EXPECT_FALSE(CodeProgramText::SameCode(code, {"IF A THEN", "GOSUB X.Y"}));
    EXPECT_FALSE(CodeProgramText::SameCode(code, code + QStringList{"RETURN"}));
    EXPECT_FALSE(CodeProgramText::SameCode({"GOSUB X Y"}, {"GOSUB XY"}));
}
