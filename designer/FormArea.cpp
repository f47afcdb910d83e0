#include "designer/FormArea.h"

#include <QScreen>

FormArea::FormArea(QWidget *parent)
    : QMdiArea(parent)
{
    // With scroll bars the toolkit's least size does not visit the windows either.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setBackground(QColor(171, 171, 171));
}

QSize FormArea::sizeHint() const
{
    // Two thirds of the desktop, as the toolkit's area starts from.
    const QScreen *shown = screen();
    const QSize desktop = shown ? shown->virtualSize() : QSize(1024, 768);
    return desktop * 2 / 3;
}
