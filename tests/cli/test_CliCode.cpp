// corvane generate, analyze and update together: a fresh program analyses as complete; after
// the project gains and loses events, update brings the program back while the hand-written
// lines survive.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

using namespace cli_test;

namespace {
const QString Templates = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib");

QString Buttons(const QStringList &clickable, const QStringList &silent = {})
{
    QStringList body{Rec({"2", "APP*F1", "", "6", "0", "0", "40", "20", "1"})};
    for (const QString &b : clickable)
        body << Rec({"2", "APP*F1*" + b, "", "18", "1", "1", "10", "2", "32"});
    for (const QString &b : silent)
        body << Rec({"2", "APP*F1*" + b, "", "18", "1", "5", "10", "2", "0"});
    return Project(body);
}

QStringList Lines(const QByteArray &out) { return QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts); }

QStringList Starting(const QStringList &lines, const QString &prefix)
{
    QStringList found;
    for (const QString &line : lines)
        if (line.startsWith(prefix))
            found << line.mid(prefix.size());
    return found;
}

void ExpectComplete(const Outcome &run)
{
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QStringList lines = Lines(run.Out);
    ASSERT_GE(lines.size(), 11);
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(lines[i].endsWith(": present")) << lines[i].toStdString();
    EXPECT_TRUE(Starting(lines, "missing: ").isEmpty()) << run.Out.toStdString();
    EXPECT_TRUE(Starting(lines, "unused: ").isEmpty()) << run.Out.toStdString();
    EXPECT_EQ(Starting(lines, "report: ").size(), 3);
}
} // namespace

TEST(CliCode, GenerateAnalyzeUpdateRoundTrip)
{
    QTemporaryDir dir;
    const QString before = WriteFile(dir, "before.gui", Buttons({"OK", "GONE"}));
    const QString program = dir.filePath("prog.bas");
    ASSERT_EQ(Corvane({"generate", before, "--templates", Templates, "--output", program}).Status, 0);
    const QByteArray generated = FileBytes(program);
    ASSERT_FALSE(generated.isEmpty());
    EXPECT_FALSE(generated.contains("\n\n")) << "line ends are CR LF";

    // Hand-written code inside the OK handler, saved with LF line ends as an editor might.
    QString text = QString::fromUtf8(generated);
    const QStringList lines = text.split("\r\n");
    int okLabel = -1;
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].contains("OK.CLICK", Qt::CaseInsensitive) && lines[i].trimmed().endsWith(':'))
            okLabel = i;
    ASSERT_GE(okLabel, 0) << "the OK handler's label";
    QStringList edited = lines;
    edited.insert(okLabel + 1, "   CRT 'HAND WRITTEN'");
    const QString handEdited = WriteFile(dir, "edited.bas", edited.join("\n"));

    // The project loses GONE's click and gains NEW.
    const QString after = WriteFile(dir, "after.gui", Buttons({"OK", "NEW"}, {"GONE"}));
    const Outcome stale = Corvane({"analyze", after, handEdited, "--templates", Templates});
    ASSERT_EQ(stale.Status, 0) << stale.Err.toStdString();
    const QStringList staleLines = Lines(stale.Out);
    ASSERT_EQ(Starting(staleLines, "missing: ").size(), 1);
    EXPECT_TRUE(Starting(staleLines, "missing: ")[0].contains("NEW", Qt::CaseInsensitive));
    ASSERT_EQ(Starting(staleLines, "unused: ").size(), 1);
    EXPECT_TRUE(Starting(staleLines, "unused: ")[0].contains("GONE", Qt::CaseInsensitive));
    EXPECT_TRUE(staleLines.contains("decoder: needs update")) << stale.Out.toStdString();

    const QString mended = dir.filePath("mended.bas");
    const Outcome update = Corvane({"update", after, handEdited, "--templates", Templates,
                                    "--decoder", "--remove-unused", "--add-missing", "--output", mended});
    ASSERT_EQ(update.Status, 0) << update.Err.toStdString();
    EXPECT_TRUE(update.Out.isEmpty());
    const QByteArray mendedText = FileBytes(mended);
    EXPECT_TRUE(mendedText.contains("   CRT 'HAND WRITTEN'\n"));
    EXPECT_FALSE(mendedText.contains('\r')) << "the program keeps its LF line ends";
    EXPECT_FALSE(mendedText.contains("GONE.CLICK"));
    ExpectComplete(Corvane({"analyze", after, mended, "--templates", Templates}));
}

TEST(CliCode, AnalyzeAndUpdateFailures)
{
    QTemporaryDir dir;
    const QString project = WriteFile(dir, "p.gui", Buttons({"OK"}));
    EXPECT_EQ(Corvane({"analyze", project}).Status, 2) << "the program is missing";
    EXPECT_EQ(Corvane({"analyze", project, dir.filePath("none.bas")}).Status, 2);
    EXPECT_EQ(Corvane({"update", project, dir.filePath("none.bas"), "--bogus"}).Status, 2);

    // A program of binary junk without line ends analyses without crashing.
    const QString junk = dir.filePath("junk.bas");
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += char((i * 37) % 256);
    PutFileBytes(junk, bytes);
    const Outcome run = Corvane({"analyze", project, junk, "--templates", Templates});
    EXPECT_TRUE(run.Status == 0 || run.Status == 1);
    EXPECT_TRUE(run.Out.contains("report: ")) << run.Out.toStdString();

    const Outcome badTemplates = Corvane({"analyze", project, junk, "--templates", dir.path()});
    EXPECT_EQ(badTemplates.Status, 1);
    EXPECT_TRUE(badTemplates.Out.contains("report: Unable to analyze code."));
}

// A program comes back in its own form: with nothing to mend byte for byte (LF only, CR only,
// a byte-order mark, mixed line ends); changed, with its own line ends, encoding and mark.
// Lines joined by a host's attribute mark (0xFE in a Latin-1 file, U+F8FE in UTF-8) are lines:
// the decoder is replaced and nothing around it, exactly as in the CR LF program.
TEST(CliCode, ProgramsComeBackInTheirOwnForm)
{
    QTemporaryDir dir;
    const QString before = WriteFile(dir, "before.gui", Buttons({"OK", "GONE"}));
    const QString after = WriteFile(dir, "after.gui", Buttons({"OK", "NEW"}, {"GONE"}));
    const Outcome generated = Corvane({"generate", before, "--templates", Templates});
    ASSERT_EQ(generated.Status, 0) << generated.Err.toStdString();
    QStringList lines = QString::fromUtf8(generated.Out).split("\r\n");
    lines.insert(lines.size() / 2, "   CRT 'HAND WRITTEN \u00e9'");
    const QString crlf = lines.join("\r\n");
    const QString crlfPath = WriteFile(dir, "crlf.bas", crlf);
    const Outcome reference = Corvane({"update", after, crlfPath, "--templates", Templates, "--decoder"});
    ASSERT_EQ(reference.Status, 0) << reference.Err.toStdString();
    ASSERT_NE(reference.Out, crlf.toUtf8());

    struct Form
    {
        const char *name;
        QByteArray bytes;
        QByteArray separator;
        bool latin1;
    };
    const QByteArray bom("\xEF\xBB\xBF");
    const Form forms[] = {
        {"lf", lines.join("\n").toUtf8(), "\n", false},
        {"cr", lines.join("\r").toUtf8(), "\r", false},
        {"bom", bom + crlf.toUtf8(), "\r\n", false},
        {"utf-8 marks", lines.join(QChar(0xF8FE)).toUtf8(), QString(QChar(0xF8FE)).toUtf8(), false},
        {"latin-1 marks", lines.join(QChar(0xFE)).toLatin1(), "\xFE", true},
    };
    for (const Form &form : forms) {
        const QString program = dir.filePath("prog.bas");
        PutFileBytes(program, form.bytes);
        const Outcome same = Corvane({"update", before, program, "--templates", Templates});
        EXPECT_EQ(same.Status, 0) << form.name << same.Err.toStdString();
        EXPECT_EQ(same.Out, form.bytes) << form.name;

        const Outcome mended = Corvane({"update", after, program, "--templates", Templates, "--decoder"});
        ASSERT_EQ(mended.Status, 0) << form.name << mended.Err.toStdString();
        QByteArray body = mended.Out;
        if (form.separator != "\r\n" && form.separator != "\n")
            EXPECT_FALSE(body.contains('\n')) << form.name;
        if (form.separator != "\r\n" && form.separator != "\r")
            EXPECT_FALSE(body.contains('\r')) << form.name;
        EXPECT_EQ(body.startsWith(bom), form.bytes.startsWith(bom)) << form.name;
        if (body.startsWith(bom))
            body.remove(0, 3);
        QString text = form.latin1 ? QString::fromLatin1(body) : QString::fromUtf8(body);
        text.replace(form.latin1 ? QString::fromLatin1(form.separator) : QString::fromUtf8(form.separator),
                     "\r\n");
        EXPECT_EQ(text.toStdString(), QString::fromUtf8(reference.Out).toStdString()) << form.name;
    }

    // Marks among line breaks cannot be written back as they came: a change is refused and
    // nothing written; with nothing to change the program still comes back whole.
    QStringList mixed = lines;
    mixed[3] += QChar(0xF8FE) + mixed[4];
    mixed.removeAt(4);
    const QString mixedPath = WriteFile(dir, "mixed.bas", mixed.join("\r\n"));
    const Outcome refused = Corvane({"update", after, mixedPath, "--templates", Templates, "--decoder"});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_TRUE(refused.Out.isEmpty());
    EXPECT_TRUE(refused.Err.contains("attribute marks")) << refused.Err.toStdString();
    EXPECT_EQ(Corvane({"update", before, mixedPath, "--templates", Templates}).Out, mixed.join("\r\n").toUtf8());
}
