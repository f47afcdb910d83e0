// Values from a project are data in the generated program, never code: IDs, captions, author,
// copyright and description holding every quote kind, line breaks, marks and control
// characters stay inside their literal or comment, the program still analyses as complete,
// and a template that would put such a value into bare code refuses with a message.
#include "code/CodeAnalysis.h"
#include "code/TemplateFiles.h"
#include "code/modCodeGen.h"
#include "model/Vocabulary.h"
#include "support/GuiError.h"
#include "test_CodeGenSupport.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include "ErrorOf.h"

using CodeGenTest::ProjectText;
using CodeGenTest::TemplateFolder;
using namespace Vocabulary;

namespace {
const QString GuiLib = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib");
const QString Injected = QStringLiteral("X'; EXECUTE 'SH -c id'; Y='");

// The parts of a BASIC line outside string literals and comments, as a compiler reads them.
QString CodeOf(const QString &line)
{
    QString code;
    QChar delimiter;
    bool statementStart = true;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (!delimiter.isNull()) {
            if (c == delimiter)
                delimiter = QChar();
            continue;
        }
        if (c == ' ') {
            code += ' ';
            continue;
        }
        if (statementStart && (c == '*' || c == '!' || line.mid(i, 4).toUpper() == "REM "))
            break;
        statementStart = c == ';';
        if (c == '\'' || c == '"' || c == '\\') {
            delimiter = c;
            code += ' ';
        } else {
            code += c;
        }
    }
    return code;
}

// Statements a hostile value would have planted: a word of its own that no template has.
void ExpectOnlyTemplateCode(const QString &program)
{
    for (const QChar c : program) {
        const char16_t u = c.unicode();
        ASSERT_FALSE((u < 0x20 && u != '\r' && u != '\n') || u == 0x7F || (u >= 0x80 && u < 0xA0)
                     || (u >= 0xF8FB && u <= 0xF8FF))
            << "raw character " << int(u);
    }
    const QStringList lines = program.split("\r\n");
    for (const QString &line : lines) {
        ASSERT_FALSE(line.contains('\n') || line.contains('\r')) << line.toStdString();
        // Words of the code; a label such as APP.X.EXECUTE.SH.CLICK is one word.
        static const QRegularExpression nonWord("[^A-Za-z0-9._$]+");
        const QStringList words = CodeOf(line).split(nonWord, Qt::SkipEmptyParts);
        for (const char *planted : {"EXECUTE", "INJECTED", "PLANTED", "rm", "id"})
            EXPECT_FALSE(words.contains(planted, Qt::CaseInsensitive)) << line.toStdString();
    }
}

QString HostileProject()
{
    const QString breakLine = "Me\r\nINJECTED = 1\nPLANTED\rEXECUTE 'rm'";
    const QString controls = QString("ctl") + QChar(1) + QChar(9) + QChar(27) + QChar(0x7F)
        + QChar(0x85) + QChar(0xF8FB) + "\"dq\\bs";
    return ProjectText()
        .Create("App", 0, 0x40000001)
        .Property(Prop::Author, breakLine, "App")
        .Property(Prop::Copyright, "(c) \"quoted\" 'single' \\back\\\r\nEXECUTE 'x'" + controls, "App")
        .Property(Prop::Description, "line one\nREM two\r\n\r\nINJECTED = 2\n", "App")
        .Create("App*" + Injected, 6, 0x1)
        .Create("App*" + Injected + "*Q\"uote\\d", 18, 0x20)
        .Create("App*" + Injected + "*" + controls, 18, 0x20)
        .Create("App*" + Injected + "*MENU", 75)
        .Property(Prop::Items, CodeGenTest::BarItems({"A'B:1", "C\"D:1", "E\\F:1"}),
                  "App*" + Injected + "*MENU")
        .Text();
}
} // namespace

TEST(CodeInjection, HostileValuesStayDataAndTheProgramAnalysesComplete)
{
    TemplateFiles templates(GuiLib);
    modCodeGen gen(templates);
    const QString project = HostileProject();
    gen.SetProjectText(project);
    gen.SetProjectLocation("GUI'S FILE", "IT\"EM");
    const QString program = gen.GenerateProgram();
    ASSERT_FALSE(program.isEmpty()) << gen.Warning().toStdString();
    ExpectOnlyTemplateCode(program);
    // The quote comes back as CHAR(39) between two literals, in assignments and CASE lines.
    EXPECT_TRUE(program.contains("GUI.MAINFORM = 'X' : CHAR(39) : '; EXECUTE ' : CHAR(39)"));
    EXPECT_TRUE(program.contains("CASE GUI.FORMID = 'X' : CHAR(39) : '; EXECUTE"));
    EXPECT_TRUE(program.contains("GUI.PROJFILE = 'GUI' : CHAR(39) : 'S FILE'"));
    // Control characters, DEL, C1 and the marks each become their host character code.
    EXPECT_TRUE(program.contains(
        "CASE GUI.CTRLID = 'CTL' : CHAR(1) : CHAR(9) : CHAR(27) : CHAR(127) : CHAR(133) : CHAR(251) : '\"DQ\\BS'"));
    // The author's second line continues the comment.
    EXPECT_TRUE(program.contains("* Author:    Me\r\n*            INJECTED = 1"));

    TemplateFiles again(GuiLib);
    CodeAnalysis analysis(again);
    analysis.SetProjectText(project);
    analysis.SetProjectLocation("GUI'S FILE", "IT\"EM");
    const CodeAnalysisResult r = analysis.Analyze(program);
    ASSERT_TRUE(r.Analyzed) << r.Error.toStdString();
    for (int status : r.PieceStatus)
        EXPECT_EQ(status, CodeAnalysisResult::Present);
    EXPECT_TRUE(r.MissingHandlers.isEmpty()) << r.MissingText().toStdString();
    EXPECT_TRUE(r.UnusedHandlers.isEmpty()) << r.UnusedText().toStdString();
}

TEST(CodeInjection, EveryLiteralFormAndCommentFormIsKept)
{
    // Values in double-quoted and backslash literals, after ";*" and REM comments.
    TemplateFolder dir({"* %%APP%%\r\nREM %%DESC%%",
                        "A = \"%%FORM%%\"\r\nB = \\%%AUTHOR%%\\\r\nC = 1 ;* %%AUTHOR%%",
                        "", "", "", "%%DECODE%%\r\nBEGIN CASE __BEGIN_\r\nEND CASE __END_\r\n"
                        "CASE A = '%%APP%%' __APP_\r\nCASE F = '%%FORM%%' __FORM_\r\n"
                        "GOSUB %%TARGET%% __ACTION_",
                        "%%TARGET%%:\r\nRETURN"});
    TemplateFiles templates(dir.Path());
    modCodeGen gen(templates);
    gen.SetProjectText(ProjectText()
                           .Create("App", 0, 0)
                           .Property(Prop::Author, "a\"b\\c\r\nEXECUTE 'x'", "App")
                           .Property(Prop::Description, "d1\nINJECTED = 3", "App")
                           .Create("App*F\"1\\", 6, 0x1)
                           .Text());
    const QString program = gen.GenerateProgram();
    ASSERT_FALSE(program.isEmpty());
    ExpectOnlyTemplateCode(program);
    EXPECT_TRUE(program.contains("A = \"F\" : CHAR(34) : \"1\\\""));
    EXPECT_TRUE(program.contains("B = \\a\"b\\ : CHAR(92) : \\c\\ : CHAR(13) : CHAR(10) : \\EXECUTE 'x'\\"))
        << program.toStdString();
    EXPECT_TRUE(program.contains("REM d1\r\n* INJECTED = 3"));
}

TEST(CodeInjection, ValueInBareCodeIsRefusedNamingIt)
{
    TemplateFolder dir({"* %%APP%%", "GOSUB %%FORM%%", "", "", "", "%%DECODE%%", "%%TARGET%%:"});
    TemplateFiles templates(dir.Path());
    modCodeGen gen(templates);
    gen.SetProjectText(ProjectText().Create("App", 0, 0).Create("App*" + Injected, 6, 0x1).Text());
    const QString refusal = Raised([&] { gen.GenerateProgram(); }).Description(); // not written as code
    EXPECT_TRUE(refusal.contains("form ID")) << refusal.toStdString();
    EXPECT_TRUE(refusal.contains(Injected.toUpper())) << refusal.toStdString();
    // A plain name may stand there.
    gen.SetProjectText(ProjectText().Create("App", 0, 0).Create("App*MAIN.FORM", 6, 0x1).Text());
    EXPECT_TRUE(gen.GenerateProgram().contains("GOSUB MAIN.FORM"));
}
