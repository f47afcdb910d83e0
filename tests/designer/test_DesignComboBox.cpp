// The design surface's combo box and drop-down list: drawn and measured exactly as a stock
// combo box set up the same way, without the pop-up a stock box makes as it loads.
#include "designer/DesignComboBox.h"
#include "designer/DesignControl.h"
#include "designer/DesignControlFactory.h"
#include "model/Vocabulary.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace Vocabulary;

namespace {

// A control around a stock combo box, set up the way the design surface used to set it up.
std::unique_ptr<DesignControl> StockControl(int kind, QWidget *form)
{
    auto *combo = new QComboBox(form);
    combo->setEditable(kind == Type::Combo);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return std::make_unique<DesignControl>(kind, combo);
}

bool HasPopup(QWidget *combo)
{
    return combo->findChild<QAbstractItemView *>() != nullptr;
}

// Loads a control the way a project load does: settings held, then applied in one step. The
// stock boxes stand in a column of their own, and neither column under the mouse pointer.
void Load(DesignControl &control, int row, bool stock)
{
    control.HoldSettings();
    control.Move(stock ? 3000 : 120, 1200 + row * 480, 2400, 390);
    control.SetFont(DesignFont{QStringLiteral("Serif"), 13.5, row % 2 == 0, row % 3 == 0, false});
    if (row % 2)
        control.SetForeColor(0x0000FF);
    if (row % 3)
        control.SetBackColor(0xC0FFC0);
    control.SetBorder(row % 4 == 3 ? 0 : 1);
    control.SetListRows({QStringLiteral("Alpha\t1"), QStringLiteral("A much longer second row\t2")});
    control.SetText(row % 2 ? QStringLiteral("A much longer second row") : QStringLiteral("Typed"));
    control.SetVisible(true);
    control.ApplyHeldSettings();
}

QImage Picture(const DesignControl &control)
{
    return control.Widget()->grab().toImage();
}

void ExpectAlike(const DesignControl &design, const DesignControl &stock)
{
    auto *a = qobject_cast<QComboBox *>(design.Widget());
    auto *b = qobject_cast<QComboBox *>(stock.Widget());
    EXPECT_EQ(a->sizeHint(), b->sizeHint());
    EXPECT_EQ(a->minimumSizeHint(), b->minimumSizeHint());
    EXPECT_EQ(a->isEditable(), b->isEditable());
    EXPECT_EQ(a->focusPolicy(), b->focusPolicy());
    if (a->lineEdit()) {
        EXPECT_EQ(a->lineEdit()->geometry(), b->lineEdit()->geometry());
        EXPECT_EQ(a->lineEdit()->text(), b->lineEdit()->text());
        EXPECT_EQ(a->lineEdit()->isReadOnly(), b->lineEdit()->isReadOnly());
    }
    EXPECT_EQ(Picture(design), Picture(stock));
}

} // namespace

TEST(DesignComboBox, LoadsWithoutAPopupAndLooksAndMeasuresAsAStockComboBox)
{
    for (int kind : {Type::Combo, Type::DropDownList}) {
        SCOPED_TRACE(kind);
        QWidget form;
        form.resize(400, 450);
        std::vector<std::unique_ptr<DesignControl>> design, stock;
        for (int row = 0; row < 4; ++row) {
            design.push_back(CreateDesignControl(kind, &form));
            stock.push_back(StockControl(kind, &form));
            ASSERT_TRUE(qobject_cast<DesignComboBox *>(design.back()->Widget()));
            Load(*design.back(), row, false);
            Load(*stock.back(), row, true);
        }
        // A box measured before its font comes keeps measuring right.
        design.push_back(CreateDesignControl(kind, &form));
        stock.push_back(StockControl(kind, &form));
        (void)design.back()->Widget()->sizeHint();
        (void)stock.back()->Widget()->sizeHint();
        Load(*design.back(), 1, false);
        Load(*stock.back(), 1, true);
        for (size_t i = 0; i < design.size(); ++i) {
            SCOPED_TRACE(i);
            // Measured before its font came, a box makes its pop-up as a stock box does.
            EXPECT_EQ(HasPopup(design[i]->Widget()), i == 4);
            ExpectAlike(*design[i], *stock[i]);
        }

        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        for (size_t i = 0; i < design.size(); ++i) {
            SCOPED_TRACE(i);
            ExpectAlike(*design[i], *stock[i]);
            // Once shown, a new font (the user's) goes the usual way.
            const DesignFont font{QStringLiteral("Sans"), 20, false, true, false};
            design[i]->SetFont(font);
            stock[i]->SetFont(font);
            ExpectAlike(*design[i], *stock[i]);
        }
        // The pop-up, if ever asked for, comes with the box's font.
        auto *combo = qobject_cast<QComboBox *>(design[0]->Widget());
        EXPECT_EQ(combo->view()->font(), combo->font());
        EXPECT_EQ(combo->view()->model()->rowCount(), 2);
    }
}
