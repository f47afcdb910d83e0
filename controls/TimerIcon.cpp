#include "controls/TimerIcon.h"

#include <QPainter>

TimerIcon::TimerIcon(QWidget *parent) : QWidget(parent)
{
    resize(Side, Side);
}

void TimerIcon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1.0));
    painter.setBrush(palette().color(QPalette::Button));
    painter.drawRect(box);
    const QRectF face = box.adjusted(4, 4, -4, -4);
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawEllipse(face);
    const QPointF centre = face.center();
    painter.setPen(QPen(palette().color(QPalette::Text), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(0, -face.height() * 0.38));
    painter.drawLine(centre, centre + QPointF(face.width() * 0.28, 0));
}
