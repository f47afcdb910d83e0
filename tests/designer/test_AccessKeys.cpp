// No two captions that a window shows at once share an access key: Alt with a letter must
// lead to one place. Walks every menu of the main window and of its context menu, every page
// of the property sheet for every kind of object, and every dialog.
#include "EditStack.h"
#include "FileBytes.h"
#include "MemoryCodeDocument.h"
#include "ModalDriver.h"
#include "ProgramFolder.h"

#include "LoaderTestSupport.h"
#include "app/DocumentStorage.h"
#include "app/ProcessState.h"
#include "app/Startup.h"
#include "app/iPrompter.h"
#include "code/CodeAnalysis.h"
#include "code/LoadCodeModel.h"
#include "code/iCodeEditor.h"
#include "code/TemplateFiles.h"
#include "code/UpdateCodeModel.h"
#include "designer/HelpWindow.h"
#include "designer/frmAbout.h"
#include "designer/frmDecoderQuestion.h"
#include "designer/frmDocumentChooser.h"
#include "designer/frmDupID.h"
#include "designer/frmLoadCode.h"
#include "designer/frmProperties.h"
#include "designer/frmSettings.h"
#include "designer/frmUpdateCode.h"
#include "ScriptedWindowHost.h"
#include "designer/mdiMain.h"
#include "designer/vxMenuBar.h"
#include "host/mvConnection.h"
#include "model/Vocabulary.h"
#include "model/clsItems.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>
#include <map>

using namespace Vocabulary;

namespace {

// The access key of a caption: the character after a single "&" ("&&" is a plain "&").
QChar AccessKey(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text.at(i + 1).toUpper();
    }
    return {};
}

void Report(const std::map<QChar, QStringList> &keys, const QString &where)
{
    // Redo and Properties share R in the Edit menu and the context menu, and Copy and the
    // Format commands' Order share O in the context menu, all by their established
    // captions: the key then moves between the two and Return chooses.
    const QList<QStringList> shared{{QStringLiteral("&Redo"), QStringLiteral("P&roperties")},
                                    {QStringLiteral("C&opy"), QStringLiteral("&Order")}};
    for (const auto &[key, captions] : keys)
        if (captions.size() > 1 && !shared.contains(captions))
            ADD_FAILURE() << where.toStdString() << ": access key " << QString(key).toStdString()
                          << " on " << captions.join(QStringLiteral(" | ")).toStdString();
}

// The captions of a menu's entries.
void CheckMenu(const QMenu *menu, const QString &where)
{
    std::map<QChar, QStringList> keys;
    for (const QAction *action : menu->actions())
        if (action->isVisible() && !action->isSeparator())
            if (const QChar key = AccessKey(action->text()); !key.isNull())
                keys[key] << action->text();
    Report(keys, where + QStringLiteral(" > ") + menu->title());
}

// The captions of everything the window shows now that takes an access key: buttons, check
// boxes, options, group titles, labels that lead to a field, tabs.
void CheckShown(QWidget *window, const QString &where)
{
    std::map<QChar, QStringList> keys;
    const auto add = [&](const QString &text) {
        if (const QChar key = AccessKey(text); !key.isNull())
            keys[key] << text;
    };
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window))
            continue;
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            add(button->text());
        else if (auto *label = qobject_cast<QLabel *>(widget); label && label->buddy())
            add(label->text());
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            add(group->title());
        else if (auto *tabs = qobject_cast<QTabBar *>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->isTabVisible(i))
                    add(tabs->tabText(i));
    }
    Report(keys, where);
}

// Every page of every tab widget in turn, nested ones included.
void CheckWindow(QWidget *window, const QString &where, QSet<QTabWidget *> visited = {})
{
    CheckShown(window, where);
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        if (visited.contains(tabs) || !tabs->isVisibleTo(window))
            continue;
        visited.insert(tabs);
        const int keep = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabVisible(i) || !tabs->isTabEnabled(i))
                continue;
            tabs->setCurrentIndex(i);
            CheckWindow(window, where + QStringLiteral(" / ") + tabs->tabText(i), visited);
        }
        tabs->setCurrentIndex(keep);
    }
}

} // namespace

TEST(AccessKeys, MenusOfTheMainWindowAndItsContextMenu)
{
    ProgramFolder folder;
    ProcessState state(folder.dir.path());
    Startup::InitialiseProcess(state);
    ScriptedWindowHost host;
    mdiMain window(state, host);
    window.show();
    // The menus built when they open, with entries: a full recent list given one more keeps
    // nine, "&1" to "&9" (a tenth would be "&10" on the key of the first).
    state.Settings.RecentList.SetListSize(9);
    for (int i = 10; i >= 1; --i)
        state.Settings.RecentList.AddItem(QStringLiteral("/p/app%1.gui").arg(i));
    for (const char *title : {"Order", "Customers"}) {
        QMdiSubWindow *sub = window.MdiArea()->addSubWindow(new QWidget);
        sub->setWindowTitle(title);
        sub->show();
    }
    host.CodeMenu = [] {
        return QList<mdiMain::CodeMenuEntry>{{"cm*Click", "Click"}, {"-", ""}, {"cl*1", "Events..."}};
    };
    window.RebuildRecentFiles();
    window.RebuildWindowList();

    std::map<QChar, QStringList> titles;
    for (const QAction *action : window.menuBar()->actions())
        if (const QChar key = AccessKey(action->text()); !key.isNull())
            titles[key] << action->text();
    Report(titles, QStringLiteral("menu bar"));
    const QList<QMenu *> menus = window.findChildren<QMenu *>();
    EXPECT_GE(menus.size(), 8);
    for (const QMenu *menu : menus)
        CheckMenu(menu, QStringLiteral("main window"));
    // Undo keeps its key with the caption of the newest record.
    window.SetUndoState(QStringLiteral("Undo move"), true);
    CheckMenu(window.Bands().Menu(QStringLiteral("MainMenu"), QStringLiteral("Edit")),
              QStringLiteral("after a move"));
    EXPECT_EQ(AccessKey(window.Bands().Caption(QStringLiteral("Undo"))), QLatin1Char('U'));
    EXPECT_EQ(AccessKey(window.Bands().Caption(QStringLiteral("Cut"))), QLatin1Char('T'));
}

TEST(AccessKeys, EveryPageOfThePropertySheetForEveryKindOfObject)
{
    EditStack stack;
    using namespace LoaderText;
    ASSERT_TRUE(stack.designer.SetTemplate(Project(
        {Record({"2", "A", "", "0", "0", "0", "9000", "6000", "1073741825"}), Create("A*F", 5),
         Create("A*F*Text1", 16, {}, "300", "150")},
        "1.4", "1")));
    frmProperties sheet(stack.designer, stack.prompter);
    sheet.SetEditCommands(&stack.edit);
    const int types[] = {Type::FormSizable, Type::FormFixed, Type::FormDialog,
                         Type::FormSizableChild, Type::Label, Type::Text, Type::TextMultiLine,
                         Type::TextPassword, Type::Command, Type::Option, Type::Check,
                         Type::List, Type::ListMulti, Type::ListCheck, Type::Combo,
                         Type::DropDownList, Type::Picture, Type::Frame, Type::GridProtected,
                         Type::GridEditable, Type::Tabgroup, Type::Gauge, Type::Tree,
                         Type::Timer, Type::Browser, Type::Menu, Type::Popup, Type::Toolbar,
                         Type::Statusbar};
    // Each kind in create mode, then the object it made in modify mode ("&Apply").
    for (const int type : types) {
        bool walked = false;
        WhenModal<frmProperties>([&](frmProperties *d) {
            CheckWindow(d, QStringLiteral("new object of type %1").arg(type));
            walked = true;
            d->ConfirmButton()->click();
        });
        const bool control = IsControl(type) || IsFormBar(type);
        const QString id = QStringLiteral("K%1").arg(type);
        sheet.ShowCreate(type, stack.items.Find("A"), control ? stack.items.Find("A*F") : nullptr,
                         id);
        EXPECT_TRUE(walked) << type;
        const QString fullId = control ? QStringLiteral("A*F*") + id : QStringLiteral("A*") + id;
        ASSERT_TRUE(stack.items.Find(fullId)) << fullId.toStdString();
        walked = false;
        WhenModal<frmProperties>([&](frmProperties *d) {
            CheckWindow(d, QStringLiteral("object of type %1").arg(type));
            walked = true;
            d->reject();
        });
        sheet.ShowModify(fullId);
        EXPECT_TRUE(walked) << type;
    }
    // The application's own sheet.
    bool walked = false;
    WhenModal<frmProperties>([&](frmProperties *d) {
        CheckWindow(d, QStringLiteral("sheet of the application"));
        walked = true;
        d->reject();
    });
    sheet.ShowModify(QStringLiteral("A"));
    EXPECT_TRUE(walked);
}

TEST(AccessKeys, EveryDialog)
{
    ProgramFolder folder;
    ProcessState state(folder.dir.path());
    Startup::InitialiseProcess(state);

    frmSettings settings(state.Settings, folder.dir.path() + QLatin1Char('/'));
    settings.show();
    CheckWindow(&settings, QStringLiteral("Preferences"));

    mvConnection connection;
    frmDocumentChooser chooser(connection, QStringLiteral("Open"), QString());
    chooser.show();
    CheckWindow(&chooser, QStringLiteral("document chooser"));

    iPrompter::DuplicateIdRequest request;
    request.Text = QStringLiteral("Duplicate Control ID encountered while loading file.");
    request.Label = QStringLiteral("Control &ID");
    request.AppId = QStringLiteral("SALES");
    request.FormId = QStringLiteral("ORDERS");
    request.Id = QStringLiteral("BTNOK");
    request.Level = 2;
    frmDupID dupId(request);
    dupId.show();
    CheckWindow(&dupId, QStringLiteral("duplicate ID"));

    frmAbout about;
    about.show();
    CheckWindow(&about, QStringLiteral("about"));

    frmDecoderQuestion decoder;
    decoder.show();
    CheckWindow(&decoder, QStringLiteral("decoder question"));

    TemplateFiles templates(QStringLiteral(CORVANE_SOURCE_DIR "/GuiLib/"));
    LoadCodeModel loadModel(templates, &connection, {"file", {}, {}, {}, {}, 0});
    frmLoadCode loadCode(loadModel, nullptr);
    loadCode.show();
    CheckWindow(&loadCode, QStringLiteral("load code"));

    CodeAnalysis analysis(templates);
    analysis.SetProjectText(
        DocumentStorage::ToMemoryForm(QString::fromUtf8(FileBytes(CORVANE_SOURCE_DIR "/examples/orders.gui"))));
    MemoryCodeDocument document;
    document.Body = QString::fromUtf8(FileBytes(CORVANE_SOURCE_DIR "/examples/orders.bas"));
    EditStack stack;
    UpdateCodeModel updateModel(&analysis, [&] { return &document; }, stack.prompter,
                                [](const QString &) {});
    updateModel.Refresh();
    frmUpdateCode updateCode(updateModel, nullptr);
    updateCode.show();
    CheckWindow(&updateCode, QStringLiteral("update code"));

    HelpWindow *help = HelpWindow::ShowTopics();
    ASSERT_TRUE(help);
    CheckWindow(help, QStringLiteral("help"));
    HelpWindow::CloseAll();
}
