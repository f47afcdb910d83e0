// Code generation with template files: the pieces of a new program in order with their
// banners, handler labels and sections, the dialog-only template limit, template errors,
// the save precondition of the code commands and the shortcut-key names.
#include "code/modCodeGen.h"

#include "code/TemplateFiles.h"
#include "code/iCodeCommandHost.h"
#include "support/GuiError.h"
#include "test_CodeGenSupport.h"

#include <gtest/gtest.h>

#include "ErrorOf.h"

using CodeGenTest::ProjectText;
using CodeGenTest::TemplateFolder;

namespace {
const QString Decoder = "DECODE:\r\n%%DECODE%%\r\nRETURN\r\n"
                        "BEGIN CASE __BEGIN_\r\nEND CASE __END_\r\n"
                        "CASE A = '%%APP%%' __APP_\r\nCASE F = '%%FORM%%' __FORM_\r\n"
                        "CASE C = '%%CONTROL%%' __CONTROL_\r\nCASE E = '%%EVENT%%' __EVENT_\r\n"
                        "M = ARG __MENUVAR_\r\nCASE M = '%%MENU%%' __MENU_\r\n"
                        "GOSUB %%TARGET%% __ACTION_";

QStringList Sections(const QString &handlerFirstLine = "%%TARGET%%:")
{
    return {"HEAD %%APP%%",
            "ITEM %%PROJID%%",
            "",
            "",
            "",
            Decoder,
            handlerFirstLine + "\r\n* HANDLER %%Event%%",
            "%%TARGET%%:\r\nFORM CLOSE %%FORM%%",
            "%%TARGET%%:\r\nAPP CLOSE",
            "TEN",
            "ELEVEN",
            "TWELVE"};
}

const QString SmallProject = ProjectText()
                                 .Create("Shop", 1, 0x40000000)
                                 .Create("Shop*Main", 6, 0x1)
                                 .Create("Shop*Main*Ok", 18, 0x20)
                                 .Text();

struct Generator
{
    explicit Generator(const QStringList &sections, const QString &mode = {})
        : folder(sections, mode), templates(folder.Path()), gen(templates)
    {
    }
    TemplateFolder folder;
    TemplateFiles templates;
    modCodeGen gen;
};

class ScriptedHost : public iCodeCommandHost
{
public:
    QString file, item;
    bool answerOk = true, saveWorks = true;
    QStringList calls;

    QString ProjectFileName() const override { return file; }
    QString ProjectItemId() const override { return item; }
    bool AskOkCancel(const QString &text) override
    {
        calls << "ask:" + text;
        return answerOk;
    }
    bool SaveProject() override
    {
        calls << "save";
        if (saveWorks) {
            file = "GUI.PROJECTS";
            item = "SHOP";
        }
        return saveWorks;
    }
};
} // namespace

TEST(CodeGenProgram, PiecesInOrderWithBanners)
{
    Generator g(Sections());
    g.gen.SetProjectText(SmallProject);
    const QString b = modCodeGen::Banner();
    EXPECT_EQ(b, "*\r\n*\r\n" + QString(60, '*') + "\r\n*\r\n*");

    // Without an item ID the section that names it drops out. (What the decoder holds is the
    // decoder's test, and the standard template's program.)
    const QString expected =
        "HEAD SHOP\r\n" + b + "\r\n"
        "section 3\r\n" + b + "\r\n"
        "section 4\r\n" + b + "\r\n"
        "section 5\r\n" + b + "\r\n"
        + g.gen.BuildEventDecoder() + "\r\n" + b + "\r\n"
        "SHOP.QUIT:\r\n* HANDLER Quit\r\n" + b + "\r\n"
        "SHOP.MAIN.CLOSE:\r\nFORM CLOSE MAIN\r\n" + b + "\r\n"
        "SHOP.MAIN.OK.CLICK:\r\n* HANDLER Click\r\n" + b + "\r\n"
        "ELEVEN\r\n" + b + "TWELVE\r\n" + b + "TEN\r\n" + b;
    EXPECT_EQ(g.gen.GenerateProgram().toStdString(), expected.toStdString());
    EXPECT_TRUE(g.gen.Warning().isEmpty());

    g.gen.SetProjectLocation("GUI.PROJECTS", "SHOP");
    EXPECT_TRUE(g.gen.GenerateProgram().contains("ITEM SHOP\r\n" + b + "\r\nsection 3"));
}

TEST(CodeGenProgram, HandlerSectionsAndLabels)
{
    Generator g(Sections("  %%Target_%% : * handler"));
    g.gen.SetProjectText(SmallProject);
    EXPECT_EQ(g.gen.EventHandlerLabel("Shop", "Main", "Ok", "Click"), "Shop_Main_Ok_Click");
    EXPECT_EQ(g.gen.EventHandlerCode("Shop", "Main", "", "close"),
              "Shop_Main_Close:\r\nFORM CLOSE MAIN");
    EXPECT_EQ(g.gen.EventHandlerCode("Shop", "", "", "Close"), "Shop_Close:\r\nAPP CLOSE");
    EXPECT_EQ(g.gen.EventHandlerCode("Shop", "Main", "Menu", "MENU(File Open)"),
              "  Shop_Main_Menu_File_Open : * handler\r\n* HANDLER MENU(File Open)");

    struct Case {
        const char *name, *app, *form, *control, *event, *label;
    };
    const Case cases[] = {
        {"TARGET", "App", "Main Form", "btn-OK", "Click", "APP.MAIN.FORM.BTNOK.CLICK"},
        {"target", "App", "", "", "Quit", "app.quit"},
        {"Target", "ORDERS", "MAIN", "", "Close", "Orders.Main.Close"},
        {"Target", "Orders", "mainForm", "", "Close", "Orders.mainForm.Close"},
        {"TARGET", "A", "F", "M", "MENU(Save as...)", "A.F.M.SAVE.AS..."},
        {"TARGET", "A$1", "F_2", "x#y@z!", "DblClick", "A$1.F_2.XYZ.DBLCLICK"},
        {"T", "A", "F", "Ca\u00e9\u20ac", "Click", "A.F.Ca\u00e9.Click"},
        {"TARGET$", "A", "F", "C", "Click", "A$F$C$CLICK"},
        {"", "A", "", "", "Quit", "A.Quit"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(modCodeGen::MakeEventHandlerLabel(c.name, QString::fromUtf8(c.app), c.form,
                                                    QString::fromUtf8(c.control), c.event),
                  QString::fromUtf8(c.label))
            << c.name << " " << c.control;
}

TEST(CodeGenProgram, DialogTemplateRefusesOtherStyles)
{
    const QString warning =
        "Warning: the Boxes code template only supports the SDI application style and Dialog "
        "form style. Please update your application and/or form styles or choose a different "
        "code template.";
    TemplateFolder named(Sections(), "dialog", "Boxes");
    TemplateFiles files(named.Path());
    modCodeGen gen(files);

    const QString mdi = ProjectText().Create("A", 0, 0x40000001).Create("A*D", 7, 1).Text();
    // A sizable form after a dialog counts as well as one first in line.
    const QString sizable =
        ProjectText().Create("A", 1, 0x40000000).Create("A*D", 7, 1).Create("A*F", 5, 1).Text();
    for (const QString &text : {mdi, sizable}) {
        gen.SetProjectText(text);
        EXPECT_EQ(gen.GenerateProgram(), "");
        EXPECT_EQ(gen.Warning(), warning);
        // Analysing an existing program uses the same list without the check.
        std::vector<EventRow> rows;
        EXPECT_TRUE(gen.BuildEventList(modCodeGen::Purpose::Analysis, rows));
        EXPECT_FALSE(rows.empty());
        EXPECT_TRUE(gen.Warning().isEmpty());
    }
    gen.SetProjectText(ProjectText().Create("A", 1, 0x40000000).Create("A*D", 7, 1).Text());
    EXPECT_TRUE(gen.GenerateProgram().startsWith("HEAD A\r\n"));
    EXPECT_TRUE(gen.Warning().isEmpty());

    // A template without the mode serves every style.
    Generator g(Sections());
    g.gen.SetProjectText(mdi);
    EXPECT_FALSE(g.gen.GenerateProgram().isEmpty());
}

TEST(CodeGenProgram, TemplateErrorsEndTheCommand)
{
    QStringList missing = Sections();
    missing[9] = " "; // section 10 holds nothing but a blank
    Generator g(missing);
    g.gen.SetProjectText(SmallProject);
    const GuiError e = Raised([&] { g.gen.GenerateProgram(); });
    EXPECT_EQ(e.Number(), 32767);
    EXPECT_EQ(e.Description(), "Required code section missing from template file.");

    // (A style without a template is the template files' test, and the command line's.)
    EXPECT_THROW(g.gen.SetProjectText("not a project"), GuiError);
}

TEST(CodeGenProgram, SavePreconditionOfCodeCommands)
{
    EXPECT_EQ(modCodeGen::SaveRequiredText(),
              "The code generator requires the project file name and item ID.\r\n"
              "You must save the project file before you can edit program  code. ");

    ScriptedHost saved;
    saved.file = "GUI.PROJECTS";
    saved.item = "SHOP";
    EXPECT_TRUE(modCodeGen::EnsureProjectSaved(saved));
    EXPECT_TRUE(saved.calls.isEmpty());

    ScriptedHost cancel;
    cancel.file = "GUI.PROJECTS"; // a file name alone is not enough
    cancel.answerOk = false;
    EXPECT_FALSE(modCodeGen::EnsureProjectSaved(cancel));
    EXPECT_EQ(cancel.calls, QStringList({"ask:" + modCodeGen::SaveRequiredText()}));

    ScriptedHost ok;
    EXPECT_TRUE(modCodeGen::EnsureProjectSaved(ok));
    EXPECT_EQ(ok.calls.size(), 2);
    EXPECT_EQ(ok.calls.back(), "save");

    ScriptedHost failed;
    failed.saveWorks = false;
    EXPECT_FALSE(modCodeGen::EnsureProjectSaved(failed));
}

TEST(CodeGenProgram, ShortcutKeyNames)
{
    struct Case {
        const char *name;
        int code;
    };
    const Case cases[] = {
        {"CTRL+A", 1}, {"ctrl+z", 26}, {"F1", 27}, {"F12", 38}, {"Ctrl+F1", 39},
        {"CTRL+F12", 50}, {"SHIFT+F1", 51}, {"SHIFT+F12", 62}, {"CTRL+SHIFT+F1", 63},
        {"CTRL+SHIFT+F12", 74}, {"CTRL+INS", 75}, {"CTRL+INSERT", 75}, {"SHIFT+INSERT", 76},
        {"DEL", 77}, {"delete", 77}, {"SHIFT+DEL", 78}, {"ALT+BKSPC", 79}, {"CTRL+DELETE", 80},
        {"CTRL+SHIFT+DEL", 81}, {"INSERT", 82}, {"CTRL+SHIFT+INS", 83}, {"HOME", 84},
        {"CTRL+SHIFT+HOME", 87}, {"END", 88}, {"SHIFT+END", 90}, {"PGUP", 92},
        {"CTRL+PGUP", 93}, {"PGDN", 96}, {"CTRL+SHIFT+PGDN", 99}, {"ESC", 100},
        {"SHIFT+ESC", 101},
        // not key names
        {"", 0}, {"CTRL+", 0}, {"CTRL+AA", 0}, {"CTRL+1", 0}, {"F0", 0}, {"F13", 0},
        {"F01", 0}, {"ALT+F4", 0}, {"SHIFT+CTRL+F1", 0}, {" F1", 0}, {"SHIFT+A", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(modCodeGen::ShortcutKeyCode(c.name), c.code) << c.name;

    for (int code = 1; code <= 101; ++code)
        EXPECT_EQ(modCodeGen::ShortcutKeyCode(modCodeGen::ShortcutKeyName(code)), code) << code;
    EXPECT_EQ(modCodeGen::ShortcutKeyName(0), "");
    EXPECT_EQ(modCodeGen::ShortcutKeyName(102), "");
}
