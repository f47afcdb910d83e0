#include "controls/TabGroup.h"
#include "controls/TabStrip.h"

#include <QCoreApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

TabGroup::TabGroup(QWidget *parent) : QWidget(parent), m_bar(new TabStrip(this))
{
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    m_bar->setUsesScrollButtons(true);
    PlaceBar();
}

void TabGroup::PlaceBar()
{
    const int before = m_bar->height();
    m_bar->setGeometry(0, 0, width(), m_bar->HeightFor(width()));
    // The owner lays the panels over the page area when the group is resized; a page area
    // that changes without that (tabs wrapping onto another row) is announced the same way.
    if (m_bar->height() != before) {
        QResizeEvent event(size(), size());
        QCoreApplication::sendEvent(this, &event);
    }
}

void TabGroup::SetMultiRow(bool on)
{
    m_bar->SetMultiRow(on);
    PlaceBar();
    update();
}

bool TabGroup::MultiRow() const { return m_bar->MultiRow(); }

void TabGroup::SetTabs(const QStringList &captions)
{
    const QSignalBlocker block(m_bar);
    const int current = m_bar->currentIndex();
    while (m_bar->count() > 0)
        m_bar->removeTab(m_bar->count() - 1);
    for (const QString &caption : captions)
        m_bar->addTab(caption);
    if (current >= 0 && current < m_bar->count())
        m_bar->setCurrentIndex(current);
    PlaceBar();
    update();
}

QStringList TabGroup::Tabs() const
{
    QStringList captions;
    for (int i = 0; i < m_bar->count(); ++i)
        captions << m_bar->tabText(i);
    return captions;
}

void TabGroup::SetCurrentTab(int index)
{
    const QSignalBlocker block(m_bar);
    if (index >= 1 && index <= m_bar->count())
        m_bar->setCurrentIndex(index - 1);
}

int TabGroup::CurrentTab() const
{
    return m_bar->currentIndex() + 1;
}

int TabGroup::TabAt(QPoint point) const
{
    return m_bar->TabIndexAt(m_bar->mapFrom(this, point)) + 1;
}

void TabGroup::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    const int top = m_bar->count() > 0 ? m_bar->height() : 0;
    option.rect = QRect(0, top, width(), height() - top);
    option.tabBarSize = m_bar->size();
    option.shape = QTabBar::RoundedNorth;
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

void TabGroup::resizeEvent(QResizeEvent *)
{
    PlaceBar();
}
