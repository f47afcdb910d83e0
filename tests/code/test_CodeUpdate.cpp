// Updating a program: every operation changes only the span it works on. Most cases take a
// generated program, break one piece, and expect the update to give the original text back
// byte for byte; the round trip keeps hand-written lines through a change of the project.
#include "code/CodeUpdate.h"

#include "support/GuiError.h"
#include "test_CodeGenSupport.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using CodeGenTest::ProjectText;
using CodeGenTest::SmallSections;
using CodeGenTest::TemplateFolder;

namespace {
const QString GuiLib = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib");
const QString CrLf = QStringLiteral("\r\n");

// Shop with a main form and an OK button; the masks say which events are on.
QString Shop(qint64 appMask, qint64 formMask, qint64 buttonMask, int forms = 1)
{
    ProjectText p;
    p.Create("Shop", 1, appMask);
    if (forms > 0)
        p.Create("Shop*Main", 6, formMask).Create("Shop*Main*Ok", 18, buttonMask);
    return p.Text();
}

constexpr qint64 Quit = 0x40000000, Close = 0x1, Click = 0x20, DblClick = 0x40;

struct Bench : CodeGenTest::CodeBench
{
    explicit Bench(const QString &project, const QString &folder = {})
        : CodeBench(project, SmallSections(), folder)
    {
    }
    // A handler as an update writes it: the handler, its banner and a line break.
    QString Block(const QString &form, const QString &control, const QString &event)
    {
        return gen.EventHandlerCode("Shop", form, control, event) + CrLf + modCodeGen::Banner() + CrLf;
    }
};

// The text with the piece that starts with `first` removed up to (not including) `next`.
QString Without(const QString &text, const QString &first, const QString &next)
{
    const qsizetype start = text.indexOf(first);
    const qsizetype end = next.isEmpty() ? text.size() : text.indexOf(next, start + 1);
    return QString(text).remove(start, end - start);
}
} // namespace

TEST(CodeUpdate, AddsMissingHandlersInLabelOrder)
{
    // Before the first handler whose label sorts after the new one.
    Bench b(Shop(Quit, Close, Click | DblClick));
    const QString program = Bench(Shop(Quit, Close, Click)).Program();
    QString expected = program;
    expected.insert(program.indexOf("SHOP.QUIT:"), b.Block("Main", "Ok", "DblClick"));
    EXPECT_EQ(b.update.AddMissingHandlers(program).toStdString(), expected.toStdString());

    // A label after every other one goes before the dynamic event handler section...
    Bench quit(Shop(Quit, Close, Click));
    const QString noQuit = Bench(Shop(0, Close, Click)).Program();
    expected = noQuit;
    expected.insert(noQuit.indexOf("* DYNAMIC"), quit.Block({}, {}, "Quit"));
    EXPECT_EQ(quit.update.AddMissingHandlers(noQuit).toStdString(), expected.toStdString());

    // ... else before the custom one, else the error handler...
    const QString noDynamic = Without(noQuit, "* DYNAMIC", "* CUSTOM");
    expected = noDynamic;
    expected.insert(noDynamic.indexOf("* CUSTOM"), quit.Block({}, {}, "Quit"));
    EXPECT_EQ(quit.update.AddMissingHandlers(noDynamic).toStdString(), expected.toStdString());

    // ... else at the end, after a line break of its own.
    QString bare = Without(noQuit, "* DYNAMIC", {});
    bare.chop(2);
    expected = bare + CrLf + quit.Block({}, {}, "Quit");
    EXPECT_EQ(quit.update.AddMissingHandlers(bare).toStdString(), expected.toStdString());

    // Several new handlers keep their order among each other; a label not missing is skipped.
    Bench all(Shop(Quit, Close, Click | DblClick));
    const QString none = Without(Without(program, "SHOP.QUIT:", "SHOP.MAIN.CLOSE:"),
                                 "SHOP.MAIN.OK.CLICK:", "* DYNAMIC");
    const QString added = all.update.AddMissingHandlers(none, {"shop.main.ok.dblclick", "SHOP.QUIT", "NOPE"});
    const qsizetype close = added.indexOf("SHOP.MAIN.CLOSE:");
    const qsizetype dblClick = added.indexOf("SHOP.MAIN.OK.DBLCLICK:");
    const qsizetype quitAt = added.indexOf("SHOP.QUIT:");
    ASSERT_GE(close, 0);
    EXPECT_LT(close, dblClick);
    EXPECT_LT(dblClick, quitAt);
    EXPECT_EQ(all.analysis.Analyze(added).MissingHandlers, QStringList{"SHOP.MAIN.OK.CLICK"});
}

TEST(CodeUpdate, RemovesUnusedHandlersWithTheirBanner)
{
    Bench b(Shop(Quit, 0, Click));
    QString program = Bench(Shop(Quit, Close, Click)).Program();
    program.replace("* TRAILER", "MY.ROUTINE:\r\nRETURN\r\n* TRAILER");
    const QString expected = Without(program, "SHOP.MAIN.CLOSE:", "SHOP.MAIN.OK.CLICK:");
    EXPECT_EQ(b.update.RemoveUnusedHandlers(program).toStdString(), expected.toStdString());
    // Naming a handler still in use removes nothing.
    EXPECT_EQ(b.update.RemoveUnusedHandlers(program, {"SHOP.QUIT"}), program);

    // A handler at the very end, without a line break after it.
    const QString tail = program + "\r\nSHOP.OLD.CLICK:\r\nRETURN";
    EXPECT_EQ(b.update.RemoveUnusedHandlers(tail, {"shop.old.click"}), program + CrLf);
}

// Several sections missing at once. (One section at a time, in every template style, and a
// program with nothing missing are the section-map tests'.)
TEST(CodeUpdate, RepairsMissingSectionsInPlace)
{
    Bench b(Shop(Quit, Close, Click));
    const QString program = b.Program();

    // Trailer before the decoder, then the event loop before the trailer: the original.
    const QString noLoop = Without(Without(program, "* TRAILER", "* DECODER"), "* LOOP", "* DECODER");
    EXPECT_EQ(b.update.RepairStructure(noLoop).toStdString(), program.toStdString());

    // Everything structural missing: repaired in place and order.
    QString bare = Without(program, "* HEADER", "* STARTUP");
    bare = Without(bare, "* LOOP", "* DECODER"); // the trailer with it
    bare = Without(bare, "* DYNAMIC", {});
    const QString repaired = b.update.RepairStructure(bare);
    EXPECT_EQ(b.Faults(repaired), "") << repaired.toStdString();
    EXPECT_TRUE(repaired.startsWith(Without(program, "* DYNAMIC", {})));
}

TEST(CodeUpdate, StartupBuiltOrReplaced)
{
    Bench b(Shop(Quit, Close, Click));
    const QString program = b.Program();

    EXPECT_EQ(b.update.UpdateStartup(Without(program, "* STARTUP", "* LOOP")), program);
    // A present section is replaced whole, though END closes it and a line inside it.
    QString stale = program;
    stale.replace("SHOW 'Main'", "SHOW 'Old'\r\nCRT 'more'");
    EXPECT_EQ(b.update.UpdateStartup(stale).toStdString(), program.toStdString());

    // A startup section out of sequence (before the header) is left for the programmer to
    // move: nothing is replaced or added.
    const qsizetype start = program.indexOf("* STARTUP");
    const qsizetype end = program.indexOf("* LOOP");
    QString early = program;
    const QString block = early.mid(start, end - start);
    early.remove(start, end - start);
    early.insert(early.indexOf("* HEADER"), block);
    ASSERT_EQ(b.analysis.Analyze(early).PieceStatus[CodeAnalysisResult::Startup],
              CodeAnalysisResult::OutOfSequence);
    EXPECT_EQ(b.update.UpdateStartup(early), early);

    // No form: nothing to show at start.
    Bench noForm(Shop(Quit, 0, 0, 0));
    const QString formless = Without(noForm.Program(), "* STARTUP", "* LOOP");
    EXPECT_EQ(noForm.update.UpdateStartup(formless), formless);
}

TEST(CodeUpdate, DecoderRebuiltOrInserted)
{
    Bench b(Shop(Quit, Close, Click));
    const QString program = b.Program();
    const QString stale = Bench(Shop(Quit, Close, DblClick)).Program();
    const QString expected = stale.left(stale.indexOf("* DECODER")) + b.gen.BuildEventDecoder()
                             + stale.mid(stale.indexOf(CrLf, stale.indexOf("\r\nRETURN\r\n", stale.indexOf("* DECODER")) + 2));
    EXPECT_EQ(b.update.RebuildDecoder(stale).toStdString(), expected.toStdString());
    EXPECT_EQ(b.update.RebuildDecoder(Without(program, "* DECODER", "SHOP.QUIT:")), program);
}

TEST(CodeUpdate, ApplyRunsTheChosenOperationsInOrder)
{
    Bench b(Shop(Quit, Close, Click));
    const QString program = b.Program();

    CodeUpdate::Result r = b.update.Apply(QString(program).replace(CrLf, "\n"), 0);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.Text, program);
    EXPECT_FALSE(r.DecoderWritten);

    // Repair puts the trailer back before the decoder; the decoder, rebuilt after it, stays.
    r = b.update.Apply(Without(program, "* TRAILER", "* DECODER"),
                       CodeUpdate::Repair | CodeUpdate::Decoder);
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.Text, program);
    EXPECT_TRUE(r.DecoderWritten);
    EXPECT_FALSE(r.EventSignature.isEmpty());

    // Failures carry the update's message.
    QTemporaryDir empty; // no template at all
    TemplateFiles none(empty.path());
    CodeAnalysis analysis(none);
    analysis.SetProjectText(Shop(Quit, Close, Click));
    CodeUpdate update(analysis);
    r = update.Apply(program, CodeUpdate::Decoder);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Message.toStdString(),
              ("While processing code, the following error has occurred:\r\nNo code template "
               "files found in folder '" + empty.path() + "/'").toStdString());
}

// A fresh program is complete; after the project gains and loses events, adding, removing
// and rebuilding the decoder make it complete again and keep what was written by hand. (The
// update command's own round trip, from an LF program, is the command-line tool's test.)
TEST(CodeUpdate, RoundTripKeepsHandWrittenCode)
{
    const QString before = ProjectText()
                               .Create("Orders", 0, 0x40000001)
                               .Create("Orders*Main", 5, 0x1)
                               .Create("Orders*Main*cmdSave", 18, 0x20)
                               .Create("Orders*Main*txtName", 16, 0x80)
                               .Text();
    const QString after = ProjectText()
                              .Create("Orders", 0, 0x40000001)
                              .Create("Orders*Main", 5, 0x1)
                              .Create("Orders*Main*cmdSave", 18, 0x20 | 0x40)
                              .Create("Orders*Main*lstItems", 21, 0x20)
                              .Text();
    Bench old(before, GuiLib);
    QString program = old.Program();
    ASSERT_EQ(old.Faults(program), "");

    const QString mine = "   CRT 'saving' ; * written by hand";
    program.replace(QRegularExpression("(ORDERS.MAIN.CMDSAVE.CLICK:\r\n[^\r]*\r\n)"), "\\1" + mine + CrLf);
    ASSERT_TRUE(program.contains(mine));

    Bench now(after, GuiLib);
    const CodeAnalysisResult r = now.analysis.Analyze(program);
    EXPECT_EQ(r.MissingHandlers, (QStringList{"ORDERS.MAIN.CMDSAVE.DBLCLICK", "ORDERS.MAIN.LSTITEMS.CLICK"}));
    EXPECT_EQ(r.UnusedHandlers, QStringList{"ORDERS.MAIN.TXTNAME.CHANGE"});

    const unsigned ops = CodeUpdate::AddMissing | CodeUpdate::RemoveUnused | CodeUpdate::Decoder;
    const CodeUpdate::Result updated = now.update.Apply(program, ops);
    ASSERT_TRUE(updated.Ok) << updated.Message.toStdString();
    EXPECT_EQ(now.Faults(updated.Text), "") << updated.Text.toStdString();
    EXPECT_TRUE(updated.Text.contains(mine));
    EXPECT_FALSE(updated.Text.contains("TXTNAME"));
}

// IDs that differ only in characters a label drops ("Ok" and "O-k", forms "A-B" and "AB")
// would give two handlers one label: the later object's label is numbered, generation and
// analysis agree on it, and a program written before (one label defined twice) is mended by
// adding the numbered handler and rebuilding the decoder.
TEST(CodeUpdate, ClashingHandlerLabelsAreNumberedForTheLaterObject)
{
    const QString project = ProjectText()
                                .Create("Shop", 1, 0)
                                .Create("Shop*A-B", 6, Close)
                                .Create("Shop*AB", 6, Close)
                                .Create("Shop*AB*Ok", 18, Click)
                                .Create("Shop*AB*O-k", 18, Click)
                                .Text();
    Bench b(project);
    const QString program = b.Program();
    for (const char *label : {"SHOP.AB.CLOSE", "SHOP.AB.CLOSE.2", "SHOP.AB.OK.CLICK", "SHOP.AB.OK.CLICK.2"}) {
        EXPECT_EQ(program.count(QString(label) + ":\r\n"), 1) << label;
        EXPECT_EQ(program.count("GOSUB " + QString(label) + "\r\n"), 1) << label;
    }
    EXPECT_EQ(b.Faults(program), "") << program.toStdString();
    EXPECT_EQ(b.gen.EventHandlerLabel("Shop", "AB", "O-k", "Click"), "SHOP.AB.OK.CLICK.2");
    EXPECT_EQ(b.gen.EventHandlerLabel("Shop", "AB", "Ok", "Click"), "SHOP.AB.OK.CLICK");

    QString old = program;
    old.remove(old.indexOf("SHOP.AB.OK.CLICK.2:"), b.Block("AB", "O-k", "Click").size());
    old.replace("SHOP.AB.OK.CLICK.2", "SHOP.AB.OK.CLICK");
    const CodeAnalysisResult r = b.analysis.Analyze(old);
    EXPECT_EQ(r.MissingHandlers, QStringList{"SHOP.AB.OK.CLICK.2"});
    EXPECT_EQ(r.PieceStatus[CodeAnalysisResult::Decoder], CodeAnalysisResult::NeedsUpdate);
    const CodeUpdate::Result mended = b.update.Apply(old, CodeUpdate::AddMissing | CodeUpdate::Decoder);
    ASSERT_TRUE(mended.Ok) << mended.Message.toStdString();
    EXPECT_EQ(mended.Text.toStdString(), program.toStdString());
}

// The numbering rule itself: a project without a clash keeps every label; a numbered label
// never takes one a row makes of its own; case does not tell labels apart; the label's own
// separator joins the number.
TEST(CodeUpdate, HandlerLabelNumberingRule)
{
    using Labels = std::vector<QString>;
    Bench b(Shop(Quit, Close, Click));
    EXPECT_EQ(b.gen.EventHandlerLabels({{"S", "F", "A", "Click"}, {"S", "F", "B", "Click"}}),
              (Labels{"S.F.A.CLICK", "S.F.B.CLICK"}));
    EXPECT_EQ(b.gen.EventHandlerLabels({{"S", "F", "A-1", "Click"}, {"S", "F", "A1", "Click"},
                                        {"S", "F", "A 1", "Click"}, {"S", "F", "a1", "MENU(CLICK.2)"},
                                        {"S", "F", "A1", "Click"}}),
              (Labels{"S.F.A1.CLICK", "S.F.A1.CLICK.3", "S.F.A.1.CLICK", "S.F.A1.CLICK.2", "S.F.A1.CLICK.4"}));

    TemplateFolder underscored{{"", "", "", "", "", "%%DECODE%%\r\nGOSUB %%TARGET%% __ACTION_",
                                "%%Target_%%:\r\nRETURN", "%%Target_%%:\r\nRETURN",
                                "%%Target_%%:\r\nRETURN", "", "", ""}};
    TemplateFiles files(underscored.Path());
    modCodeGen gen(files);
    gen.SetProjectText(Shop(0, Close, 0, 1));
    const std::vector<QString> got = gen.EventHandlerLabels({{"S", "A-B", "", "Close"}, {"S", "AB", "", "CLOSE"}});
    EXPECT_EQ(got, (Labels{"S_Ab_Close", "S_Ab_Close_2"}));
}

// A program whose lines are joined by a host's attribute marks reaches the update as one
// long line when nothing has split it: the decoder would be "found" inside that line, and
// replacing the line would delete the program around it. The update refuses instead.
TEST(CodeUpdate, SectionInsideOneLineIsNotReplaced)
{
    Bench b(Shop(Quit, Close, Click));
    const QString stale = Bench(Shop(Quit, Close, DblClick)).Program();
    QString joined = stale;
    joined.replace(CrLf, QChar(0xF8FE));
    EXPECT_THROW(b.update.RebuildDecoder(joined), GuiError);
    const CodeUpdate::Result r = b.update.Apply(joined, CodeUpdate::Decoder | CodeUpdate::Startup);
    EXPECT_FALSE(r.Ok);
    EXPECT_TRUE(r.Message.contains("left unchanged")) << r.Message.toStdString();
}
