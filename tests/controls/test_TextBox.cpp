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
