#include "controls/ucFakeBrowser.h"

#include "support/GuiError.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>

ucFakeBrowser::ucFakeBrowser(QWidget *parent)
    : QWidget(parent), m_icon(new QLabel(this)), m_title(new QLabel(this))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(32, 32));
    m_icon->setFixedSize(32, 32);
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The icon and the title are part of the box: their mouse events are the box's.
    m_icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);
    UpdateTitle();
}

void ucFakeBrowser::SetAppearance(int appearance)
{
    if (appearance < -1 || appearance > 1)
        throw GuiError(GuiErrors::InvalidPropertyValue);
    if (appearance == m_appearance)
        return;
    m_appearance = appearance;
    update();
    Q_EMIT PropertyChanged(QStringLiteral("Appearance"));
}

void ucFakeBrowser::SetBorderStyle(int style)
{
    if (style < 0 || style > 1)
        throw GuiError(GuiErrors::InvalidPropertyValue);
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    update();
    Q_EMIT PropertyChanged(QStringLiteral("BorderStyle"));
}

void ucFakeBrowser::SetURL(const QString &url)
{
    if (url == m_url)
        return;
    m_url = url;
    UpdateTitle();
    Q_EMIT PropertyChanged(QStringLiteral("URL"));
}

void ucFakeBrowser::SetHTML(const QString &html)
{
    if (html == m_html)
        return;
    m_html = html;
    Q_EMIT PropertyChanged(QStringLiteral("HTML"));
}

QString ucFakeBrowser::Title() const
{
    return FullTitle();
}

QString ucFakeBrowser::FullTitle() const
{
    return m_url.isEmpty() ? QStringLiteral("Web browser") : m_url;
}

void ucFakeBrowser::UpdateTitle()
{
    // A long URL ends in an ellipsis; the whole of it is the tool tip.
    const QString title = FullTitle();
    m_title->setText(m_title->fontMetrics().elidedText(title, Qt::ElideRight,
                                                       qMax(0, m_title->width())));
    m_title->setToolTip(title);
}

void ucFakeBrowser::resizeEvent(QResizeEvent *)
{
    const int margin = 6;
    m_icon->move(margin, margin);
    m_title->setGeometry(margin * 2 + m_icon->width(), margin,
                         qMax(0, width() - m_icon->width() - margin * 3), m_icon->height());
    UpdateTitle();
}

void ucFakeBrowser::paintEvent(QPaintEvent *)
{
    if (m_borderStyle == 0)
        return;
    QPainter painter(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    if (m_appearance == 0) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(r);
        return;
    }
    // A sunken edge: dark on the top and left, light on the bottom and right.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
    painter.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
}
