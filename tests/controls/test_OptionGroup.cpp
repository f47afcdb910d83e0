// The option group stacks its buttons itself: where a stacked layout would put them, in a box
// of any size, and without a request queued for each box built.
#include "controls/OptionGroup.h"

#include <QApplication>
#include <QRadioButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {
const QStringList Rows{QStringLiteral("Red"), QStringLiteral("Green\tG"),
                       QStringLiteral("A longer caption")};

// The same box as a stacked layout lays it out.
struct LaidOut : QGroupBox
{
    QList<QRadioButton *> Buttons;
    LaidOut()
    {
        auto *box = new QVBoxLayout(this);
        box->setContentsMargins(4, 2, 4, 2);
        box->setSpacing(0);
        for (const QString &row : Rows)
            box->addWidget(Buttons.emplace_back(new QRadioButton(row.section('\t', 0, 0))));
        box->addStretch(1);
    }
};

QList<QRect> Places(const QList<QRadioButton *> &buttons)
{
    QList<QRect> places;
    for (const QRadioButton *button : buttons)
        places << button->geometry();
    return places;
}

struct Counter : QObject
{
    int LayoutRequests = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        LayoutRequests += event->type() == QEvent::LayoutRequest;
        return false;
    }
};
} // namespace

TEST(OptionGroup, ButtonsSitWhereAStackedLayoutPutsThemThroughTitleFontAndSizeChanges)
{
    // Both boxes on a form, as on the design surface: a layout sets no minimum size there.
    QWidget form;
    auto *group = new OptionGroup(&form);
    auto *reference = new LaidOut;
    reference->setParent(&form);
    group->SetRows(Rows);
    const QList<QGroupBox *> boxes{group, reference};
    form.show();
    const auto placedAlike = [&](const QString &title, const QFont &font, QSize size) {
        for (QGroupBox *box : boxes) {
            box->setTitle(title);
            box->setFont(font);
            box->resize(size);
            box->show();
        }
        QApplication::processEvents();
        return Places(group->Buttons()) == Places(reference->Buttons);
    };
    QFont large = form.font();
    large.setPointSize(large.pointSize() * 2);
    EXPECT_TRUE(placedAlike(QStringLiteral("Colour"), form.font(), {180, 140}));
    EXPECT_TRUE(placedAlike(QString(), large, {260, 200}));
    EXPECT_GT(group->Buttons().at(1)->y(), group->Buttons().at(0)->geometry().bottom());

    // Too low for its buttons, heights that share out evenly or not: they share the box.
    for (const int height : {60, 47, 31}) {
        EXPECT_TRUE(placedAlike(QStringLiteral("Colour"), form.font(), {120, height})) << height;
        EXPECT_EQ(group->size(), QSize(120, height));
    }
    // No room at all (the layout then stacks upwards, out of the box): nothing shows.
    for (const int height : {12, 3}) {
        placedAlike(QStringLiteral("Colour"), form.font(), {120, height});
        for (const QRadioButton *button : group->Buttons())
            EXPECT_EQ(button->height(), 0) << height;
    }
}

TEST(OptionGroup, RowsSetWhileShownShowAtOnce)
{
    QWidget form;
    auto *group = new OptionGroup(&form);
    group->setTitle(QStringLiteral("Colour"));
    group->SetRows(Rows);
    group->setGeometry(0, 0, 150, 120);
    form.show();
    QApplication::processEvents();

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
    QWidget form;
    auto *group = new OptionGroup(&form);
    group->setTitle(QStringLiteral("Colour"));
    group->SetRows(Rows);
    QFont font = group->font();
    font.setBold(true);
    group->setFont(font);
    group->setGeometry(10, 10, 150, 120);
    Counter counter;
    group->installEventFilter(&counter);
    QCoreApplication::sendPostedEvents(group, QEvent::LayoutRequest);
    EXPECT_EQ(counter.LayoutRequests, 0);

    form.show();
    QApplication::processEvents();
    EXPECT_EQ(group->Buttons().at(0)->geometry().topLeft(),
              group->contentsRect().topLeft() + QPoint(4, 2));
}
