// ParseCmdLine: switches set the host parameters, /I= and bare names open documents in
// command-line order, quoted values keep their blanks, and no input (unbalanced quotes,
// failing opens, errors raised by the open path) stops the parse or crashes it.
#include "app/CommandLine.h"
#include "app/ProcessState.h"
#include "app/iDocumentOpener.h"
#include "support/GuiError.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
class RecordingOpener : public iDocumentOpener
{
public:
    QStringList calls;
    QStringList failing;     // document names whose open fails
    QStringList raising;     // document names whose open raises 5001
    bool serviceAvailable = true;

    QString BuildDocumentName(const QString &t, const QString &h, const QString &a, const QString &f,
                              const QString &i) override
    {
        return QStringList({t, h, a, f, i}).join('|');
    }
    OpenResult OpenDocument(const QString &name) override
    {
        calls << "open " + name;
        if (raising.contains(name))
            throw GuiError(GuiErrors::NotInitialized, "broken");
        if (failing.contains(name))
            return {};
        return {true, "shown:" + name};
    }
    void AddToRecentList(const QString &displayName) override { calls << "recent " + displayName; }
    bool QueryHostService(const QString &name, int feature) override
    {
        calls << QStringLiteral("service %1 %2").arg(name).arg(feature);
        return serviceAvailable;
    }
    void ReportError(const GuiError &error, const QString &label) override
    {
        calls << QStringLiteral("error %1 %2").arg(error.Number()).arg(label);
    }
};

class CommandLine : public ::testing::Test
{
protected:
    QStringList Parse(const QString &line)
    {
        ParseCmdLine(line, state, opener);
        return opener.calls;
    }
    QTemporaryDir dir;
    ProcessState state{dir.path()};
    RecordingOpener opener;
};
} // namespace

TEST_F(CommandLine, QuotedFileNameThenItemOpensThatItem)
{
    EXPECT_EQ(Parse(R"(  /H=host1 /A=ACCT /F="GUI Projects" /I=ORDERS /X=ext  )"),
              QStringList({"open mvdb|host1|ACCT|GUI Projects|ORDERS",
                           "recent shown:mvdb|host1|ACCT|GUI Projects|ORDERS",
                           "service mvdb|host1||| 15"}));
    EXPECT_EQ(state.HostFileName, "GUI Projects");
    EXPECT_EQ(state.ItemID, "ORDERS");
    EXPECT_EQ(state.ExtensionArgument, "ext");
}

TEST_F(CommandLine, SwitchesMatchOnThreeCharactersInAnyCase)
{
    Parse(R"(/t=file /h=H /a=A /f=F /x="x y" /TYPE=zzz /Q=1 /T /)");
    EXPECT_EQ(state.HostType, "file");
    EXPECT_EQ(state.HostName, "H");
    EXPECT_EQ(state.AccountName, "A");
    EXPECT_EQ(state.HostFileName, "F");
    EXPECT_EQ(state.ExtensionArgument, "\"x y\""); // passed on as written
    EXPECT_EQ(opener.calls, QStringList({"service file|H||| 15"}));
}

// Documents open in command-line order and only those that opened are remembered; an error
// raised by an open is reported and the parse goes on; an absolute path without blanks is a
// document name, not a switch, while unknown switches are passed over.
TEST_F(CommandLine, DocumentsOpenInOrderWhateverFails)
{
    const struct {
        const char *line;
        QStringList calls;
    } rows[] = {
        {R"("/tmp/my  projects/a.gui" missing.gui b.gui)",
         {"open /tmp/my  projects/a.gui", "recent shown:/tmp/my  projects/a.gui", "open missing.gui",
          "open b.gui", "recent shown:b.gui", "service mvdb|||| 15"}},
        {"   ", {"service mvdb|||| 15"}},
        {"bad.gui good.gui",
         {"open bad.gui", "error 5001 <CvGuiSvrMod ParseCmdLine>", "open good.gui",
          "recent shown:good.gui", "service mvdb|||| 15"}},
        {"/work/p/a.gui /q=x /TYPE=zzz /T=file",
         {"open /work/p/a.gui", "recent shown:/work/p/a.gui", "service file|||| 15"}},
    };
    for (const auto &row : rows) {
        ProcessState fresh{dir.path()};
        RecordingOpener recording;
        recording.failing << "missing.gui";
        recording.raising << "bad.gui";
        ParseCmdLine(row.line, fresh, recording);
        EXPECT_EQ(recording.calls, row.calls) << row.line;
    }
}

TEST_F(CommandLine, UnbalancedQuotesTakeTheRestOfTheLine)
{
    const std::vector<std::pair<QString, QStringList>> rows = {
        {R"(/F="abc def /I=X)", {R"(/F="abc def /I=X)"}},
        {R"(")", {R"(")"}},
        {R"(a" b)", {R"(a" b)"}},
        {R"("a b" "c)", {R"("a b")", R"("c)"}},
        {R"(x"y"z w)", {R"(x"y"z)", "w"}},
        {R"(/F="" /I=1)", {R"(/F="")", "/I=1"}},
    };
    for (const auto &[line, expected] : rows)
        EXPECT_EQ(SplitCommandLine(line), expected) << line.toStdString();

    Parse(R"(/F="abc def /I=X)");
    EXPECT_EQ(state.HostFileName, R"("abc def /I=X)");
    EXPECT_EQ(state.ItemID, "");
    opener.calls.clear();
    Parse(R"(")");
    EXPECT_EQ(opener.calls, QStringList({"open \"", "recent shown:\"", "service mvdb|||| 15"}));
}

TEST_F(CommandLine, ArgumentsFromTheShellSurviveTheJoin)
{
    const QStringList argv = {"/F=GUI Projects", "/I=MY ITEM", "/home/u/my file.gui", "plain", ""};
    EXPECT_EQ(JoinArguments(argv), R"(/F="GUI Projects" /I="MY ITEM" "/home/u/my file.gui" plain)");
    Parse(JoinArguments(argv));
    EXPECT_EQ(opener.calls.value(0), "open mvdb|||GUI Projects|MY ITEM");
    EXPECT_EQ(opener.calls.value(2), "open /home/u/my file.gui");
}
