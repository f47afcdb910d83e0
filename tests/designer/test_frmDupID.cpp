// The duplicate-ID dialog returns the user's choice, lets OK through only with an ID that can
// be an object's ID, and shows the parts of the path the new ID will live under.
#include "ModalDriver.h"

#include "designer/QtPrompter.h"
#include "designer/frmDupID.h"
#include "support/Marks.h"
#include "support/ProgramTitle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Choice = frmDupID::Choice;

iPrompter::DuplicateIdRequest ControlRequest()
{
    iPrompter::DuplicateIdRequest request;
    request.Text = QStringLiteral(
        "Duplicate Control ID encountered while loading file. Please enter a new ID and click "
        "OK to continue, Skip to bypass this item or Cancel to quit loading file.");
    request.Label = QStringLiteral("Control &ID");
    request.AppId = QStringLiteral("SALES");
    request.FormId = QStringLiteral("ORDERS");
    request.Id = QStringLiteral("BTNOK");
    request.Level = 2;
    return request;
}

iPrompter::DuplicateIdAnswer AskWith(const iPrompter::DuplicateIdRequest &request,
                                 std::function<void(frmDupID *)> user)
{
    WhenModal<frmDupID>(user);
    return frmDupID::Ask(request);
}

QStringList LabelTexts(const QWidget &dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        if (!label->isHidden())
            texts << label->text();
    return texts;
}

} // namespace

TEST(frmDupID, OkIsEnabledOnlyForAnIdAnObjectCanHave)
{
    struct Row {
        QString Id;
        bool Acceptable;
    };
    const Row rows[] = {
        {QString(), false},
        {QStringLiteral("*"), false},
        {QStringLiteral("BTN*2"), false},
        {QStringLiteral("BTN") + Marks::SegmentMark(), false},
        {Marks::AttributeMark() + QStringLiteral("BTN"), false},
        {QStringLiteral("B") + Marks::ValueMark() + QStringLiteral("N"), false},
        {Marks::SubValueMark(), false},
        {QStringLiteral("BTN2"), true},
        {QStringLiteral("Ünïcode id"), true},
        {QStringLiteral("a") + Marks::ClipSeparator(), true},
    };
    frmDupID dialog(ControlRequest());
    EXPECT_TRUE(dialog.OkButton()->isEnabled()); // starts with the old, well-formed ID
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Id.toStdString());
        dialog.IdInput()->setText(row.Id);
        EXPECT_EQ(dialog.OkButton()->isEnabled(), row.Acceptable);
        EXPECT_EQ(frmDupID::IsAcceptableId(row.Id), row.Acceptable);
        // Only a forbidden character is explained; an empty box is not.
        const bool hintShown =
            !dialog.findChild<QLabel *>(QStringLiteral("IdHint"))->text().isEmpty();
        EXPECT_EQ(hintShown, !row.Acceptable && !row.Id.isEmpty());
    }
}

TEST(frmDupID, EachButtonAndKeyGivesItsAnswer)
{
    // Typing replaces the old ID, which starts selected; only OK passes the ID on.
    const auto type = [](const char *text) {
        return [text](frmDupID *d) { QTest::keyClicks(d->IdInput(), QString::fromLatin1(text)); };
    };
    const struct Row {
        const char *name;
        std::function<void(frmDupID *)> typing, answering;
        Choice choice;
        const char *newId;
    } rows[] = {
        {"OK", type("BTNOK2"), [](frmDupID *d) { QTest::mouseClick(d->OkButton(), Qt::LeftButton); },
         Choice::Ok, "BTNOK2"},
        {"Return", type("NEXT"), [](frmDupID *d) { QTest::keyClick(d->IdInput(), Qt::Key_Return); },
         Choice::Ok, "NEXT"},
        {"Skip", type("TYPED"), [](frmDupID *d) { d->SkipButton()->click(); }, Choice::Skip, ""},
        {"Alt+S", type(""), [](frmDupID *d) { QTest::keyClick(d->IdInput(), Qt::Key_S, Qt::AltModifier); },
         Choice::Skip, ""},
        {"Cancel", type(""), [](frmDupID *d) { d->CancelButton()->click(); }, Choice::Cancel, ""},
        {"Escape", type("TYPED"), [](frmDupID *d) { QTest::keyClick(d->IdInput(), Qt::Key_Escape); },
         Choice::Cancel, ""},
        {"close box", type(""), [](frmDupID *d) { d->close(); }, Choice::Cancel, ""},
        // Return and Enter with an ID no object can have leave the dialog open for Escape.
        {"Enter on an unusable ID", [](frmDupID *d) { d->IdInput()->setText(QStringLiteral("A*B")); },
         [](frmDupID *d) {
             QTest::keyClick(d->IdInput(), Qt::Key_Return);
             d->IdInput()->clear();
             QTest::keyClick(d->IdInput(), Qt::Key_Enter);
             QTest::keyClick(d->IdInput(), Qt::Key_Escape);
         },
         Choice::Cancel, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const auto answer = AskWith(ControlRequest(), [&row](frmDupID *dialog) {
            row.typing(dialog);
            row.answering(dialog);
        });
        EXPECT_EQ(answer.Choice, row.choice);
        EXPECT_EQ(answer.NewId, QString::fromLatin1(row.newId));
    }
}

TEST(frmDupID, ShowsTheRequestThePathAboveAndFocusesTheInput)
{
    // Widgets are named while the dialog lives; it is gone once Ask returns.
    auto focusName = [] {
        QWidget *focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("(none)");
    };
    struct Seen {
        QString Caption;
        QStringList Labels;
        QString InputBuddy;
        QStringList FocusChain;
    } seen;
    const auto answer = AskWith(ControlRequest(), [&seen, focusName](frmDupID *dialog) {
        seen.Caption = dialog->windowTitle();
        seen.Labels = LabelTexts(*dialog);
        for (QLabel *label : dialog->findChildren<QLabel *>())
            if (label->text() == QStringLiteral("Control &ID") && label->buddy())
                seen.InputBuddy = label->buddy()->objectName();
        for (int i = 0; i < 4; ++i) {
            seen.FocusChain << focusName();
            QTest::keyClick(dialog, Qt::Key_Tab);
        }
        // Alt+I comes back to the input box from anywhere in the dialog.
        QTest::keyClick(dialog, Qt::Key_I, Qt::AltModifier);
        seen.FocusChain << focusName();
        dialog->CancelButton()->click();
    });
    EXPECT_EQ(answer.Choice, Choice::Cancel);
    EXPECT_EQ(seen.Caption, QString::fromUtf8(ProgramTitle));
    EXPECT_TRUE(seen.Labels.contains(ControlRequest().Text));
    EXPECT_TRUE(seen.Labels.contains(QStringLiteral("SALES")));
    EXPECT_TRUE(seen.Labels.contains(QStringLiteral("ORDERS")));
    EXPECT_EQ(seen.InputBuddy, QStringLiteral("IdInput"));
    EXPECT_EQ(seen.FocusChain,
              QStringList({QStringLiteral("IdInput"), QStringLiteral("OkButton"),
                           QStringLiteral("SkipButton"), QStringLiteral("CancelButton"),
                           QStringLiteral("IdInput")}));
}

TEST(frmDupID, PathPartsFollowTheLevel)
{
    auto request = ControlRequest();
    request.Level = 0;
    request.Label = QStringLiteral("App &ID");
    request.AppId.clear();
    request.FormId.clear();
    request.Id = QStringLiteral("SALES");
    frmDupID app(request);
    EXPECT_FALSE(LabelTexts(app).contains(QStringLiteral("App ID")));
    EXPECT_FALSE(LabelTexts(app).contains(QStringLiteral("Form ID")));
    EXPECT_TRUE(LabelTexts(app).contains(QStringLiteral("App &ID")));

    request = ControlRequest();
    request.Level = 1;
    request.Label = QStringLiteral("Form &ID");
    request.FormId.clear();
    frmDupID form(request);
    EXPECT_TRUE(LabelTexts(form).contains(QStringLiteral("SALES")));
    EXPECT_FALSE(LabelTexts(form).contains(QStringLiteral("Form ID")));

    // A bar of an MDI application has no form part to show.
    request = ControlRequest();
    request.FormId.clear();
    frmDupID bar(request);
    EXPECT_TRUE(LabelTexts(bar).contains(QStringLiteral("App ID")));
    EXPECT_FALSE(LabelTexts(bar).contains(QStringLiteral("Form ID")));
}

TEST(frmDupID, ThePrompterAsksOverItsOwner)
{
    QWidget owner;
    QtPrompter prompter(&owner);
    QWidget *parentSeen = nullptr;
    WhenModal<frmDupID>([&parentSeen](frmDupID *dialog) {
        parentSeen = dialog->parentWidget();
        QTest::keyClicks(dialog->IdInput(), QStringLiteral("OTHER"));
        dialog->OkButton()->click();
    });
    const auto answer = prompter.AskDuplicateId(ControlRequest());
    EXPECT_EQ(parentSeen, &owner);
    EXPECT_EQ(answer.Choice, Choice::Ok);
    EXPECT_EQ(answer.NewId, QStringLiteral("OTHER"));
}
