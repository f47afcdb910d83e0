// The Qt prompter turns the core's questions into message boxes with the right caption, icon
// and buttons, and maps every way of closing a box to the answer the core expects.
#include "ModalDriver.h"

#include "designer/QtPrompter.h"
#include "support/ErrorReport.h"
#include "support/GuiError.h"
#include "support/ProgramTitle.h"

#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

using Answer = iPrompter::Answer;
using Buttons = iPrompter::Buttons;

// What the box looked like when it was answered.
struct SeenBox {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
    Qt::TextFormat LabelFormat = Qt::AutoText;
};

SeenBox Look(QMessageBox *box)
{
    SeenBox seen;
    seen.Caption = box->windowTitle();
    seen.Text = box->text();
    seen.Icon = box->icon();
    seen.Buttons = box->standardButtons();
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        seen.LabelFormat = label->textFormat();
    return seen;
}

// Asks through the prompter and answers the box with `respond`.
Answer AskAndRespond(QtPrompter &prompter, Buttons buttons, MessageIcon icon, SeenBox &seen,
                     std::function<void(QMessageBox *)> respond)
{
    WhenModal<QMessageBox>([&seen, respond](QMessageBox *box) {
        seen = Look(box);
        respond(box);
    });
    return prompter.Ask(QStringLiteral("Proceed?"), buttons, icon);
}

std::function<void(QMessageBox *)> Click(QMessageBox::StandardButton which)
{
    return [which](QMessageBox *box) {
        QAbstractButton *button = box->button(which);
        ASSERT_NE(button, nullptr);
        button->click();
    };
}

std::function<void(QMessageBox *)> Press(int key)
{
    return [key](QMessageBox *box) { QTest::keyClick(box, Qt::Key(key)); };
}

} // namespace

TEST(QtPrompter, EveryButtonSetShowsItsButtonsAndAnswersTheOneClicked)
{
    struct Row {
        Buttons Set;
        QMessageBox::StandardButtons Shown;
        QMessageBox::StandardButton Clicked;
        Answer Expected;
    };
    const Row rows[] = {
        {Buttons::Ok, QMessageBox::Ok, QMessageBox::Ok, Answer::Ok},
        {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, Answer::Ok},
        {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
         Answer::Cancel},
        {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, Answer::No},
        {Buttons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::No, Answer::No},
        {Buttons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::Cancel, Answer::Cancel},
    };
    QtPrompter prompter;
    for (const Row &row : rows) {
        SCOPED_TRACE(int(row.Clicked));
        SeenBox seen;
        EXPECT_EQ(AskAndRespond(prompter, row.Set, MessageIcon::Question, seen,
                                Click(row.Clicked)),
                  row.Expected);
        EXPECT_EQ(seen.Buttons, row.Shown);
        EXPECT_EQ(seen.Caption, QString::fromUtf8(ProgramTitle));
        EXPECT_EQ(seen.Icon, QMessageBox::Question);
        EXPECT_EQ(seen.Text, QStringLiteral("Proceed?"));
    }
}

TEST(QtPrompter, KeyboardAnswersEscapeIsTheCautiousChoiceEnterTheFirstClosingIsEscape)
{
    struct Row {
        Buttons Set;
        int Key;
        Answer Expected;
    };
    const Row rows[] = {
        {Buttons::Ok, Qt::Key_Escape, Answer::Ok},
        {Buttons::OkCancel, Qt::Key_Escape, Answer::Cancel},
        {Buttons::YesNo, Qt::Key_Escape, Answer::No},
        {Buttons::YesNoCancel, Qt::Key_Escape, Answer::Cancel},
        {Buttons::OkCancel, Qt::Key_Return, Answer::Ok},
        {Buttons::YesNo, Qt::Key_Return, Answer::Yes},
        {Buttons::YesNoCancel, Qt::Key_Enter, Answer::Yes},
        // Mnemonics of the standard buttons.
        {Buttons::YesNo, Qt::Key_N, Answer::No},
        {Buttons::YesNoCancel, Qt::Key_N, Answer::No},
        {Buttons::YesNoCancel, Qt::Key_Y, Answer::Yes},
        // No key: the box's window is closed, which counts as Escape.
        {Buttons::YesNoCancel, 0, Answer::Cancel},
        {Buttons::YesNo, 0, Answer::No},
    };
    const std::function<void(QMessageBox *)> close = [](QMessageBox *box) { box->close(); };
    QtPrompter prompter;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Key ? QTest::toString(QKeySequence(row.Key)) : "close");
        SeenBox seen;
        EXPECT_EQ(AskAndRespond(prompter, row.Set, MessageIcon::Exclamation, seen,
                                row.Key ? Press(row.Key) : close),
                  row.Expected);
    }
}

TEST(QtPrompter, MessagesAndReportsKeepCaptionIconAndLiteralText)
{
    QMainWindow owner;
    QtPrompter prompter(&owner);
    SeenBox seen;
    QWidget *parentSeen = nullptr;
    auto answer = [&seen, &parentSeen](QMessageBox *box) {
        seen = Look(box);
        parentSeen = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    };

    WhenModal<QMessageBox>(answer);
    prompter.ShowMessage(QStringLiteral("Reading done"), MessageIcon::Information);
    EXPECT_EQ(seen.Icon, QMessageBox::Information);
    EXPECT_EQ(seen.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.Caption, QString::fromUtf8(ProgramTitle));
    EXPECT_EQ(parentSeen, &owner);

    // A procedure label in angle brackets must show as written, not be taken for markup.
    const ErrorReport problem = ErrorReport::Compose(2, GuiErrors::InvalidFunction,
                                                     QStringLiteral("<clsDesigner SetTemplate>"),
                                                     0, QString());
    WhenModal<QMessageBox>(answer);
    prompter.Report(problem);
    EXPECT_EQ(seen.Icon, QMessageBox::Warning);
    EXPECT_EQ(seen.Caption, QString::fromUtf8(ProgramTitle));
    EXPECT_EQ(seen.Text, problem.Text);
    EXPECT_TRUE(seen.Text.endsWith(QStringLiteral("Source = <clsDesigner SetTemplate>")));
    EXPECT_EQ(seen.LabelFormat, Qt::PlainText);

    ErrorReport notice;
    notice.Text = QStringLiteral("Done <quietly>");
    notice.Icon = MessageIcon::Information;
    notice.Caption = QStringLiteral("Other caption");
    WhenModal<QMessageBox>(answer);
    prompter.Report(notice);
    EXPECT_EQ(seen.Icon, QMessageBox::Information);
    EXPECT_EQ(seen.Caption, QStringLiteral("Other caption"));

    notice.Caption.clear(); // a report built by hand still carries the program title
    WhenModal<QMessageBox>(answer);
    prompter.Report(notice);
    EXPECT_EQ(seen.Caption, QString::fromUtf8(ProgramTitle));
}

TEST(QtPrompter, BusyPointerNestsAndNeverPopsAForeignCursor)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        QtPrompter prompter;
        prompter.SetBusy(true);
        prompter.SetBusy(true);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        prompter.SetBusy(false);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        prompter.SetBusy(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        // A surplus "not busy" leaves a cursor set by someone else alone.
        QGuiApplication::setOverrideCursor(Qt::CrossCursor);
        prompter.SetBusy(false);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
        QGuiApplication::restoreOverrideCursor();
        EXPECT_EQ(prompter.BusyDepth(), 0);

        // A question in the middle of long work gets the arrow, then the hourglass is back.
        prompter.SetBusy(true);
        Qt::CursorShape duringQuestion = Qt::WaitCursor;
        WhenModal<QMessageBox>([&duringQuestion](QMessageBox *box) {
            if (QGuiApplication::overrideCursor())
                duringQuestion = QGuiApplication::overrideCursor()->shape();
            box->button(QMessageBox::Yes)->click();
        });
        EXPECT_EQ(prompter.Ask(QStringLiteral("Overwrite?"), Buttons::YesNo,
                               MessageIcon::Question),
                  Answer::Yes);
        EXPECT_EQ(duringQuestion, Qt::ArrowCursor);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        prompter.SetBusy(true);
        // Going away while busy (a command failed half way) gives the pointer back.
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtPrompter, StatusTextReachesTheCallbackOrTheStatusBar)
{
    QStringList texts;
    QtPrompter viaCallback(nullptr, [&texts](const QString &text) { texts << text; });
    viaCallback.SetStatusText(QStringLiteral("Reading document from host"));
    viaCallback.SetStatusText(QString());
    EXPECT_EQ(texts, QStringList({QStringLiteral("Reading document from host"), QString()}));

    QtPrompter silent;
    silent.SetStatusText(QStringLiteral("nowhere")); // no sink: nothing happens

    auto *bar = new QStatusBar;
    QtPrompter viaBar(nullptr, bar);
    viaBar.SetStatusText(QStringLiteral("Saving document to host"));
    EXPECT_EQ(bar->currentMessage(), QStringLiteral("Saving document to host"));
    viaBar.SetStatusText(QString());
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    delete bar; // the main window went first: texts are dropped, nothing crashes
    viaBar.SetStatusText(QStringLiteral("late"));
}

// A report of a long load carries "Continue without messages" and "Stop loading" beside OK;
// each button gives its choice and Escape is OK, as for any report. The reports held back
// come in one dialog with the count and every report in a scrolling text.
TEST(QtPrompter, LongLoadsOfferAWayOutAndListTheRest)
{
    using Choice = iPrompter::LoadReportChoice;
    QMainWindow owner;
    QtPrompter prompter(&owner);
    const ErrorReport report = ErrorReport::Compose(1, GuiErrors::InvalidFormOrParent,
                                                    QStringLiteral("APP*F1*FR111"), 0, QString());
    const QString grabs = qEnvironmentVariable("CORVANE_GRAB");
    struct Case
    {
        QString button; // empty: Escape
        Choice choice;
    };
    for (const Case &c : {Case{"OK", Choice::Show}, Case{"Continue without messages", Choice::Quiet},
                          Case{"Stop loading", Choice::Stop}, Case{"", Choice::Show}}) {
        SCOPED_TRACE(c.button.toStdString());
        QStringList buttons;
        WhenModal<QMessageBox>([&](QMessageBox *box) {
            EXPECT_EQ(box->text(), report.Text);
            for (QAbstractButton *button : box->buttons())
                buttons << button->text().remove('&');
            if (!grabs.isEmpty() && c.button.isEmpty())
                box->grab().save(grabs + "/load-report-way-out.png");
            if (c.button.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *button : box->buttons())
                if (button->text().remove('&') == c.button)
                    button->click();
        });
        EXPECT_EQ(prompter.ReportWithWayOut(report), c.choice);
        buttons.sort();
        EXPECT_EQ(buttons, QStringList({"Continue without messages", "OK", "Stop loading"}));
    }

    QStringList reports;
    for (int n = 0; n < 20000; ++n)
        reports << QStringLiteral("Invalid Form or Parent ID\n\nApp=APP, Form=F1, Control=FR%1").arg(n);
    QString shown;
    WhenModal<QDialog>([&](QDialog *dialog) {
        if (auto *list = dialog->findChild<QPlainTextEdit *>())
            shown = list->toPlainText();
        if (!grabs.isEmpty())
            dialog->grab().save(grabs + "/load-report-list.png");
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    prompter.ReportList(QStringLiteral("20000 more problems were found while loading:"), reports,
                        MessageIcon::Information);
    EXPECT_EQ(shown.count("Invalid Form or Parent ID\nApp=APP, Form=F1, Control=FR"), 20000);
    EXPECT_TRUE(shown.endsWith("\n\nInvalid Form or Parent ID\nApp=APP, Form=F1, Control=FR19999"));
}
