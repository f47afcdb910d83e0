// The design surface's list box: drawn exactly as a list box of the toolkit set up the same
// way, whatever it holds, however the form colours and frames it: on request, on the screen
// (also in part) and in pictures of the form, in an active window and an inactive one, and
// again after it changes; with more lists on a form than drawing lists kept.
#include "designer/DesignControl.h"
#include "designer/DesignControlFactory.h"
#include "designer/DesignListBox.h"

#include "controls/ListBox.h"
#include "model/Vocabulary.h"
#include "support/PlatformMetrics.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

using namespace Vocabulary;

namespace {

// What one list holds and how the form shows it; `n` picks a different mix for every list.
struct ListSetup
{
    explicit ListSetup(int n) : N(n), RowsOf(n) {}
    int N;
    int RowsOf; // the rows of another mix
    int Columns() const { return N % 5 == 2 ? 3 : 1; }
    QStringList Headings() const
    {
        return N % 3 == 1 ? QStringList{QStringLiteral("Code"), QStringLiteral("Name")} : QStringList{};
    }
    QList<int> Twips() const { return N % 4 == 1 ? QList<int>{600, 0, 1500} : QList<int>{}; }
    QStringList Rows() const
    {
        QStringList rows;
        const int count = RowsOf % 6 == 0 ? 0 : RowsOf % 6 == 5 ? 40 : RowsOf % 6 == 4 ? 4 : 3;
        for (int r = 0; r < count; ++r)
            rows << (RowsOf % 2 ? QStringLiteral("Row %1\tSecond %1\tA third column, wide").arg(r)
                           : QStringLiteral("Row %1").arg(r));
        return rows;
    }
    bool Checks() const { return N % 4 == 3; }
    bool Multi() const { return N % 7 == 3; }
};

// Loads the design list the way a project load does: settings held, then applied together.
void Load(DesignControl &control, const ListSetup &s)
{
    control.HoldSettings();
    control.Move(120 + (s.N % 4) * 1500, 120 + (s.N / 4) * 1250, 1400, 1150);
    control.SetFont(DesignFont{s.N % 2 ? QStringLiteral("Serif") : QStringLiteral("Sans"),
                               8.0 + s.N % 5, s.N % 3 == 0, s.N % 4 == 0, s.N % 5 == 0});
    if (s.N % 3 == 2)
        control.SetForeColor(0x0000C0);
    if (s.N % 5 == 1)
        control.SetBackColor(0xC0FFFF);
    control.SetBorder(s.N % 3);
    control.SetColumnCount(s.Columns());
    if (!s.Headings().isEmpty())
        control.SetColumnHeadings(s.Headings());
    control.SetColumnWidths(s.Twips());
    control.SetListRows(s.Rows());
    control.SetCheckBoxes(s.Checks());
    control.SetMultiSelect(s.Multi());
    control.SetText(QStringLiteral("List%1").arg(s.N));
    control.SetVisible(true);
    control.ApplyHeldSettings();
    // A window disabled for a moment (as the area does while it adds one) greys its lists.
    control.Widget()->setEnabled(s.N % 8 != 7);
}

// A list box of the toolkit beside the design list, told the same things in the order the
// designer told its list boxes before it had design lists.
ListBox *Stock(const DesignListBox &design, const ListSetup &s, QWidget *form)
{
    auto *stock = new ListBox(form);
    stock->setGeometry(design.geometry().translated(400, 0));
    stock->setFont(design.font());
    if (design.testAttribute(Qt::WA_SetPalette))
        stock->setPalette(design.palette());
    stock->setAutoFillBackground(design.autoFillBackground());
    stock->setFrameStyle(design.frameStyle());
    stock->setEnabled(design.isEnabled());
    stock->setFocusPolicy(Qt::NoFocus);
    stock->SetColumns(s.Columns());
    if (!s.Headings().isEmpty())
        stock->SetHeadings(s.Headings());
    QList<int> pixels;
    for (int twips : s.Twips())
        pixels << int(std::lround(double(twips) / PlatformMetrics::Current().TwipsPerPixelX));
    stock->SetColumnWidths(pixels);
    stock->SetRows(s.Rows());
    stock->SetColumnWidths(pixels);
    stock->SetCheckBoxes(s.Checks());
    stock->SetMultiSelect(s.Multi());
    stock->SetPlaceholder(QStringLiteral("List%1").arg(s.N));
    stock->show();
    return stock;
}

QImage Picture(QWidget *w)
{
    return w->grab().toImage();
}

// The largest difference of a colour channel between two pictures of one size.
int LargestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 256;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

} // namespace

TEST(DesignListBox, DrawsAsAToolkitListBoxSetUpTheSameWay)
{
    QWidget form;
    form.resize(820, 1000);
    const int lists = 40;
    DesignListBox::KeepDrawers(32); // fewer than the lists
    std::vector<std::unique_ptr<DesignControl>> design;
    std::vector<ListBox *> stock;
    for (int n = 0; n < lists; ++n) {
        design.push_back(CreateDesignControl(Type::List, &form));
        auto *box = qobject_cast<DesignListBox *>(design.back()->Widget());
        ASSERT_TRUE(box);
        EXPECT_EQ(box->findChildren<QWidget *>().size(), 0) << "a design list is one widget";
        Load(*design.back(), ListSetup(n));
        stock.push_back(Stock(*box, ListSetup(n), &form));
    }
    const auto expectAlike = [&](const char *when) {
        SCOPED_TRACE(when);
        // In turn and backwards, so that lists are drawn both fresh and by a kept drawing list.
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i < lists; ++i) {
                const int n = pass == 0 ? i : lists - 1 - i;
                SCOPED_TRACE(n);
                auto *box = design[size_t(n)]->Widget();
                ASSERT_EQ(Picture(box), Picture(stock[size_t(n)]));
            }
    };
    // As the user sees them: in a window on the screen, once the event loop has caught up (a
    // list box never shown has not yet shown or hidden its scroll bars).
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    expectAlike("in the active window");
    // As the window paints itself (not drawn on request): what the screen shows, also after
    // a part of each list was painted again (as when a control beside it moves).
    const auto expectScreenAlike = [&](const char *when) {
        SCOPED_TRACE(when);
        const QImage screen = form.screen()->grabWindow(form.winId()).toImage();
        for (int n = 0; n < lists; ++n) {
            SCOPED_TRACE(n);
            ASSERT_EQ(screen.copy(design[size_t(n)]->Widget()->geometry()),
                      screen.copy(stock[size_t(n)]->geometry()));
        }
    };
    form.repaint();
    expectScreenAlike("painted");
    for (const auto &control : design)
        control->Widget()->repaint(QRect(17, 9, 40, 50));
    expectScreenAlike("partly painted again");
    // In a picture of the whole form, as it is and at twice its size.
    for (int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        QImage picture(form.size() * scale, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.scale(scale, scale);
        form.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        painter.end();
        const auto at = [scale](const QWidget *w) {
            return QRect(w->geometry().topLeft() * scale, w->size() * scale);
        };
        for (int n = 0; n < lists; ++n) {
            SCOPED_TRACE(n);
            const QImage a = picture.copy(at(design[size_t(n)]->Widget()));
            const QImage b = picture.copy(at(stock[size_t(n)]));
            // Scaled, a gradient may come out a level apart: it is worked out from where the
            // drawing starts.
            if (scale == 1)
                ASSERT_EQ(a, b);
            else
                ASSERT_LE(LargestDifference(a, b), 1);
        }
    }

    // Another window active: both kinds of list show the inactive window's colours.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    expectAlike("in an inactive window");

    // Changes after the lists were drawn show at once, as the list would show them opened
    // again. (A list box told the new rows after the old ones kept columns they no longer
    // fill.)
    for (int n = 0; n < lists; n += 3) {
        ListSetup changed(n);
        changed.RowsOf = n + 1;
        auto *box = qobject_cast<DesignListBox *>(design[size_t(n)]->Widget());
        design[size_t(n)]->SetListRows(changed.Rows());
        design[size_t(n)]->SetFont(DesignFont{QStringLiteral("Sans"), 15, true, false, false});
        delete stock[size_t(n)];
        stock[size_t(n)] = Stock(*box, changed, &form);
    }
    QApplication::processEvents();
    expectAlike("changed");

    // On a desktop whose inactive windows show other colours, a list shows the colours of its
    // window's state, also when its drawing list's state differs.
    QPalette desktop = form.palette();
    desktop.setColor(QPalette::Active, QPalette::Base, QColor(255, 255, 255));
    desktop.setColor(QPalette::Inactive, QPalette::Base, QColor(232, 232, 250));
    form.setPalette(desktop);
    auto extra = CreateDesignControl(Type::List, &form);
    Load(*extra, ListSetup(12)); // no colours of its own, no rows
    extra->Move(6500, 120, 1400, 1150);
    QWidget *plain = extra->Widget();
    const QPoint inside(plain->width() / 2, plain->height() / 2);
    ASSERT_EQ(plain->palette().color(QPalette::Base), desktop.color(QPalette::Inactive, QPalette::Base))
        << "the test's own premise: the form's window is not active";
    EXPECT_EQ(Picture(plain).pixelColor(inside), QColor(232, 232, 250));
    other.close();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(Picture(plain).pixelColor(inside), QColor(255, 255, 255));
    DesignListBox::KeepDrawers(128);
}

TEST(DesignListBox, KeepsTheWidthsOfColumnsNotGivenAgainAndMeasuresAsAToolkitList)
{
    DesignListBox box;
    ListBox stock;
    EXPECT_EQ(box.frameStyle(), stock.frameStyle());
    EXPECT_EQ(box.focusPolicy(), stock.focusPolicy());
    EXPECT_EQ(box.sizeHint(), stock.sizeHint());
    EXPECT_EQ(box.minimumSizeHint(), stock.minimumSizeHint());
    box.SetColumns(4); // the last one stretches
    box.SetColumnWidths({40, 0, 90});
    box.SetColumnWidths({0, 55});
    EXPECT_EQ(box.Drawn().columnWidth(0), 40);
    EXPECT_EQ(box.Drawn().columnWidth(1), 55);
    EXPECT_EQ(box.Drawn().columnWidth(2), 90);
}
