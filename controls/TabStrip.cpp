#include "controls/TabStrip.h"

#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

TabStrip::TabStrip(QWidget *parent) : QTabBar(parent), m_elide(elideMode())
{
    setMouseTracking(true);
}

void TabStrip::SetMultiRow(bool on)
{
    if (m_multiRow == on)
        return;
    m_multiRow = on;
    // Wrapped tabs are never scrolled nor shortened.
    setUsesScrollButtons(!on);
    setElideMode(on ? Qt::ElideNone : m_elide);
    updateGeometry();
    update();
}

TabStrip::Rows TabStrip::Wrap(int width) const
{
    Rows rows;
    if (!m_multiRow || count() == 0 || width <= 0)
        return rows;
    QList<int> widths(count(), 0);
    int total = 0;
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        const QSize size = tabSizeHint(i);
        widths[i] = size.width();
        total += size.width();
        rows.RowHeight = qMax(rows.RowHeight, size.height());
    }
    if (total <= width)
        return rows;
    QList<QList<int>> lines(1);
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        if (!lines.last().isEmpty() && used + widths[i] > width) {
            lines.append(QList<int>());
            used = 0;
        }
        lines.last().append(i);
        used += widths[i];
    }
    rows.Count = int(lines.size());
    rows.Rects = QList<QRect>(count());
    rows.RowOf = QList<int>(count(), -1);
    for (int r = 0; r < rows.Count; ++r) {
        const QList<int> &line = lines[r];
        int sum = 0;
        for (int i : line)
            sum += widths[i];
        // Each row is filled out to the full width, the room shared among its tabs.
        const int extra = qMax(0, width - sum);
        const int n = int(line.size());
        int x = 0;
        for (int k = 0; k < n; ++k) {
            const int i = line[k];
            const int w = widths[i] + extra / n + (k < extra % n ? 1 : 0);
            rows.Rects[i] = QRect(x, r * rows.RowHeight, w, rows.RowHeight);
            rows.RowOf[i] = r;
            x += w;
        }
    }
    return rows;
}

int TabStrip::RowCount(int width) const { return Wrap(width).Count; }

int TabStrip::HeightFor(int width) const
{
    const Rows rows = Wrap(width);
    if (rows.Count <= 1)
        return QTabBar::sizeHint().height();
    return rows.Count * rows.RowHeight;
}

int TabStrip::RowHeight() const
{
    int height = 0;
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i))
            height = qMax(height, tabSizeHint(i).height());
    return height;
}

int TabStrip::AvailableWidth() const
{
    if (auto *pages = qobject_cast<const QTabWidget *>(parentWidget()))
        return pages->width();
    return width();
}

QSize TabStrip::sizeHint() const
{
    const int available = AvailableWidth();
    const Rows rows = Wrap(available);
    if (rows.Count <= 1)
        return QTabBar::sizeHint();
    return {available, rows.Count * rows.RowHeight};
}

QSize TabStrip::minimumSizeHint() const
{
    if (!m_multiRow)
        return QTabBar::minimumSizeHint();
    // Wrapping tabs need no more width than their widest tab.
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        if (isTabVisible(i))
            widest = qMax(widest, tabSizeHint(i).width());
    return {widest, sizeHint().height()};
}

int TabStrip::TabIndexAt(QPoint point) const
{
    const Rows rows = Wrap(width());
    if (rows.Count <= 1)
        return tabAt(point);
    for (int i = 0; i < rows.Rects.size(); ++i)
        if (rows.RowOf[i] >= 0 && rows.Rects[i].contains(point))
            return i;
    return -1;
}

void TabStrip::paintEvent(QPaintEvent *event)
{
    const Rows rows = Wrap(width());
    if (rows.Count <= 1) {
        QTabBar::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    const int current = currentIndex();
    auto draw = [&](int i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        option.rect = rows.Rects[i];
        option.text = tabText(i);
        int previous = i - 1;
        while (previous >= 0 && rows.RowOf[previous] < 0)
            --previous;
        int next = i + 1;
        while (next < count() && rows.RowOf[next] < 0)
            ++next;
        const bool first = previous < 0 || rows.RowOf[previous] != rows.RowOf[i];
        const bool last = next >= count() || rows.RowOf[next] != rows.RowOf[i];
        option.position = first && last ? QStyleOptionTab::OnlyOneTab
                          : first        ? QStyleOptionTab::Beginning
                          : last         ? QStyleOptionTab::End
                                         : QStyleOptionTab::Middle;
        option.selectedPosition = QStyleOptionTab::NotAdjacent;
        option.state &= ~(QStyle::State_Selected | QStyle::State_MouseOver);
        if (i == current)
            option.state |= QStyle::State_Selected;
        if (i == m_hover && isTabEnabled(i))
            option.state |= QStyle::State_MouseOver;
        painter.drawControl(QStyle::CE_TabBarTab, option);
    };
    // The current tab last, so its raised edge lies over its neighbours.
    for (int i = 0; i < count(); ++i)
        if (i != current && rows.RowOf[i] >= 0)
            draw(i);
    if (current >= 0 && current < count() && rows.RowOf[current] >= 0)
        draw(current);
}

void TabStrip::mousePressEvent(QMouseEvent *event)
{
    if (Wrap(width()).Count <= 1) {
        QTabBar::mousePressEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = TabIndexAt(event->position().toPoint());
    Q_EMIT tabBarClicked(index);
    if (index >= 0 && isTabEnabled(index))
        setCurrentIndex(index);
    event->accept();
}

void TabStrip::mouseMoveEvent(QMouseEvent *event)
{
    if (Wrap(width()).Count <= 1) {
        m_hover = -1;
        QTabBar::mouseMoveEvent(event);
        return;
    }
    const int hover = TabIndexAt(event->position().toPoint());
    if (hover != m_hover) {
        m_hover = hover;
        update();
    }
    event->accept();
}

void TabStrip::mouseReleaseEvent(QMouseEvent *event)
{
    if (Wrap(width()).Count <= 1) {
        QTabBar::mouseReleaseEvent(event);
        return;
    }
    event->accept();
}

void TabStrip::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (Wrap(width()).Count <= 1) {
        QTabBar::mouseDoubleClickEvent(event);
        return;
    }
    Q_EMIT tabBarDoubleClicked(TabIndexAt(event->position().toPoint()));
    event->accept();
}

void TabStrip::leaveEvent(QEvent *event)
{
    if (m_hover >= 0) {
        m_hover = -1;
        update();
    }
    QTabBar::leaveEvent(event);
}

TabPages::TabPages(QWidget *parent) : QTabWidget(parent), m_strip(new TabStrip(this))
{
    setTabBar(m_strip);
}
