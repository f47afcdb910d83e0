// Analysis of an existing program: sections found by their first and last lines, their order,
// a decoder compared for meaning, missing and unused handlers, the report lines of the update
// dialog and the analyze command's lines, and programs that are not what they should be.
#include "code/CodeAnalysis.h"

#include "code/CodeCommands.h"
#include "test_CodeGenSupport.h"

#include <gtest/gtest.h>

using CodeGenTest::ProjectText;
using CodeGenTest::SmallSections;

namespace {
const QString GuiLib = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib");

// Shop, an SDI application reporting Quit, with a form reporting Close and a button Click
// unless other masks are given.
QString ShopProject(qint64 formMask = 0x1, qint64 buttonMask = 0x20)
{
    return ProjectText()
        .Create("Shop", 1, 0x40000000)
        .Create("Shop*Main", 6, formMask)
        .Create("Shop*Main*Ok", 18, buttonMask)
        .Text();
}

struct Bench : CodeGenTest::CodeBench
{
    explicit Bench(const QString &project = ShopProject(), const QString &folder = {})
        : CodeBench(project, SmallSections(), folder)
    {
    }
};

// Moves the block of lines that starts with `from` and ends before `upTo` in front of `before`.
QString MoveBlock(QString text, const QString &from, const QString &upTo, const QString &before)
{
    const qsizetype start = text.indexOf(from);
    const qsizetype end = text.indexOf(upTo, start);
    const QString block = text.mid(start, end - start);
    text.remove(start, end - start);
    text.insert(text.indexOf(before), block);
    return text;
}
} // namespace

TEST(CodeAnalysis, FreshProgramIsCompleteWithEitherLineEnd)
{
    Bench small;
    const QString program = small.Program();
    // The program as generated, with LF line ends, and in other letter case and indentation.
    for (const QString &text : {program, QString(program).replace("\r\n", "\n"),
                                QString(program).toLower().replace("\r\n", "\r\n   ")})
        EXPECT_EQ(small.Faults(text), "") << text.toStdString();
}

// The project's own template: its sections continue the banner line ("* Failure handling")
// and define labels of their own that are no handlers, also for an application whose ID is
// the first word of such a label ("GUI.EXECUTE:", "DECODE.EVENT:"), which makes the label
// look like one of its handlers: it stays the template's, never an unused handler to remove.
TEST(CodeAnalysis, TemplateLabelsThatLookLikeTheApplicationsHandlersAreNoHandlers)
{
    for (const QString app : {"Shop", "GUI", "Decode"}) {
        const QString project = ProjectText()
                                    .Create(app, 0, 0x40000001)
                                    .Create(app + "*Main", 6, 0x1)
                                    .Create(app + "*Main*Ok", 18, 0x20)
                                    .Text();
        Bench standard(project, GuiLib);
        EXPECT_EQ(standard.Faults(standard.Program()), "") << app.toStdString();
    }
}

TEST(CodeAnalysis, SectionsFoundInSequence)
{
    Bench s;
    const QString program = s.Program();

    // Header, startup, trailer, event loop: the trailer starts before the loop ends.
    CodeAnalysisResult r = s.Analyze(MoveBlock(program, "* TRAILER", "*\r\n*\r\n****", "* LOOP"));
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::EventLoop], CodeAnalysisResult::Present);
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::Trailer], CodeAnalysisResult::OutOfSequence);
    const CodeReportLine line = CodeAnalysis::StructureLine(r);
    EXPECT_EQ(line.Text, "Some sections of the GUI support code are out of sequence. You need to "
                         "correct this manually!");
    EXPECT_FALSE(line.CanUpdate);

    // A startup section placed before the header.
    r = s.Analyze(MoveBlock(program, "* STARTUP", "*\r\n*\r\n****", "* HEADER"));
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::Startup], CodeAnalysisResult::OutOfSequence);
    EXPECT_EQ(CodeAnalysis::StartupLine(r).Text,
              "The startup section of the GUI support code is out of sequence. You need to "
              "correct this manually!");
}

TEST(CodeAnalysis, DecoderComparedForMeaning)
{
    Bench s;
    const QString program = s.Program();
    const QString decoder = s.gen.BuildEventDecoder();
    ASSERT_TRUE(program.contains(decoder));

    // Tabs, indentation, runs of blanks, empty lines and letter case do not matter.
    QString relaid = decoder.toLower();
    relaid.replace("\r\n", "\r\n\r\n\t  ").replace(" = ", "   =\t");
    CodeAnalysisResult r = s.Analyze(QString(program).replace(decoder, relaid));
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::Decoder], CodeAnalysisResult::Present);

    // A line that routes an event elsewhere does.
    r = s.Analyze(QString(program).replace("GOSUB SHOP.MAIN.OK.CLICK", "GOSUB SHOP.MAIN.OK.CLICK2"));
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::Decoder], CodeAnalysisResult::NeedsUpdate);
    EXPECT_EQ(CodeAnalysis::DecoderLine(r).Text,
              "GUI support code for the event decoder needs to be updated.");
    EXPECT_TRUE(CodeAnalysis::DecoderLine(r).CanUpdate);
}

TEST(CodeAnalysis, MissingAndUnusedHandlers)
{
    Bench before;
    QString program = before.Program();
    // A subroutine of the programmer's own is no handler, even with a handler's shape.
    program.replace("* TRAILER", "MY.ROUTINE:\r\nRETURN\r\n* TRAILER");

    // The project now reports Ok's double click instead of its click, and the form's Close
    // no longer.
    Bench after(ShopProject(0, 0x40));
    const CodeAnalysisResult r = after.Analyze(program);
    EXPECT_EQ(r.MissingHandlers, QStringList{"SHOP.MAIN.OK.DBLCLICK"});
    EXPECT_EQ(r.UnusedHandlers, (QStringList{"SHOP.MAIN.CLOSE", "SHOP.MAIN.OK.CLICK"}));
    EXPECT_EQ(r.MissingText(), "SHOP.MAIN.OK.DBLCLICK");
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::Decoder], CodeAnalysisResult::NeedsUpdate);
}

TEST(CodeAnalysis, ReportLines)
{
    CodeAnalysisResult r;
    r.Analyzed = true;
    r.HasForms = true;
    EXPECT_EQ(CodeAnalysis::StructureLine(r).Text,
              "GUI support code for the header, event loop, trailer, dynamic event handler, "
              "custom event handler and error handler are present.");
    EXPECT_FALSE(CodeAnalysis::StructureLine(r).CanUpdate);

    struct Row
    {
        std::vector<CodeAnalysisResult::Piece> missing;
        const char *text;
    };
    const Row rows[] = {
        {{CodeAnalysisResult::Trailer}, "GUI support code for the trailer is missing."},
        {{CodeAnalysisResult::Header, CodeAnalysisResult::CustomHandler},
         "GUI support code for the header and custom event handler are missing."},
        {{CodeAnalysisResult::Header, CodeAnalysisResult::EventLoop, CodeAnalysisResult::Trailer},
         "GUI support code for the header, event loop and trailer are missing."},
        // Named in the order of the sections, whatever order they are in the result.
        {{CodeAnalysisResult::CustomHandler, CodeAnalysisResult::ErrorHandler,
          CodeAnalysisResult::DynamicHandler},
         "GUI support code for the error handler, dynamic event handler and custom event "
         "handler are missing."},
    };
    for (const Row &row : rows) {
        CodeAnalysisResult m = r;
        for (auto piece : row.missing)
            m.PieceStatus[piece] = CodeAnalysisResult::Missing;
        m.PieceStatus[CodeAnalysisResult::EventLoop] =
            m.PieceStatus[CodeAnalysisResult::EventLoop] == CodeAnalysisResult::Missing
                ? CodeAnalysisResult::Missing
                : CodeAnalysisResult::OutOfSequence; // out of sequence never hides a missing one
        EXPECT_EQ(CodeAnalysis::StructureLine(m).Text, row.text);
        EXPECT_TRUE(CodeAnalysis::StructureLine(m).CanUpdate);
    }

    // Startup: missing, not needed for MDI. (Present is the analyze command's test, no forms
    // the next test's.)
    r.PieceStatus[CodeAnalysisResult::Startup] = CodeAnalysisResult::Missing;
    EXPECT_EQ(CodeAnalysis::StartupLine(r).Text,
              "GUI support code to load the first (startup) form is missing.");
    EXPECT_TRUE(CodeAnalysis::StartupLine(r).CanUpdate);
    r.MdiApplication = true;
    EXPECT_EQ(CodeAnalysis::StartupLine(r).Text,
              "GUI startup code is not necessary for MDI applications.");
    EXPECT_FALSE(CodeAnalysis::StartupLine(r).CanUpdate);

    r.PieceStatus[CodeAnalysisResult::Decoder] = CodeAnalysisResult::Missing;
    EXPECT_EQ(CodeAnalysis::DecoderLine(r).Text, "GUI support code for the event decoder is missing.");

    CodeAnalysisResult failed;
    EXPECT_FALSE(CodeAnalysis::StructureLine(failed).CanUpdate);
    EXPECT_FALSE(CodeAnalysis::StartupLine(failed).CanUpdate);
    EXPECT_FALSE(CodeAnalysis::DecoderLine(failed).CanUpdate);
}

TEST(CodeAnalysis, ProjectWithoutFormsReportsSo)
{
    const QString project = ProjectText().Create("Shop", 1, 0x40000000).Text();
    Bench s(project);
    QString program = s.Program();
    program.remove(program.indexOf("* STARTUP"), program.indexOf("* LOOP") - program.indexOf("* STARTUP"));
    const CodeAnalysisResult r = s.Analyze(program);
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::Startup], CodeAnalysisResult::Missing);
    EXPECT_EQ(CodeAnalysis::StartupLine(r).Text.toStdString(), "There are no forms in this project.");
    EXPECT_FALSE(CodeAnalysis::StartupLine(r).CanUpdate);
}

TEST(CodeAnalysis, AnalyzeCommandLines)
{
    Bench s;
    QString program = s.Program();
    program.replace("* LOOP\r\n", "").replace("* DYNAMIC\r\n", "");
    program.replace("SHOP.MAIN.CLOSE:", "SHOP.MAIN.OLD:");

    CodeCommands::Options options;
    options.TemplateFolder = s.dir.Path();
    options.ProjectFile = "GUI.PROJECTS";
    options.ProjectId = "SHOP";
    const CodeCommands::Output out = CodeCommands::Analyze(ShopProject(), program, options);
    EXPECT_EQ(out.ExitCode, 0);
    EXPECT_EQ(out.Lines, (QStringList{
                             "header: present",
                             "startup: present",
                             "event loop: missing",
                             "trailer: present",
                             "decoder: present",
                             "dynamic event handler: missing",
                             "custom event handler: present",
                             "error handler: present",
                             "missing: SHOP.MAIN.CLOSE",
                             "unused: SHOP.MAIN.OLD",
                             "report: GUI support code for the event loop and dynamic event "
                             "handler are missing.",
                             "report: GUI support code to load the first (startup) form is present.",
                             "report: GUI support code for the event decoder is present and up "
                             "to date.",
                         }));

    // No project: the analysis fails. (A folder without templates is the command line's test.)
    const CodeCommands::Output failed = CodeCommands::Analyze("not a project", program, options);
    EXPECT_EQ(failed.ExitCode, 1);
    EXPECT_EQ(failed.Lines, QStringList{"report: Unable to analyze code."});
}

// Programs that are not what they should be are analysed without harm.
TEST(CodeAnalysis, BadPrograms)
{
    Bench s;
    const QString program = s.Program();

    QString binary;
    for (int i = 0; i < 4096; ++i)
        binary += QChar(char16_t((i * 7919) % 0xD000));
    CodeAnalysisResult r = s.Analyze(binary);
    EXPECT_TRUE(r.Analyzed);
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::Header], CodeAnalysisResult::Missing);
    EXPECT_EQ(r.MissingHandlers.size(), 3);

    // One long line, and the program with its line ends gone: no handler label stands at
    // the end of a line.
    r = s.Analyze(QString(program).remove('\r').remove('\n'));
    EXPECT_TRUE(r.Analyzed);
    EXPECT_EQ(r.MissingHandlers.size(), 3);
    EXPECT_TRUE(s.Analyze({}).Analyzed);

    // First lines without their last line: the trailer's STOP is gone; the last handler's
    // RETURN is gone, so its span ends before the next section.
    QString cut = program;
    cut.replace("\r\nSTOP\r\n", "\r\n");
    r = s.Analyze(cut);
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::Trailer], CodeAnalysisResult::Missing);
    cut = program;
    const qsizetype click = cut.indexOf("SHOP.MAIN.OK.CLICK:");
    cut.remove(cut.indexOf("RETURN\r\n", click), 8);
    EXPECT_EQ(s.Faults(cut), "");

    // A stray CR counts as a line end.
    EXPECT_EQ(s.Faults(QString(program).replace("\r\n", "\r")), "");
}

// A program beyond the line limit is refused before its lines are split off (each would cost
// some 80 bytes), whichever line end it uses; the update reports the same.
TEST(CodeAnalysis, ProgramsBeyondTheLimitsAreRefused)
{
    Bench s;
    const qsizetype over = CodeAnalysis::MaxProgramLines;
    for (const QString &end : {QString("\n"), QString("\r"), QString("\r\n")}) {
        const CodeAnalysisResult r = s.Analyze(end.repeated(over));
        EXPECT_FALSE(r.Analyzed);
        EXPECT_TRUE(r.Error.contains(QString("has %1 lines").arg(over + 1))) << r.Error.toStdString();
    }
    EXPECT_TRUE(s.Analyze(QString("\r\n").repeated(1000)).Analyzed);
    CodeUpdate update(s.analysis);
    const CodeUpdate::Result r = update.Apply(QString("\n").repeated(over), CodeUpdate::Decoder);
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Message.contains("are not analysed")) << r.Message.toStdString();
}
