#include "controls/ucProgressBar.h"

#include <QPainter>

#include <cmath>

ucProgressBar::ucProgressBar(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void ucProgressBar::SetValue(double value)
{
    if (!std::isfinite(value))
        value = 0;
    if (value != m_value) {
        m_value = value;
        update();
    }
}

void ucProgressBar::SetValueText(const QString &value)
{
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    SetValue(ok ? number : 0);
}

void ucProgressBar::SetRange(double min, double max)
{
    if (!std::isfinite(min) || !std::isfinite(max) || max <= min)
        return;
    m_min = min;
    m_max = max;
    update();
}

int ucProgressBar::FilledWidth(int width) const
{
    const double share = (qBound(m_min, m_value, m_max) - m_min) / (m_max - m_min);
    return int(std::lround(share * qMax(0, width)));
}

void ucProgressBar::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect().adjusted(1, 1, -1, -1);
    const int filled = FilledWidth(inner.width());
    if (filled > 0)
        painter.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()),
                         palette().color(QPalette::Highlight));
}
