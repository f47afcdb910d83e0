// The design surface's list box and grid: drawn exactly as a list box or grid of the toolkit
// set up the same way, whatever it holds, however the form colours and frames it: on request,
// on the screen (also in part) and in pictures of the form, in an active window and an
// inactive one, and again after it changes; with more of them on a form than drawers kept.
#include "designer/DesignControl.h"
#include "designer/DesignControlFactory.h"
#include "designer/DesignGrid.h"
#include "designer/DesignListBox.h"

#include "controls/GridControl.h"
#include "controls/ListBox.h"
#include "model/Vocabulary.h"
#include "support/PlatformMetrics.h"

#include <QApplication>
#include <QHeaderView>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <tuple>

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

// A widget of the toolkit to the right of `design`, framed, coloured and lettered as it is.
template <typename Widget>
Widget *Beside(const QFrame &design, QWidget *form)
{
    auto *stock = new Widget(form);
    stock->setGeometry(design.geometry().translated(400, 0));
    stock->setFont(design.font());
    if (design.testAttribute(Qt::WA_SetPalette))
        stock->setPalette(design.palette());
    stock->setAutoFillBackground(design.autoFillBackground());
    stock->setFrameStyle(design.frameStyle());
    stock->setEnabled(design.isEnabled());
    stock->setFocusPolicy(Qt::NoFocus);
    return stock;
}

// A list box of the toolkit beside the design list, told the same things in the order the
// designer told its list boxes before it had design lists.
ListBox *Stock(const DesignListBox &design, const ListSetup &s, QWidget *form)
{
    auto *stock = Beside<ListBox>(design, form);
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

// Each design control draws as the toolkit's widget beside it, on request: in turn and
// backwards, so that they are drawn both fresh and by a kept drawer.
template <typename Stock>
void ExpectGrabsAlike(const std::vector<std::unique_ptr<DesignControl>> &design,
                      const std::vector<Stock *> &stock, const char *when)
{
    SCOPED_TRACE(when);
    const int count = int(design.size());
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < count; ++i) {
            const int n = pass == 0 ? i : count - 1 - i;
            SCOPED_TRACE(n);
            ASSERT_EQ(Picture(design[size_t(n)]->Widget()), Picture(stock[size_t(n)]));
        }
}

// As the user sees them, in the active window `form`: on request, as the window paints itself
// (what the screen shows, also after a part of each was painted again, as when a control
// beside it moves) and in a picture of the whole form, as it is and at twice its size.
template <typename Stock>
void ExpectAlikeEverywhere(QWidget &form, const std::vector<std::unique_ptr<DesignControl>> &design,
                           const std::vector<Stock *> &stock)
{
    const int count = int(design.size());
    // Once the event loop has caught up: a list never shown has not yet shown or hidden its
    // scroll bars.
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ExpectGrabsAlike(design, stock, "in the active window");
    const auto expectScreenAlike = [&](const char *when) {
        SCOPED_TRACE(when);
        const QImage screen = form.screen()->grabWindow(form.winId()).toImage();
        for (int n = 0; n < count; ++n) {
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
        for (int n = 0; n < count; ++n) {
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
}

// What one grid holds and how the form shows it; `n` picks a different mix for every grid.
struct GridSetup
{
    explicit GridSetup(int n) : N(n) {}
    int N;
    int Rows() const { return std::array{0, 3, 12, 40}[size_t(N % 4)]; }
    int Columns() const { return std::array{1, 3, 6}[size_t(N % 3)]; }
    // None, fewer than the columns, or more (which adds columns).
    QStringList Headings() const
    {
        switch (N % 5) {
        case 1: return {QStringLiteral("Qty"), QStringLiteral("Item")};
        case 3: return {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                        QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")};
        default: return {};
        }
    }
    QList<int> Twips() const { return N % 4 == 1 ? QList<int>{600, 0, 1500} : QList<int>{}; }
    // 1-based, as the designer gives them; some outside the grid.
    QList<std::tuple<int, int, QString>> Cells() const
    {
        QList<std::tuple<int, int, QString>> cells;
        for (int r = 1; r <= 6; r += 1 + N % 2)
            for (int c = 1; c <= 4; ++c)
                cells.append({r, c, QStringLiteral("R%1C%2").arg(r).arg(c)});
        return cells;
    }
    bool HeadingRow() const { return N % 6 != 5; }
};

// Loads the design grid the way a project load does; `headingsFirst` gives the headings
// before the size, as a file may.
void Load(DesignControl &control, const GridSetup &s)
{
    control.HoldSettings();
    control.Move(120 + (s.N % 4) * 1500, 120 + (s.N / 4) * 1250, 1400, 1150);
    control.SetFont(DesignFont{s.N % 2 ? QStringLiteral("Serif") : QStringLiteral("Sans"),
                               8.0 + s.N % 5, s.N % 3 == 0, false, false});
    if (s.N % 3 == 2)
        control.SetForeColor(0x0000C0);
    if (s.N % 5 == 1)
        control.SetBackColor(0xC0FFFF);
    control.SetBorder(s.N % 3);
    const bool headingsFirst = s.N % 2 == 0;
    if (headingsFirst && !s.Headings().isEmpty())
        control.SetColumnHeadings(s.Headings());
    control.SetGridSize(s.Rows(), s.Columns());
    if (!headingsFirst && !s.Headings().isEmpty())
        control.SetColumnHeadings(s.Headings());
    control.SetColumnWidths(s.Twips());
    for (const auto &[r, c, text] : s.Cells())
        control.SetCellText(r, c, text);
    control.SetHeadingRowVisible(s.HeadingRow());
    control.SetText(QStringLiteral("Grid%1").arg(s.N));
    control.SetVisible(true);
    control.ApplyHeldSettings();
    control.Widget()->setEnabled(s.N % 8 != 7);
}

// A grid of the toolkit beside the design grid, told the same things in the order the
// designer told its grids before it had design grids.
// With `changed`, then told the changes the test makes later, as the designer told them.
GridControl *Stock(const DesignGrid &design, const GridSetup &s, QWidget *form, bool changed = false)
{
    // (The font comes first: a heading row given its items before a new font keeps the old one,
    // so the toolkit does, and a design grid's heading row shows the grid's font.)
    auto *stock = Beside<GridControl>(design, form);
    const bool headingsFirst = s.N % 2 == 0;
    if (headingsFirst && !s.Headings().isEmpty())
        stock->SetHeadings(s.Headings());
    stock->SetSize(s.Rows(), s.Columns());
    if (!s.Headings().isEmpty())
        stock->SetHeadings(s.Headings());
    QList<int> pixels;
    for (int twips : s.Twips())
        pixels << int(std::lround(double(twips) / PlatformMetrics::Current().TwipsPerPixelX));
    stock->SetColumnWidths(pixels);
    for (const auto &[r, c, text] : s.Cells())
        if (r <= s.Rows() && c <= s.Columns()) // as the designer bounds them
            stock->SetCell(r - 1, c - 1, text);
    stock->horizontalHeader()->setVisible(s.HeadingRow());
    if (changed)
        for (const auto &[rows, columns] : {std::pair{2, 2}, std::pair{5, 4}}) {
            stock->SetSize(rows, columns);
            if (!s.Headings().isEmpty())
                stock->SetHeadings(s.Headings());
        }
    if (changed) {
        stock->SetCell(4, 3, QStringLiteral("last"));
        stock->SetColumnWidths({0, int(std::lround(900.0 / PlatformMetrics::Current().TwipsPerPixelX))});
    }
    stock->show();
    return stock;
}

// `count` design controls of `kind(n)` on `form`, each loaded with Setup(n), and beside each
// a widget of the toolkit set up the same way.
template <typename Design, typename Setup, typename StockWidget>
void SideBySide(QWidget &form, int count, int (*kind)(int),
                std::vector<std::unique_ptr<DesignControl>> &design, std::vector<StockWidget *> &stock)
{
    for (int n = 0; n < count; ++n) {
        design.push_back(CreateDesignControl(kind(n), &form));
        auto *widget = qobject_cast<Design *>(design.back()->Widget());
        ASSERT_TRUE(widget);
        EXPECT_EQ(widget->template findChildren<QWidget *>().size(), 0) << "a design control is one widget";
        Load(*design.back(), Setup(n));
        stock.push_back(Stock(*widget, Setup(n), &form));
    }
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
    SideBySide<DesignListBox, ListSetup>(form, lists, [](int) { return Type::List; }, design, stock);
    ExpectAlikeEverywhere(form, design, stock);
    if (HasFailure())
        return;

    // Another window active: both kinds of list show the inactive window's colours.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ExpectGrabsAlike(design, stock, "in an inactive window");

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
    ExpectGrabsAlike(design, stock, "changed");

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
    DrawnFrame::KeepDrawers(256);
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

TEST(DesignGrid, DrawsAsAToolkitGridSetUpTheSameWay)
{
    QWidget form;
    form.resize(820, 1000);
    const int grids = 36;
    DrawnFrame::KeepDrawers(24); // fewer than the grids
    std::vector<std::unique_ptr<DesignControl>> design;
    std::vector<GridControl *> stock;
    SideBySide<DesignGrid, GridSetup>(
        form, grids, [](int n) { return n % 2 ? Type::GridEditable : Type::GridProtected; }, design, stock);
    ExpectAlikeEverywhere(form, design, stock);
    if (HasFailure())
        return;

    // Changes after the grids were drawn show at once: fewer rows and columns drop what falls
    // outside, more show empty cells and numbered columns, new headings, widths and cells.
    for (int n = 0; n < grids; n += 3) {
        DesignControl &control = *design[size_t(n)];
        control.SetGridSize(2, 2);
        control.SetGridSize(5, 4);
        control.SetCellText(5, 4, QStringLiteral("last"));
        control.SetColumnWidths({0, 900});
        auto *grid = qobject_cast<DesignGrid *>(control.Widget());
        delete stock[size_t(n)];
        stock[size_t(n)] = Stock(*grid, GridSetup(n), &form, true);
        EXPECT_EQ(grid->Cell(4, 3), QStringLiteral("last"));
        EXPECT_EQ(grid->Drawn().Cell(4, 3), QStringLiteral("last"));
    }
    QApplication::processEvents();
    ExpectGrabsAlike(design, stock, "changed");

    // Another window active: both kinds of grid show the inactive window's colours.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ExpectGrabsAlike(design, stock, "in an inactive window");
    DrawnFrame::KeepDrawers(256);
}

TEST(DesignGrid, KeepsWhatAToolkitGridKeepsAndMeasuresAsOne)
{
    QWidget form;
    form.setFont(QFont(QStringLiteral("Serif"), 15));
    DesignGrid grid(&form);
    GridControl stock(&form);
    EXPECT_EQ(grid.frameStyle(), stock.frameStyle());
    EXPECT_EQ(grid.focusPolicy(), stock.focusPolicy());
    // Rows as high as the font the grid was made with says, whatever font it gets later.
    grid.setFont(QFont(QStringLiteral("Sans"), 7));
    grid.SetSize(3, 2);
    EXPECT_EQ(grid.Drawn().rowHeight(0), stock.verticalHeader()->defaultSectionSize());
    EXPECT_EQ(grid.sizeHint(), grid.Drawn().sizeHint());
    // Headings: one per column, a longer list adds columns (up to the grid's limit); columns
    // added later show their numbers.
    grid.SetHeadings({QStringLiteral("A")});
    EXPECT_EQ(grid.Headings(), QStringList({QStringLiteral("A"), QString()}));
    grid.SetHeadings(QStringList(900, QStringLiteral("H")));
    EXPECT_EQ(grid.ColumnCount(), GridControl::MaxColumns);
    grid.SetSize(3, 3);
    grid.SetSize(3, 5);
    EXPECT_EQ(grid.Headings().size(), 3);
    EXPECT_EQ(grid.Drawn().horizontalHeaderItem(3), nullptr);
    // Widths of columns not given again are kept, of columns dropped are not.
    grid.SetColumnWidths({40, 0, 90});
    grid.SetColumnWidths({0, 55});
    EXPECT_EQ(grid.Drawn().columnWidth(0), 40);
    EXPECT_EQ(grid.Drawn().columnWidth(1), 55);
    EXPECT_EQ(grid.Drawn().columnWidth(2), 90);
    const int plain = grid.Drawn().columnWidth(3);
    grid.SetSize(3, 2);
    grid.SetSize(3, 4);
    EXPECT_EQ(grid.Drawn().columnWidth(2), plain);
    // Cells outside the grid are passed over; cells of dropped rows go.
    grid.SetCell(2, 3, QStringLiteral("x"));
    grid.SetCell(3, 0, QStringLiteral("outside"));
    EXPECT_EQ(grid.Cell(2, 3), QStringLiteral("x"));
    EXPECT_EQ(grid.Cell(3, 0), QString());
    grid.SetSize(2, 4);
    grid.SetSize(GridControl::MaxRows * 10, 4);
    EXPECT_EQ(grid.Cell(2, 3), QString());
    EXPECT_EQ(grid.RowCount(), GridControl::MaxRows);
    EXPECT_EQ(grid.Drawn().rowCount(), GridControl::MaxRows);
}
