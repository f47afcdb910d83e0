// The project's own templates: a small project generated with the standard template matches
// the reviewed program under data/, and both templates know the events by their program names.
#include "FileBytes.h"
#include "code/modCodeGen.h"

#include "code/Placeholders.h"
#include "code/TemplateFiles.h"
#include "model/Vocabulary.h"
#include "test_CodeGenSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using CodeGenTest::BarItems;
using CodeGenTest::ProjectText;

namespace {
const QString GuiLib = QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib");
const QString Golden = QStringLiteral(CORVANE_SOURCE_DIR "/tests/code/data/codegen_orders.bas");

QString OrdersProject()
{
    return ProjectText()
        .Create("Orders", 0, 0x40000001)
        .Property(41, "Order entry for the sales office.\r\nRuns on every branch.")
        .Property(42, "Ann Smith")
        .Property(43, "(c) Example Ltd")
        .Create("Orders**Tools", 77, 0x20)
        .Property(26, BarItems({"New", "-", "Print"}))
        .Create("Orders*Main", 5, 0x1)
        .Create("Orders*Main*txtCustomer", 16, 0x80 | 0x100)
        .Create("Orders*Main*cmd Save", 18, 0x20)
        .Create("Orders*Main*mnuMain", 75, 0x20)
        .Property(26, BarItems({"File:1", "Open:2", "-:2", "*Exit:2", "About:1"}))
        .Create("Orders*Find", 7, 0x1)
        .Create("Orders*Find*lstResults", 21, 0x40)
        .Text();
}

// The event names a generated program lists in GUI.EVENTS.
QString EventNamesOf(const QString &program)
{
    QString names;
    const QRegularExpression line("^GUI\\.EVENTS = (?:GUI\\.EVENTS : )?'([^']*)'$",
                                  QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(QString(program).remove('\r')); it.hasNext();)
        names += it.next().captured(1);
    return names;
}
} // namespace

TEST(CodeGenGolden, StandardTemplateProgram)
{
    TemplateFiles templates(GuiLib);
    modCodeGen gen(templates);
    gen.SetProjectText(OrdersProject());
    gen.SetProjectLocation("GUI.PROJECTS", "ORDERS");
    QString program = gen.GenerateProgram();
    ASSERT_FALSE(program.isEmpty()) << gen.Warning().toStdString();
    program.replace(Placeholders::GeneralDate(Placeholders::Today()), "{DATE}");

    // Every line ends in CR LF; the program ends with the last banner line.
    EXPECT_FALSE(program.contains(QRegularExpression("[^\\r]\\n")));
    EXPECT_TRUE(program.endsWith("\r\n*\r\n*"));
    EXPECT_EQ(EventNamesOf(program), Vocabulary::EventNameList().toUpper());

    if (qEnvironmentVariableIsSet("CORVANE_UPDATE_GOLDEN")) {
        PutFileBytes(Golden, program.toUtf8());
    }
    QFile file(Golden);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << Golden.toStdString();
    // A checkout may have turned the line ends into LF: compare with CR LF whatever it did.
    QString expected = QString::fromUtf8(file.readAll()).remove('\r').replace("\n", "\r\n");
    EXPECT_EQ(program.toStdString(), expected.toStdString());
}

TEST(CodeGenGolden, DialogTemplate)
{
    TemplateFiles templates(GuiLib);
    ASSERT_TRUE(templates.EnumerateTemplates());
    modCodeGen gen(templates);

    gen.SetProjectText(OrdersProject());
    gen.SetCodeStyle("1");
    EXPECT_EQ(gen.GenerateProgram(), "");
    EXPECT_TRUE(gen.Warning().startsWith("Warning: the Dialog code template only supports"));

    gen.SetProjectText(ProjectText()
                           .Create("Ask", 1, 0x40000000)
                           .Create("Ask*Confirm", 7, 0x1)
                           .Create("Ask*Confirm*cmdOK", 18, 0x20)
                           .Text());
    gen.SetCodeStyle("1");
    gen.SetProjectLocation("GUI.PROJECTS", "ASK");
    const QString program = gen.GenerateProgram();
    EXPECT_TRUE(gen.Warning().isEmpty());
    EXPECT_TRUE(program.contains("\r\nASK.CONFIRM.CMDOK.CLICK:\r\n"));
    EXPECT_TRUE(program.contains("GOSUB ASK.CONFIRM.CLOSE\r\n"));
    EXPECT_EQ(EventNamesOf(program), Vocabulary::EventNameList().toUpper());
}
