// The text box places its editors itself: as a stacked layout would, shown and hidden as it
// would, the focus going along, and without a request queued for each box built.
#include "controls/TextBox.h"

#include "EventCount.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedLayout>

#include <gtest/gtest.h>

TEST(TextBox, EditorsFillTheBoxAsInAStackedLayoutAndNoRequestIsQueuedBeforeItShows)
{
    EventCount layoutRequests(QEvent::LayoutRequest);
    QWidget form;
    auto *box = new TextBox(&form);
    box->SetText(QStringLiteral("first\nsecond"));
    box->setGeometry(10, 10, 120, 24);
    box->installEventFilter(&layoutRequests);
    QCoreApplication::sendPostedEvents(box, QEvent::LayoutRequest);
    EXPECT_EQ(layoutRequests.Count, 0);

    auto *reference = new QWidget(&form);
    auto *stack = new QStackedLayout(reference);
    stack->setContentsMargins(0, 0, 0, 0);
    auto *multi = new QPlainTextEdit;
    stack->addWidget(new QLineEdit);
    stack->addWidget(multi);
    form.resize(400, 300);
    form.show();
    const auto alike = [&](QSize size) {
        box->resize(size);
        reference->resize(size);
        QApplication::processEvents();
        QWidget *shown = box->LineEdit(), *hidden = box->TextEdit();
        if (box->IsMultiLine())
            std::swap(shown, hidden);
        return shown->isVisible() && shown->geometry() == stack->currentWidget()->geometry()
               && (!hidden || !hidden->isVisible());
    };
    EXPECT_TRUE(alike({120, 24}));

    // Several lines while the box has the focus, and back: the editor shown takes both.
    form.activateWindow();
    box->setFocus();
    for (const bool on : {true, false, true}) {
        box->SetMultiLine(on);
        stack->setCurrentIndex(on ? 1 : 0);
        EXPECT_TRUE(alike({120, 24})) << on;
        EXPECT_TRUE(alike({200 - 40 * on, 90})) << on;
        EXPECT_TRUE(box->focusProxy()->hasFocus()) << on;
    }
    EXPECT_EQ(box->Text(), QStringLiteral("first\nsecond"));
    EXPECT_EQ(box->sizeHint(), stack->sizeHint());
    EXPECT_EQ(box->minimumSizeHint(), stack->minimumSize());
}

TEST(TextBox, ABoxOfSeveralLinesMakesItsOneLineEditorWhenAskedWithTheBoxSettings)
{
    QWidget form;
    auto *box = new TextBox(&form, true);
    EXPECT_EQ(box->findChild<QLineEdit *>(), nullptr);
    box->SetText(QStringLiteral("first\nsecond"));
    box->SetPasswordChar(QStringLiteral("*"));
    box->SetReadOnly(true);
    box->SetAlignment(Qt::AlignRight);
    box->SetFrameShown(false);
    box->setGeometry(10, 10, 120, 60);
    form.show();
    EXPECT_EQ(box->findChild<QLineEdit *>(), nullptr);
    EXPECT_TRUE(box->TextEdit()->isVisible());
    EXPECT_EQ(box->focusProxy(), box->TextEdit());

    // Asked for (as the running program asks to watch it), it comes hidden, set up as the box.
    QLineEdit *line = box->LineEdit();
    ASSERT_TRUE(line);
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(line->text(), QStringLiteral("first"));
    EXPECT_EQ(line->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(line->isReadOnly());
    EXPECT_EQ(line->alignment(), Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_FALSE(line->hasFrame());
    EXPECT_FALSE(line->isModified());

    // Made one line, it shows that editor over the whole box; several lines again keep the text.
    box->SetMultiLine(false);
    EXPECT_TRUE(line->isVisible());
    EXPECT_EQ(line->geometry(), box->rect());
    EXPECT_EQ(box->focusProxy(), line);
    box->SetMultiLine(true);
    EXPECT_EQ(box->Text(), QStringLiteral("first\nsecond"));

    // A box of several lines measures as before: as both editors would.
    TextBox other(nullptr, true);
    TextBox reference;
    reference.SetMultiLine(true);
    EXPECT_EQ(other.sizeHint(), reference.sizeHint());
    EXPECT_EQ(other.minimumSizeHint(), reference.minimumSizeHint());
}
