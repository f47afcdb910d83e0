// The BASIC lexer's colouring of single lines: the three comment forms (also after ";"),
// the three string quotes, labels, numbers, keywords from the built-in list and from
// translate.txt, and the lines that open a foldable section.
#include "quill/BasicLexer.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {
// One letter per byte: d default, c comment, s string, k keyword, l label, n number, o operator;
// a blank in the default style stays a blank.
QByteArray Styles(const BasicLexer &lexer, const QByteArray &line)
{
    static const char letters[] = "dcsklno";
    const QByteArray styles = lexer.StyleLine(line);
    QByteArray out;
    for (int i = 0; i < styles.size(); ++i)
        out += line[i] == ' ' && styles[i] == BasicLexer::Default ? ' ' : letters[int(styles[i])];
    return out;
}
} // namespace

TEST(BasicLexer, ColoursEachKindOfToken)
{
    BasicLexer lexer;
    const struct {
        QByteArray line;
        QByteArray styles;
    } cases[] = {
        {"* note", "cccccc"},
        {"  ! note", "  cccccc"},
        {"REM note", "cccccccc"},
        {"rem note", "cccccccc"},
        {"X = 1 ; * why", "d o n o ccccc"},
        {"REMARK = 1", "dddddd o n"},
        {"PRINT \"a;*b\"", "kkkkk ssssss"},
        {"CRT 'it''s'", "kkk sssssss"},
        {"X = \\back\\", "d o ssssss"},
        {"X = \"open", "d o sssss"},
        {"MAIN.LOOP: GOSUB DO.IT", "llllllllll kkkkk ddddd"},
        {"100 CRT 2.5", "lll kkk nnn"},
        {"IF A THEN X = 3 * 4", "kk d kkkk d o n o n"},
        {"X := 1", "d oo n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Styles(lexer, c.line), c.styles) << c.line.constData();
}

TEST(BasicLexer, LabelsOpenSectionsAndTranslateWordsAreKeywords)
{
    EXPECT_TRUE(BasicLexer::IsLabelLine("ORDERS.ORDER.CMDOK.CLICK:", 25));
    EXPECT_TRUE(BasicLexer::IsLabelLine("10 CRT X", 8));
    EXPECT_FALSE(BasicLexer::IsLabelLine("   CRT X", 8));
    EXPECT_FALSE(BasicLexer::IsLabelLine("X := 1", 6));
    EXPECT_FALSE(BasicLexer::IsLabelLine("* A: B", 6));

    BasicLexer lexer;
    EXPECT_FALSE(lexer.IsKeyword("GUIEXECUTE"));
    const QStringList words = BasicLexer::KeywordsOfFolder(CORVANE_SOURCE_DIR "/GuiLib/");
    EXPECT_FALSE(words.isEmpty());
    EXPECT_FALSE(words.contains("GUI.APPID")); // a variable, not a keyword
    lexer.AddKeywords(words);
    for (const QString &w : words)
        EXPECT_TRUE(lexer.IsKeyword(w.toUtf8())) << w.toStdString();
    EXPECT_TRUE(BasicLexer::KeywordsOfFolder(QDir::tempPath() + "/no-such-folder/").isEmpty());
}
