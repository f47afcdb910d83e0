// The text box places its editors itself: where a stacked layout would put them, shown and
// hidden as it would, with the focus going along, and without a request queued per box.
#include "controls/TextBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedLayout>

#include <gtest/gtest.h>

TEST(TextBox, EditorsFillTheBoxAndSwitchAsInAStackedLayout)
{
    QWidget form;
    auto *box = new TextBox(&form);
    box->SetText(QStringLiteral("first\nsecond"));
    auto *reference = new QWidget(&form);
    auto *stack = new QStackedLayout(reference);
    stack->setContentsMargins(0, 0, 0, 0);
    auto *line = new QLineEdit;
    auto *multi = new QPlainTextEdit;
    stack->addWidget(line);
    stack->addWidget(multi);
    form.resize(400, 300);
    form.show();
    const auto alike = [&](QSize size) {
        box->resize(size);
        reference->resize(size);
        QApplication::processEvents();
        const QWidget *shown = box->IsMultiLine() ? static_cast<QWidget *>(box->TextEdit())
                                                  : box->LineEdit();
        const QWidget *hidden = box->IsMultiLine() ? static_cast<QWidget *>(box->LineEdit())
                                                   : box->TextEdit();
        return shown->isVisible() && shown->geometry() == stack->currentWidget()->geometry()
               && (!hidden || !hidden->isVisible());
    };
    EXPECT_TRUE(alike({120, 24}));
    EXPECT_EQ(box->TextEdit(), nullptr);
    EXPECT_EQ(box->sizeHint(), line->sizeHint());

    // Several lines while the box shows and has the focus: the text editor takes both.
    form.activateWindow();
    box->setFocus();
    box->SetMultiLine(true);
    stack->setCurrentWidget(multi);
    EXPECT_TRUE(alike({120, 24}));
    EXPECT_TRUE(alike({200, 90}));
    EXPECT_TRUE(box->TextEdit()->hasFocus());
    EXPECT_EQ(box->Text(), QStringLiteral("first\nsecond"));
    EXPECT_EQ(box->sizeHint(), stack->sizeHint());
    EXPECT_EQ(box->minimumSizeHint(), stack->minimumSize());

    // Resized while on one line: the text editor, back, fills the new size.
    box->SetMultiLine(false);
    stack->setCurrentWidget(line);
    EXPECT_TRUE(alike({160, 30}));
    EXPECT_TRUE(box->LineEdit()->hasFocus());
    box->SetMultiLine(true);
    stack->setCurrentWidget(multi);
    EXPECT_TRUE(alike({160, 30}));
}

TEST(TextBox, ABoxBuiltBeforeItShowsQueuesNoLayoutRequestAndFillsItselfAsItShows)
{
    struct Counter : QObject
    {
        int LayoutRequests = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            LayoutRequests += event->type() == QEvent::LayoutRequest;
            return false;
        }
    } counter;
    QWidget form;
    auto *single = new TextBox(&form);
    auto *several = new TextBox(&form);
    several->SetMultiLine(true);
    for (TextBox *box : {single, several}) {
        box->SetText(QStringLiteral("text"));
        box->setGeometry(10, 10, 150, 60);
        box->installEventFilter(&counter);
        QCoreApplication::sendPostedEvents(box, QEvent::LayoutRequest);
    }
    EXPECT_EQ(counter.LayoutRequests, 0);

    form.show();
    QApplication::processEvents();
    EXPECT_EQ(single->LineEdit()->geometry(), single->rect());
    EXPECT_EQ(several->TextEdit()->geometry(), several->rect());
    EXPECT_TRUE(several->TextEdit()->isVisible());
    EXPECT_FALSE(several->LineEdit()->isVisible());
}
