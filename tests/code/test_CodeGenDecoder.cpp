// The dispatch block: nesting and indentation of the tagged lines, shared levels for events
// of one object, bar items under one menu variable, the closing ELSE rule and the tag parser.
#include "code/CodeGenDecoder.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
const QString Section6 =
    "DECODER START\r\n"
    "%%DECODE%%\r\n"
    "DECODER END\r\n"
    "BEGIN __BEGIN_\r\n"
    "END __END_\r\n"
    "APP %%APP%% __APP_\r\n"
    "FORM %%FORM%% __FORM_\r\n"
    "CONTROL %%CONTROL%% __CONTROL_\r\n"
    "EVENT %%EVENT%% __EVENT_\r\n"
    "MENUVAR __MENUVAR_\r\n"
    "MENU %%MENU%% __MENU_\r\n"
    "ACTION %%TARGET%% __ACTION_\r\n"
    "ELSE __ELSE_";

QString Block(const std::vector<EventRow> &rows, bool withElse = true)
{
    CodeGenDecoder::LineTemplates lines = CodeGenDecoder::ParseSection(Section6);
    if (!withElse) {
        lines.Else.clear();
        lines.HasElse = false;
    }
    return CodeGenDecoder::DispatchBlock(rows, lines, TemplateVariables(), [](const EventRow &r) {
        return (r.App + "." + r.Form + "." + r.Control + "." + r.Event).toUpper();
    });
}

int CountLines(const QString &block, const QString &line)
{
    return int(block.split("\r\n").filter(QRegularExpression("^ *" + line + "( |$)")).size());
}
} // namespace

TEST(CodeGenDecoder, ApplicationOnlyEventOpensEveryLevel)
{
    const std::vector<EventRow> rows{{"MyApp", "", "", "Quit", 0}};
    EXPECT_EQ(Block(rows).toStdString(),
              QString("BEGIN\r\n"
                      " APP MYAPP\r\n"
                      " BEGIN\r\n"
                      "  FORM \r\n"
                      "  BEGIN\r\n"
                      "   CONTROL \r\n"
                      "   BEGIN\r\n"
                      "    EVENT QUIT\r\n"
                      "    ACTION MYAPP...QUIT\r\n"
                      "    END\r\n"
                      "   END\r\n"
                      "  END\r\n"
                      " ELSE\r\n"
                      "END")
                  .toStdString());
    const QString noElse = Block(rows, false);
    EXPECT_TRUE(noElse.endsWith("    END\r\n   END\r\n  END\r\n END")) << noElse.toStdString();
    EXPECT_FALSE(noElse.contains("ELSE"));
}

TEST(CodeGenDecoder, EventsOfOneObjectShareTheirLevels)
{
    const std::vector<EventRow> rows{
        {"APP", "MAIN", "TXT", "Change", 16},
        {"APP", "MAIN", "TXT", "Validate", 16},
        {"APP", "main", "BTN", "Click", 18}, // IDs compare without regard to case
        {"APP", "OTHER", "", "Close", 5},
    };
    const QString block = Block(rows);
    EXPECT_EQ(CountLines(block, "APP"), 1);
    EXPECT_EQ(CountLines(block, "FORM"), 2);
    EXPECT_EQ(CountLines(block, "CONTROL"), 3);
    EXPECT_EQ(CountLines(block, "EVENT"), 4);
    EXPECT_EQ(CountLines(block, "ACTION"), 4);
    // Every level opened once per parent: app, forms, controls per form, events per control.
    EXPECT_EQ(CountLines(block, "BEGIN"), 1 + 1 + 2 + 3);
    EXPECT_EQ(CountLines(block, "BEGIN"), CountLines(block, "END"));
    EXPECT_TRUE(block.contains("    EVENT CHANGE\r\n    ACTION APP.MAIN.TXT.CHANGE\r\n"
                               "    EVENT VALIDATE\r\n"));
    // Moving to the next control closes the event level only.
    EXPECT_TRUE(block.contains("    ACTION APP.MAIN.TXT.VALIDATE\r\n    END\r\n   CONTROL BTN\r\n"
                               "   BEGIN\r\n"));
}

TEST(CodeGenDecoder, BarItemsShareOneMenuVariable)
{
    const std::vector<EventRow> rows{
        {"APP", "MAIN", "MENU", "MENU(FileOpen)", 75},
        {"APP", "MAIN", "MENU", "MENU(FileSave)", 75},
        {"APP", "MAIN", "BTN", "Click", 18},
        {"APP", "MAIN", "TOOLS", "MENU(Cut)", 77},
    };
    const QString block = Block(rows);
    EXPECT_EQ(CountLines(block, "MENUVAR"), 2);
    EXPECT_TRUE(block.contains("   CONTROL MENU\r\n   MENUVAR\r\n   BEGIN\r\n"
                               "    MENU FILEOPEN\r\n    ACTION APP.MAIN.MENU.MENU(FILEOPEN)\r\n"
                               "    MENU FILESAVE\r\n    ACTION APP.MAIN.MENU.MENU(FILESAVE)\r\n"
                               "    END\r\n"))
        << block.toStdString();
    EXPECT_FALSE(block.contains("EVENT MENU("));
}

TEST(CodeGenDecoder, TaggedLinesAndFrame)
{
    const auto lines = CodeGenDecoder::ParseSection("top\r\n  GOSUB %%TARGET%%  __action_x\r\n"
                                                    "CALL %%TARGET%% __ACTION_\r\n"
                                                    "  __ELSE_\r\nbottom");
    EXPECT_EQ(lines.Action, "CALL %%TARGET%%"); // the later line wins; the tag ignores case
    EXPECT_FALSE(lines.HasElse);                 // an ELSE tag without text adds nothing
    EXPECT_EQ(lines.Frame, "top\r\nbottom");

    // No rows: no block at all, not even a stray ELSE and END.
    const auto full = CodeGenDecoder::ParseSection(Section6);
    EXPECT_EQ(Block({}), "");
    EXPECT_EQ(CodeGenDecoder::Decoder(full, "", TemplateVariables()),
              "DECODER START\r\n\r\nDECODER END");
}
