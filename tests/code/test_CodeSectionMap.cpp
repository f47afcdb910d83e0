// Finding the sections of a program in templates written the way sites write them: sections
// that begin and end with comment lines (the first one then continues a banner's "*"),
// sections 10 to 12 that begin with a label, mixed case and extra blanks, sections framed by
// star lines. A generated program must analyse as complete and every update must leave it
// alone; a section taken out must come back once; a programmer's everyday edits must not
// make anything missing.
#include "code/CodeUpdate.h"

#include "code/CodeProgramText.h"
#include "code/Placeholders.h"
#include "test_CodeGenSupport.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <chrono>
#include <gtest/gtest.h>

using CodeGenTest::BarItems;
using CodeGenTest::ProjectText;
using CodeGenTest::TemplateFolder;

namespace {
const QString GuiLib = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib");
const QString CrLf = QStringLiteral("\r\n");

// Decoder line templates shared by the test templates, written in the given case.
QString DecoderTags(bool mixed)
{
    const QString tags = QStringList{"BEGIN CASE __BEGIN_", "END CASE __END_",
                                     "CASE GUI.APPID = '%%APP%%' __APP_",
                                     "CASE GUI.FORMID = '%%FORM%%' __FORM_",
                                     "CASE GUI.CTRLID = '%%CONTROL%%' __CONTROL_",
                                     "CASE GUI.EVENT = '%%EVENT%%' __EVENT_",
                                     "GUI.MENUID = GUI.ARGS<1,1> __MENUVAR_",
                                     "CASE GUI.MENUID = '%%MENU%%' __MENU_",
                                     "GOSUB %%TARGET%% __ACTION_"}.join(CrLf);
    if (!mixed)
        return tags;
    return QString(tags)
        .replace("BEGIN CASE", "Begin   Case")
        .replace("END CASE", "End Case")
        .replace("CASE ", "  Case ")
        .replace("GOSUB", "GoSub  ");
}

struct Style
{
    const char *Name;
    QStringList Sections; // 1 to 12
};

// Every section begins and ends with a comment line; in a fresh program the first line of
// sections 10 to 12 continues a banner's "*" ("** CUSTOM EVENT HANDLER START").
Style Commented()
{
    return {"comment lines",
            {"* PROGRAM %%APP%%\r\n* GENERATED FROM %%PROJID%%",
             "* DECLARATIONS START\r\nEQU AM TO CHAR(254)\r\n* DECLARATIONS END",
             "* STARTUP START\r\nIF NOT(GUI.STATE) THEN\r\n   CRT 'NOT READY'\r\nEND\r\n"
             "SHOW '%%FORM%%'\r\n* STARTUP END",
             "* EVENT LOOP START\r\nLOOP\r\n   GOSUB DECODE.EVENT\r\nUNTIL GUI.DONE REPEAT\r\n"
             "* EVENT LOOP END",
             "* TRAILER START\r\nSTOP\r\n* TRAILER END",
             "* EVENT DECODER START\r\nDECODE.EVENT:\r\n%%DECODE%%\r\nRETURN\r\n"
             "* EVENT DECODER END\r\n" + DecoderTags(false),
             "%%TARGET%%:\r\n* HANDLER FOR %%EVENT%%\r\nRETURN\r\n* END OF HANDLER",
             "%%TARGET%%:\r\n* FORM CLOSES\r\nRETURN\r\n* END OF HANDLER",
             "%%TARGET%%:\r\nGUI.DONE = 1\r\nRETURN\r\n* END OF HANDLER",
             "* ERROR HANDLER START\r\nGUI.FAILED:\r\nCRT 'ERROR'\r\nSTOP\r\n* ERROR HANDLER END",
             "* DYNAMIC EVENT HANDLER START\r\nDYNAMIC.EVENT:\r\nRETURN\r\n"
             "* DYNAMIC EVENT HANDLER END",
             "* CUSTOM EVENT HANDLER START\r\nCUSTOM.EVENT:\r\nRETURN\r\n"
             "* CUSTOM EVENT HANDLER END"}};
}

// Sections 10 to 12 begin with their label (which the banner rule turns into a comment).
Style Labelled()
{
    Style s = Commented();
    s.Name = "label starts";
    s.Sections[9] = "GUI.FAILED:\r\nCRT 'ERROR'\r\nSTOP";
    s.Sections[10] = "DYNAMIC.EVENT:\r\nCRT 'DYNAMIC'\r\nRETURN";
    s.Sections[11] = "CUSTOM.EVENT:\r\nCRT 'CUSTOM'\r\nRETURN";
    return s;
}

// Mixed case, indentation, runs of blanks, and sections 10 and 12 that begin with blanks.
Style Mixed()
{
    return {"mixed case",
            {"*  Program   %%App%%",
             "*   Declarations   Start\r\n   Equ Am To Char(254)\r\n*  Declarations End",
             "  *  Startup\r\n  If Not(Gui.State)  Then\r\n     Crt   'Not ready'\r\n  End\r\n"
             "  Show '%%Form%%'\r\n  End",
             "   Loop\r\n      GoSub Decode.Event\r\n   Until Gui.Done   Repeat",
             "*  Trailer\r\n  Stop",
             "  Decode.Event:\r\n%%DECODE%%\r\n  Return\r\n" + DecoderTags(true),
             "%%Target%%:\r\n   * Event   %%Event%%\r\n   Return",
             "%%Target%%:\r\n   Form.Closed = 1\r\n   Return",
             "%%Target%%:   *  App   Close\r\n   Gui.Done = 1\r\n   Return",
             "   Error   Handler\r\n   Crt 'Error'\r\n   Stop",
             "  Dynamic.Event:\r\n     Return",
             "    Custom   Handler\r\n  Custom.Event:\r\n     Return"}};
}

// Sections framed by lines of stars.
Style Framed()
{
    return {"star frames",
            {"* PROGRAM %%APP%%",
             "*\r\n* HEADER\r\nHEAD.DONE = 1\r\n*",
             "*\r\n* STARTUP\r\nSHOW '%%FORM%%'\r\n*",
             "*\r\n* LOOP\r\nLOOP\r\nREPEAT\r\n*",
             "*\r\n* TRAILER\r\nSTOP\r\n*",
             "*\r\n* DECODER\r\nDECODE.EVENT:\r\n%%DECODE%%\r\nRETURN\r\n*\r\n" + DecoderTags(false),
             "%%TARGET%%:\r\nRETURN\r\n*",
             "%%TARGET%%:\r\n* FORM CLOSE\r\nRETURN\r\n*",
             "%%TARGET%%:\r\nDONE = 1\r\nRETURN\r\n*",
             "*\r\n* ERRORS\r\nSTOP\r\n*",
             "*\r\n* DYNAMIC\r\nDYN:\r\nRETURN\r\n*",
             "*\r\n* CUSTOM\r\nCUS:\r\nRETURN\r\n*"}};
}

// An application with a close handler, a form with a close handler and a menu, a button
// with two events.
QString ShopProject()
{
    return ProjectText()
        .Create("Shop", 1, 0x40000001)
        .Create("Shop*Main", 6, 0x1)
        .Create("Shop*Main*Ok", 18, 0x20 | 0x40)
        .Create("Shop*Main*Menu", 75, 0x20)
        .Property(26, BarItems({"File:1", "Open:2", "Return:2", "-:2", "Help:1"}))
        .Text();
}

constexpr unsigned Everything = CodeUpdate::Repair | CodeUpdate::Startup | CodeUpdate::AddMissing
                                | CodeUpdate::RemoveUnused | CodeUpdate::Decoder;

struct Bench : CodeGenTest::CodeBench
{
    // The shop over the template of the sections given, or over the templates of a folder.
    explicit Bench(const QStringList &sections, const QString &folder = {})
        : CodeBench(ShopProject(), sections, folder)
    {
    }
    // A structural section as a repair writes it.
    QString Piece(int n)
    {
        return Placeholders::SubstituteVariables(analysis.Section(n), analysis.ProjectVariables());
    }
};

std::vector<Style> Styles() { return {Commented(), Labelled(), Mixed(), Framed()}; }

// A bench for every style, and one for the project's own standard template.
std::vector<std::pair<std::string, std::unique_ptr<Bench>>> EveryTemplate()
{
    std::vector<std::pair<std::string, std::unique_ptr<Bench>>> benches;
    for (const Style &s : Styles())
        benches.emplace_back(s.Name, std::make_unique<Bench>(s.Sections));
    benches.emplace_back("Standard.tpl", std::make_unique<Bench>(QStringList{}, GuiLib));
    return benches;
}

// Whether `after` is `before` with `piece`, its banner and a line break put in at the start
// of one line (at the end, the text first gains its closing line break).
bool OneInsertion(const QString &before, const QString &after, const QString &piece)
{
    for (const QString &written : {piece, "*" + piece}) {
        const QString block = written + CrLf + modCodeGen::Banner() + CrLf;
        for (qsizetype at = after.indexOf(block); at >= 0; at = after.indexOf(block, at + 1)) {
            if (at > 0 && after[at - 1] != QLatin1Char('\n'))
                continue;
            const QString rest = QString(after).remove(at, block.size());
            if (rest == before || rest == before + CrLf)
                return true;
        }
    }
    return false;
}
} // namespace

TEST(CodeSectionMap, GeneratedProgramIsCompleteAndEveryUpdateLeavesItAlone)
{
    auto benches = EveryTemplate();
    for (auto &[name, b] : benches) {
        SCOPED_TRACE(name);
        const QString program = b->gen.GenerateProgram();
        EXPECT_EQ(b->Faults(program), "") << program.toStdString();
        for (unsigned op : {unsigned(CodeUpdate::Repair), unsigned(CodeUpdate::Startup),
                            unsigned(CodeUpdate::AddMissing), unsigned(CodeUpdate::RemoveUnused),
                            unsigned(CodeUpdate::Decoder), Everything}) {
            const CodeUpdate::Result r = b->update.Apply(program, op);
            ASSERT_TRUE(r.Ok) << r.Message.toStdString();
            EXPECT_EQ(r.Text.toStdString(), program.toStdString()) << "operations " << op;
        }
    }
}

TEST(CodeSectionMap, RepairPutsBackExactlyTheMissingSection)
{
    auto benches = EveryTemplate();
    const QString banner = modCodeGen::Banner();
    for (auto &[name, b] : benches) {
        const QString program = b->gen.GenerateProgram();
        for (int n : {2, 4, 5, 10, 11, 12}) {
            SCOPED_TRACE(name + ", section " + std::to_string(n));
            const QString piece = b->Piece(n);
            // Sections 11, 12 and 10 end with a banner without a line break (the next one
            // continues it); the others stand between two banners.
            const QString written = n >= 10 ? piece + CrLf + banner : piece + CrLf + banner + CrLf;
            const qsizetype at = n == 10 ? program.lastIndexOf(written) : program.indexOf(written);
            ASSERT_GE(at, 0);
            const QString broken = QString(program).remove(at, written.size());
            ASSERT_NE(b->Faults(broken), "");

            const QString repaired = b->update.RepairStructure(broken);
            EXPECT_TRUE(OneInsertion(broken, repaired, piece)) << repaired.toStdString();
            EXPECT_EQ(b->Faults(repaired), "");
            EXPECT_EQ(b->update.RepairStructure(repaired), repaired);
        }
    }
}

// A programmer's everyday edits: code inside handlers, subroutines and comments of their own
// between the pieces, other indentation and letter case. Nothing goes missing and a repair
// changes nothing.
TEST(CodeSectionMap, EverydayEditsKeepEverySection)
{
    const quint32 seed = quint32(std::chrono::steady_clock::now().time_since_epoch().count());
    SCOPED_TRACE("seed " + std::to_string(seed));
    QRandomGenerator random(seed);

    const QStringList code{"   CRT 'Saving the order'", "   ORDER.TOTAL = ORDER.TOTAL + 1",
                           "   IF ANSWER = 'Y' THEN GOSUB SAVE.ORDER",
                           "   READ ORDER.REC FROM ORDERS, ORDER.ID ELSE ORDER.REC = ''",
                           "   * remember the last order"};
    auto benches = EveryTemplate();

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int rounds = 0;
    while (rounds < 20 || std::chrono::steady_clock::now() < deadline) {
        auto &[name, b] = benches[size_t(rounds++) % benches.size()];
        QStringList lines = CodeProgramText::Lines(b->gen.GenerateProgram());
        QStringList done;
        for (int edit = 0, edits = 1 + random.bounded(8); edit < edits; ++edit) {
            const int kind = random.bounded(3);
            if (kind == 0) {
                // A line of code right after a handler's label line.
                QList<int> labels;
                for (int i = 0; i < lines.size(); ++i) {
                    if (lines[i].trimmed().startsWith("shop.", Qt::CaseInsensitive))
                        labels << i;
                }
                const int at = labels[random.bounded(int(labels.size()))] + 1;
                lines.insert(at, code[random.bounded(int(code.size()))]);
                done << QString("code at %1").arg(at);
            } else if (kind == 1) {
                // A subroutine of their own after a piece, before its banner.
                QList<int> ends;
                for (int i = 1; i + 2 < lines.size(); ++i) {
                    if (lines[i] == "*" && lines[i + 1] == "*" && lines[i + 2].startsWith("*****")
                        && lines[i - 1] != "*")
                        ends << i;
                }
                const int at = ends[random.bounded(int(ends.size()))];
                const QString label = QString("LOCAL.%1").arg(edit);
                lines.insert(at, "* a note of " + label);
                lines.insert(at + 1, label + ":");
                lines.insert(at + 2, "   CRT '" + label + "'");
                lines.insert(at + 3, "   RETURN");
                done << QString("subroutine at %1").arg(at);
            } else {
                // Indentation and letter case of a code line.
                const int at = random.bounded(int(lines.size()));
                QString line = lines[at];
                if (line.trimmed().isEmpty() || line.trimmed().startsWith('*'))
                    continue;
                line = random.bounded(2) ? line.toLower() : line.toUpper();
                line = random.bounded(2) ? "      " + line.trimmed() : line.trimmed();
                lines[at] = line;
                done << QString("recased %1").arg(at);
            }
        }
        const QString text = CodeProgramText::Join(lines);
        SCOPED_TRACE(name + ": " + done.join(", ").toStdString());
        ASSERT_EQ(b->Faults(text), "") << text.toStdString();
        ASSERT_EQ(b->update.RepairStructure(text), text);
    }
}

// Templates that give the search little to hold on to: a first line that comes out empty, a
// section whose first and last lines are the same text, a section of one line, a section of
// stars alone, a section that needs a value the project lacks. None hangs or matches every
// line; each fresh program is complete, and each section taken out is put back once.
TEST(CodeSectionMap, SectionsWithLittleToSearchFor)
{
    QStringList sections = Commented().Sections;
    sections[1] = "%%AUTHOR%%\r\n* HEADER\r\nEQU AM TO CHAR(254)";     // empty first line
    sections[3] = "* LOOP\r\nLOOP\r\nREPEAT\r\n* LOOP";                // first = last
    sections[4] = "STOP 'DONE'";                                        // one line
    sections[10] = "*\r\n*";                                            // stars alone
    sections[11] = "* CUSTOM FOR %%PROJID%%\r\nCUSTOM.EVENT:\r\nRETURN"; // needs the item ID
    Bench b(sections);
    const QString program = b.gen.GenerateProgram();
    EXPECT_EQ(b.Faults(program), "") << program.toStdString();
    EXPECT_EQ(b.update.Apply(program, Everything).Text, program);

    // The loop's span runs to its second "* LOOP", not to the first line again.
    const CodeAnalysis::State state = b.analysis.Inspect(program);
    const CodeSectionMap::Span loop = state.Map->Section(4);
    EXPECT_EQ(loop.Last - loop.First, 3);

    // An empty program lacks every section that has something to look for; stars alone are
    // nothing to look for and never missing.
    const CodeAnalysisResult empty = b.analysis.Analyze({});
    EXPECT_EQ(empty.PieceStatus[CodeAnalysisResult::Header], CodeAnalysisResult::Missing);
    EXPECT_EQ(empty.PieceStatus[CodeAnalysisResult::ErrorHandler], CodeAnalysisResult::Missing);
    EXPECT_EQ(empty.PieceStatus[CodeAnalysisResult::DynamicHandler], CodeAnalysisResult::Present);

    // Without an item ID the custom event handler has nothing to write: a program without it
    // is complete, and a repair does not add an empty piece.
    Bench unsaved(sections);
    unsaved.analysis.SetProjectLocation("GUI.PROJECTS", {});
    unsaved.gen.SetProjectLocation("GUI.PROJECTS", {});
    const QString bare = unsaved.gen.GenerateProgram();
    EXPECT_EQ(unsaved.Faults(bare), "");
    EXPECT_EQ(unsaved.update.RepairStructure(bare), bare);

    for (int n : {2, 4, 5}) {
        SCOPED_TRACE(n);
        const QString written = b.Piece(n) + CrLf + modCodeGen::Banner() + CrLf;
        const QString broken = QString(program).remove(program.indexOf(written), written.size());
        const QString repaired = b.update.RepairStructure(broken);
        EXPECT_TRUE(OneInsertion(broken, repaired, b.Piece(n))) << repaired.toStdString();
        EXPECT_EQ(b.update.RepairStructure(repaired), repaired);
    }
}

// A line that holds a section's first line whole wins over an earlier line that merely
// mentions it; with no such line the mention counts.
TEST(CodeSectionMap, WholeLinesWinOverMentions)
{
    Bench b(Commented().Sections);
    const QString program = b.gen.GenerateProgram();
    QString text = program;
    text.replace("* DECLARATIONS END", "* DECLARATIONS END\r\nCRT '* TRAILER START'");
    EXPECT_EQ(b.Faults(text), "");

    // With the line itself gone, a line that quotes it in the trailer's own place counts.
    text = program;
    text.replace("* TRAILER START\r\n", "CRT '* trailer start'\r\n");
    EXPECT_EQ(b.Faults(text), "");

    // A copy of the first line after the section does not hide the section whose own first
    // line the programmer extended.
    text = program;
    text.replace("* TRAILER START\r\n", "* TRAILER START (checked)\r\n");
    text += "\r\n* TRAILER START";
    EXPECT_EQ(b.Faults(text), "");

    // A handler's RETURN with more on its line still ends the handler; code added inside the
    // handler that mentions RETURN does not cut it short.
    text = program;
    text.replace(QRegularExpression("(SHOP.MAIN.OK.CLICK:\r\n)"), "\\1   RETURN.CODE = 0\r\n");
    const CodeAnalysis::State state = b.analysis.Inspect(text);
    const int click = state.Map->FindHandler("SHOP.MAIN.OK.CLICK", 7);
    ASSERT_GE(click, 0);
    const CodeSectionMap::Span span = state.Map->Handlers()[size_t(click)].Where;
    EXPECT_EQ(state.Lines[span.Last], "* END OF HANDLER");
    EXPECT_EQ(span.Last - span.First, 4);
}

// A handler's label line with a comment or a statement added after the label is still that
// handler: nothing is missing, nothing unused, and adding the missing handlers adds none.
TEST(CodeSectionMap, LabelLineMayCarryMore)
{
    for (const Style &s : {Commented(), Mixed()}) {
        SCOPED_TRACE(s.Name);
        Bench b(s.Sections);
        QString text = b.gen.GenerateProgram();
        const QRegularExpression label("^(shop\\.main\\.ok\\.click:)",
                                       QRegularExpression::CaseInsensitiveOption
                                           | QRegularExpression::MultilineOption);
        ASSERT_TRUE(text.contains(label));
        text.replace(label, "\\1  ;* the OK button");
        EXPECT_EQ(b.Faults(text), "");
        EXPECT_EQ(b.update.Apply(text, CodeUpdate::AddMissing | CodeUpdate::RemoveUnused).Text,
                  text);
    }
}
