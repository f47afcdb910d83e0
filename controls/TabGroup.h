#pragma once

#include <QWidget>

class TabStrip;

// A tab group: a row of tabs over a framed page area. The pages are separate panels that the
// owner places over the page area; the group only shows the tabs and which one is current.
class TabGroup : public QWidget
{
    Q_OBJECT
public:
    explicit TabGroup(QWidget *parent = nullptr);

    void SetTabs(const QStringList &captions);
    QStringList Tabs() const;
    // 1-based; 0 for none.
    void SetCurrentTab(int index);
    int CurrentTab() const;
    // The 1-based tab at a point of this widget; 0 off every tab.
    int TabAt(QPoint point) const;
    // Tabs that do not fit across wrap onto further rows.
    void SetMultiRow(bool on);
    bool MultiRow() const;
    TabStrip *Bar() const { return m_bar; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void PlaceBar();

    TabStrip *m_bar;
};
