#pragma once

#include <QList>
#include <QRect>
#include <QTabBar>
#include <QTabWidget>

// A tab bar that can wrap tabs which do not fit across onto further rows, each row filled
// out to the full width. While every tab fits, or wrapping is off, it is a plain tab bar.
class TabStrip : public QTabBar
{
    Q_OBJECT
public:
    explicit TabStrip(QWidget *parent = nullptr);

    void SetMultiRow(bool on);
    bool MultiRow() const { return m_multiRow; }
    // The rows the tabs take at a width (1 while they fit or wrapping is off).
    int RowCount(int width) const;
    // The height the strip needs at a width, and the height of one row of tabs.
    int HeightFor(int width) const;
    int RowHeight() const;
    // The tab under a point of the strip, -1 off every tab.
    int TabIndexAt(QPoint point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    struct Rows
    {
        QList<QRect> Rects; // per tab; empty for a hidden tab
        QList<int> RowOf;   // per tab
        int Count = 1;
        int RowHeight = 0;
    };
    // The wrapped layout at a width; Count 1 (and no rectangles) when no wrapping is needed.
    Rows Wrap(int width) const;
    // The width the strip gets: its container's, which a tab widget gives its tab bar.
    int AvailableWidth() const;

    Qt::TextElideMode m_elide;
    bool m_multiRow = false;
    int m_hover = -1;
};

// A tab widget whose tab bar is a TabStrip, for live windows.
class TabPages : public QTabWidget
{
    Q_OBJECT
public:
    explicit TabPages(QWidget *parent = nullptr);
    TabStrip *Strip() const { return m_strip; }

private:
    TabStrip *m_strip;
};
