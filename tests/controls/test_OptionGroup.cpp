// The option group stacks its buttons itself: where a stacked layout would put them, in a box
// of any size, and without a request queued for each box built.
#include "controls/OptionGroup.h"

#include "EventCount.h"

#include <QApplication>
#include <QRadioButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {
const QStringList Rows{QStringLiteral("Red"), QStringLiteral("Green\tG"),
                       QStringLiteral("A longer caption")};

QList<QRect> Places(const QList<QRadioButton *> &buttons)
{
    QList<QRect> places;
    for (const QRadioButton *button : buttons)
        places << button->geometry();
    return places;
}
} // namespace

TEST(OptionGroup, ButtonsSitWhereAStackedLayoutPutsThemInABoxOfAnySize)
{
    // Both boxes on a form, as on the design surface.
    QWidget form;
    auto *group = new OptionGroup(&form);
    group->SetRows(Rows);
    auto *reference = new QGroupBox(&form);
    auto *stack = new QVBoxLayout(reference);
    stack->setContentsMargins(4, 2, 4, 2);
    stack->setSpacing(0);
    QList<QRadioButton *> laidOut;
    for (const QString &row : Rows)
        stack->addWidget(laidOut.emplace_back(new QRadioButton(row.section('\t', 0, 0))));
    stack->addStretch(1);
    form.show();
    const auto placedAlike = [&](const QString &title, const QFont &font, QSize size) {
        for (QGroupBox *box : {static_cast<QGroupBox *>(group), reference}) {
            box->setTitle(title);
            box->setFont(font);
            box->resize(size);
        }
        QApplication::processEvents();
        return Places(group->Buttons()) == Places(laidOut);
    };
    QFont large = form.font();
    large.setPointSize(large.pointSize() * 2);
    EXPECT_TRUE(placedAlike(QStringLiteral("Colour"), form.font(), {180, 140}));
    EXPECT_TRUE(placedAlike(QString(), large, {260, 200}));
    // Too low for the buttons, with room that shares out evenly or not: they share it.
    for (const int height : {60, 47, 31})
        EXPECT_TRUE(placedAlike(QStringLiteral("Colour"), form.font(), {120, height})) << height;
    // No room at all (the layout then stacks upwards, out of the box): nothing shows.
    placedAlike(QStringLiteral("Colour"), form.font(), {120, 12});
    for (const QRadioButton *button : group->Buttons())
        EXPECT_EQ(button->height(), 0);

    // Rows set while the box shows appear at once, as wide as its inside.
    group->resize(150, 120);
    group->SetRows({QStringLiteral("One"), QStringLiteral("Two")});
    group->SetValue(QStringLiteral("2"));
    ASSERT_EQ(group->Buttons().size(), 2);
    for (const QRadioButton *button : group->Buttons()) {
        EXPECT_TRUE(button->isVisible()) << qPrintable(button->text());
        EXPECT_EQ(button->width(), group->contentsRect().width() - 8);
    }
    EXPECT_EQ(group->Selected(), 2);
}

TEST(OptionGroup, ABoxBuiltBeforeItShowsQueuesNoLayoutRequest)
{
    EventCount layoutRequests(QEvent::LayoutRequest);
    QWidget form;
    auto *group = new OptionGroup(&form);
    group->setTitle(QStringLiteral("Colour"));
    group->SetRows(Rows);
    QFont font = group->font();
    font.setBold(true);
    group->setFont(font);
    group->setGeometry(10, 10, 150, 120);
    group->installEventFilter(&layoutRequests);
    QCoreApplication::sendPostedEvents(group, QEvent::LayoutRequest);
    EXPECT_EQ(layoutRequests.Count, 0);

    // Its rows, font and size came while it was hidden: it places its buttons as it shows.
    form.show();
    QApplication::processEvents();
    const QList<QRadioButton *> buttons = group->Buttons();
    EXPECT_EQ(buttons.at(0)->geometry().topLeft(), group->contentsRect().topLeft() + QPoint(4, 2));
    for (qsizetype i = 1; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons.at(i)->y(), buttons.at(i - 1)->geometry().bottom() + 1);
        EXPECT_EQ(buttons.at(i)->height(), buttons.at(i)->sizeHint().height());
    }
}
