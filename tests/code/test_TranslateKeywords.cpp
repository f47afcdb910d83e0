// Keyword translation: the word table of translate.txt, the tokens that escape translation,
// comment lines limited to variable names, the lower-case OCONV unwrapping, and tables or
// texts that are malformed.
#include "code/TranslateKeywords.h"
#include "FileBytes.h"
#include "support/Marks.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
const QString Table = QStringLiteral(
    "; test table\n"
    "Vars=2\n"
    "[Xlat]\n"
    "GUI.EVENT | gui.event | Gui.Event\n"
    "DONE_FLAG | done_flag | DoneFlag\n"
    "\n"
    "; keywords\n"
    "IF        | if        | If\n"
    "THEN|then|Then\n"
    "GOSUB|gosub|GoSub\n"
    "OCONV|oconv|OConv\n"
    "%%APP%%|%%app%%|%%App%%\n"
    "END|end|End\n");

QString T(const QString &text, int casing, const QString &table = Table)
{
    return TranslateKeywords::FromText(table).Translate(text, casing);
}
} // namespace

TEST(TranslateKeywords, WordsAreRecasedAndEverythingElseKept)
{
    const QString code = QStringLiteral("IF GUI.EVENT THEN GOSUB HANDLER ; * x\r\nEND");
    EXPECT_EQ(T(code, 1), code);
    EXPECT_EQ(T(code, 2), "if gui.event then gosub HANDLER ; * x\r\nend");
    EXPECT_EQ(T(code, 3), "If Gui.Event Then GoSub HANDLER ; * x\r\nEnd");
    // Look-up ignores case; a word must match whole, "." and "_" belonging to it.
    EXPECT_EQ(T("if Then gosub IFS END.X X.END _END", 3), "If Then GoSub IFS END.X X.END _END");
    // Casing numbers other than 1 to 3 change nothing.
    for (int casing : {0, 4, -1})
        EXPECT_EQ(T(code, casing), code) << casing;
    // Line ends are kept exactly, including LF alone and a missing final break.
    EXPECT_EQ(T("IF\nTHEN\r\n\r\nEND\r\n", 2), "if\nthen\r\n\r\nend\r\n");
}

TEST(TranslateKeywords, StringsCommentTailsAndPlaceholders)
{
    EXPECT_EQ(T("IF X = 'IF THEN' THEN END", 2), "if X = 'IF THEN' then end");
    EXPECT_EQ(T("GOSUB X *--> IF THEN END", 2), "gosub X *--> IF THEN END");
    EXPECT_EQ(T("*--> IF", 2), "*--> IF");
    // A placeholder is one word: translated when the table names it, never split up.
    EXPECT_EQ(T("IF %%APP%% THEN %%EVENT%%", 2), "if %%app%% then %%EVENT%%");
    EXPECT_EQ(T("%%IF%%", 2), "%%IF%%");
    // An apostrophe or "%%" without its partner is ordinary text.
    EXPECT_EQ(T("IF DON'T THEN", 2), "if DON'T then");
    EXPECT_EQ(T("IF 5%% THEN", 2), "if 5%% then");
    // A quote does not reach into the next line.
    EXPECT_EQ(T("IF 'A\r\nTHEN 'B'", 2), "if 'A\r\nthen 'B'");
}

TEST(TranslateKeywords, CommentLinesTranslateOnlyVariables)
{
    EXPECT_EQ(T("* IF GUI.EVENT THEN DONE_FLAG", 2), "* IF gui.event THEN done_flag");
    EXPECT_EQ(T("*IF", 3), "*IF");
    // Only a "*" in the first column makes a comment line.
    EXPECT_EQ(T(" * IF GUI.EVENT", 2), " * if gui.event");
    // The variable count may exceed the table; then every row is a variable.
    const QString allVars = QStringLiteral("Vars=99\n[Xlat]\nIF|if|If\n");
    EXPECT_EQ(T("* IF", 2, allVars), "* if");
    // A word listed twice: the first row counts.
    const QString twice = QStringLiteral("Vars=1\n[Xlat]\nX|x1|X1\nX|x2|X2\n");
    EXPECT_EQ(T("* X\r\nX", 2, twice), "* x1\r\nx1");
}

TEST(TranslateKeywords, LowerCaseUnwrapsTheMixedCaseConversion)
{
    EXPECT_EQ(T("CRT OCONV(NAME,'MCT') : 'X'", 2), "CRT NAME : 'X'");
    EXPECT_EQ(T("CRT OCONV(NAME,'MCT') : 'X'", 3), "CRT OConv(NAME,'MCT') : 'X'");
    EXPECT_EQ(T("CRT OCONV(NAME,'MCT') : 'X'", 1), "CRT OCONV(NAME,'MCT') : 'X'");
    // Only the first wrapper of a line, and only when its end follows it on that line.
    EXPECT_EQ(T("A=OCONV(X,'MCT'):OCONV(Y,'MCT')", 2), "A=X:oconv(Y,'MCT')");
    EXPECT_EQ(T(",'MCT') OCONV(X,'MD2')", 2), ",'MCT') oconv(X,'MD2')");
    EXPECT_EQ(T("OCONV(X,\r\n'MCT')", 2), "oconv(X,\r\n'MCT')");
}

TEST(TranslateKeywords, TableFormat)
{
    // The value mark separates fields as well as "|".
    const QString vm = Marks::ValueMark();
    const QString marked = "Vars=0\r\n[Xlat]\r\nIF" + vm + "if" + vm + "If\r\n";
    EXPECT_TRUE(TranslateKeywords::FromText(marked).IsUsable());
    EXPECT_EQ(T("IF", 3, marked), "If");

    const TranslateKeywords table = TranslateKeywords::FromText(Table);
    EXPECT_TRUE(table.IsUsable());
    EXPECT_EQ(table.VariableCount(), 2);
    EXPECT_EQ(table.WordCount(), 8);

    // Without "[Xlat]" or "Vars=" the table is unusable and nothing changes.
    for (const char *bad : {"[Xlat]\nIF|if|If\n", "Vars=1\nIF|if|If\n", "", "\xff\xfe\x00garbage"}) {
        const TranslateKeywords t = TranslateKeywords::FromText(QString::fromLatin1(bad));
        EXPECT_FALSE(t.IsUsable()) << bad;
        EXPECT_EQ(t.Translate("IF", 2), "IF");
    }
    // A row short of fields, or with an empty field, leaves its word as written; a bad
    // count means no variables; another section ends the word table.
    const QString ragged = QStringLiteral("Vars=x\n[Xlat]\nIF\nTHEN|then\nEND||End\n[Other]\nX|x|x\n");
    EXPECT_EQ(T("IF THEN END X", 2, ragged), "IF then END X");
    EXPECT_EQ(T("IF THEN END X", 3, ragged), "IF THEN End X");
    EXPECT_EQ(TranslateKeywords::FromText(ragged).VariableCount(), 0);
    EXPECT_EQ(T("* END", 3, ragged), "* END");
}

TEST(TranslateKeywords, HostileTextFinishes)
{
    // Ten megabytes on one line, full of quotes and with an unpaired "%%": the scan stays
    // linear. Quotes pair from one unit to the next, so every other IF is inside a string.
    QString line = QStringLiteral("%% ");
    while (line.size() < 10'000'000)
        line += QStringLiteral("IF ' x ");
    const QString out = T(line, 2);
    EXPECT_EQ(out.size(), line.size());
    EXPECT_TRUE(out.startsWith("%% if ' x IF ' x if ' x IF")) << qPrintable(out.left(40));

    // Control characters and marks are copied.
    const char16_t in[] = {0, 'I', 'F', 0xF8FE, 'T', 'H', 'E', 'N', 0xD800};
    const char16_t expected[] = {0, 'i', 'f', 0xF8FE, 't', 'h', 'e', 'n', 0xD800};
    EXPECT_EQ(T(QString::fromUtf16(in, 9), 2), QString::fromUtf16(expected, 9));
}

TEST(TranslateKeywords, ShippedTableIsUsable)
{
    const TranslateKeywords table =
        TranslateKeywords::FromText(QString::fromUtf8(FileBytes(CORVANE_SOURCE_DIR "/GuiLib/translate.txt")));
    ASSERT_TRUE(table.IsUsable());
    EXPECT_EQ(table.VariableCount(), 26);
    const QString code = QStringLiteral("* GUI.EVENT LOOP\r\nLOOP UNTIL GUI.DONE DO GOSUB X REPEAT");
    EXPECT_EQ(table.Translate(code, 2), "* gui.event LOOP\r\nloop until gui.done do gosub X repeat");
    EXPECT_EQ(table.Translate(code, 3), "* Gui.Event LOOP\r\nLoop Until Gui.Done Do GoSub X Repeat");
}
