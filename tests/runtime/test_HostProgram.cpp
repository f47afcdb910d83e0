// The runtime against the generated program's own command texts: a small host plays the
// start-up, event loop and shut-down of the shipped template (its GUI.COMMAND lines are read
// from the template and evaluated), decodes each event row by the template's event-name
// list, and stops on what the template treats as failure.
#include "runtime/clsGuiRuntime.h"
#include "FileBytes.h"

#include "RuntimeTestSupport.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// The lines of one <<n>> section of a template.
QStringList Section(const QString &text, int number)
{
    QStringList out;
    bool inside = false;
    const QRegularExpression marker(QStringLiteral("^<<(\\d+)>>\\s*$"));
    for (const QString &line : text.split(QRegularExpression(QStringLiteral("\r?\n")))) {
        const QRegularExpressionMatch m = marker.match(line);
        if (m.hasMatch()) {
            inside = m.captured(1).toInt() == number;
            continue;
        }
        if (inside)
            out << line;
    }
    return out;
}

// Evaluates the right-hand side of a template's "GUI.COMMAND = ..." line: numbers, quoted
// strings and variables joined by ":".
QString Evaluate(const QString &expression, const QHash<QString, QString> &variables)
{
    QString out;
    for (QString token : expression.split(QLatin1Char(':'))) {
        token = token.trimmed();
        if (token.startsWith(QLatin1Char('\'')) && token.endsWith(QLatin1Char('\'')))
            out += token.mid(1, token.size() - 2);
        else if (variables.contains(token))
            out += variables.value(token);
        else
            out += token; // a number
    }
    return out;
}

struct Host
{
    clsGuiRuntime runtime;
    QStringList queue;   // event rows not yet decoded
    QStringList errors;  // what GUI.FAILED would show
    QList<GuiResult> later;

    Host()
    {
        runtime.SetReturnResult([this](const GuiResult &r) { later << r; });
    }
    // GUI.EXECUTE: event rows join the queue; severity 3 or 5007 fails.
    void Execute(const QString &command)
    {
        Take(runtime.Execute(command));
    }
    void Take(const GuiResult &r)
    {
        for (const QStringList &row : r.Events)
            queue << row.join(Marks::ValueMark());
        for (const QStringList &row : r.Status)
            if (row.value(0).toInt() >= 3 || row.value(4) == "5007")
                errors << row.value(5);
    }
    // "7", then as long as it takes for the rows to come (bounded).
    void Wait()
    {
        Execute("7");
        QTest::qWaitFor([this] {
            for (const GuiResult &r : std::exchange(later, {}))
                Take(r);
            return !queue.isEmpty();
        }, 1000);
    }
};
} // namespace

TEST(HostProgram, TemplateCommandSequenceRunsTheSampleProject)
{
    const QString tpl = QString::fromUtf8(FileBytes(CORVANE_SOURCE_DIR "/GuiLib/Standard.tpl"));

    const QHash<QString, QString> vars{{"VM", Marks::ValueMark()},
                                       {"GUI.PROJECT", RuntimeTest::ReadProject("orders.gui")},
                                       {"GUI.MAINFORM", "ORDER"}};
    // Start-up: every command line of section 3, in order, with the application filled in.
    QStringList startup;
    const QRegularExpression assign(QStringLiteral("^\\s*GUI\\.COMMAND = (.*)$"));
    for (QString line : Section(tpl, 3)) {
        line.replace("%%APP%%", "ORDERS");
        const QRegularExpressionMatch m = assign.match(line);
        if (m.hasMatch())
            startup << Evaluate(m.captured(1), vars);
    }
    ASSERT_EQ(startup.size(), 3);
    EXPECT_TRUE(startup[0].startsWith("1" + Marks::ValueMark()));

    // The program's event names by code, from the template's own list.
    QString names;
    for (const QString &line : Section(tpl, 2))
        if (line.startsWith("GUI.EVENTS = "))
            names += line.section('\'', 1, 1);
    const QStringList eventNames = names.split(',');
    ASSERT_EQ(eventNames.value(5), "CLICK");

    Host host;
    for (const QString &command : startup)
        host.Execute(command);
    ASSERT_TRUE(host.errors.isEmpty()) << host.errors.join("; ").toStdString();
    QWidget *ok = host.runtime.WidgetOf("ORDERS*ORDER*CMDOK");
    ASSERT_TRUE(ok && ok->isVisible());

    // The user clicks OK, then closes the form; the host decodes both as the template does.
    QTimer::singleShot(10, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
    QTimer::singleShot(30, ok, [&host] { host.runtime.WidgetOf("ORDERS*ORDER")->close(); });
    QStringList decoded;
    for (int n = 0; n < 2; ++n) {
        if (host.queue.isEmpty())
            host.Wait();
        ASSERT_FALSE(host.queue.isEmpty());
        const QStringList row = host.queue.takeFirst().split(Marks::ValueMark());
        quint32 mask = row.value(1).toUInt();
        int code = 1;
        while (mask > 0 && mask % 2 == 0) {
            mask /= 2;
            ++code;
        }
        decoded << row.value(0).section('*', 2, 2) + "." + eventNames.value(code - 1);
    }
    EXPECT_EQ(decoded, (QStringList{"CMDOK.CLICK", ".CLOSE"}));

    // The form's Close handler hides it (method 3); then the program shuts down.
    host.Execute("6" + Marks::ValueMark() + "ORDERS*ORDER" + Marks::ValueMark() + "3");
    host.Execute("99");
    EXPECT_TRUE(host.errors.isEmpty());
    EXPECT_TRUE(host.runtime.Windows().isEmpty());
}
