#include "designer/WidgetControl.h"

#include "model/Vocabulary.h"
#include "support/PlatformMetrics.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <cmath>

WidgetControl::WidgetControl(int kind, QWidget *widget) : m_kind(kind), m_widget(widget) {}

WidgetControl::~WidgetControl()
{
    delete m_widget.data();
}

int WidgetControl::ToPixelsX(int twips)
{
    return int(std::lround(double(twips) / qMax(1, PlatformMetrics::Current().TwipsPerPixelX)));
}

int WidgetControl::ToPixelsY(int twips)
{
    return int(std::lround(double(twips) / qMax(1, PlatformMetrics::Current().TwipsPerPixelY)));
}

QColor WidgetControl::ToColor(qint32 colour)
{
    quint32 value = quint32(colour);
    if (value & 0x80000000u) {
        const auto &metrics = PlatformMetrics::Current();
        const quint32 index = value & 0xFFu;
        value = index < quint32(metrics.SystemColours.size()) ? metrics.SystemColours[index] : 0;
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void WidgetControl::SetContainer(iDesignControl *container)
{
    m_container = container;
    if (!m_widget)
        return;
    if (QWidget *client = ClientOf(container); client && client != m_widget->parentWidget()) {
        const bool shown = m_visible;
        m_widget->setParent(client);
        ApplyGeometry();
        m_widget->setVisible(shown);
    }
}

void WidgetControl::Move(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = qMax(0, width);
    m_height = qMax(0, height);
    ApplyGeometry();
}

void WidgetControl::ApplyGeometry()
{
    if (m_widget)
        m_widget->setGeometry(ToPixelsX(m_left), ToPixelsY(m_top), ToPixelsX(m_width),
                              ToPixelsY(m_height));
}

void WidgetControl::SetVisible(bool visible)
{
    m_visible = visible;
    if (m_widget)
        m_widget->setVisible(visible);
}

void WidgetControl::BringToFront()
{
    if (m_widget)
        m_widget->raise();
}

void WidgetControl::SetFont(const DesignFont &font)
{
    m_font = font;
    if (!m_widget || font.Name.isEmpty())
        return;
    QFont f(font.Name);
    if (font.Size > 0)
        f.setPointSizeF(font.Size);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    m_widget->setFont(f);
}

bool WidgetControl::HasFont() const
{
    using namespace Vocabulary;
    switch (m_kind) {
    case Type::Picture:
    case Type::Browser:
    case Type::Timer:
    case Type::Gauge:
    case Type::SelectionSizer: return false;
    default: return true;
    }
}

void WidgetControl::SetForeColor(qint32 colour)
{
    m_foreColor = colour;
    if (!m_widget)
        return;
    QPalette palette = m_widget->palette();
    palette.setColor(QPalette::WindowText, ToColor(colour));
    palette.setColor(QPalette::Text, ToColor(colour));
    palette.setColor(QPalette::ButtonText, ToColor(colour));
    m_widget->setPalette(palette);
}

void WidgetControl::SetBackColor(qint32 colour)
{
    m_backColor = colour;
    if (!m_widget)
        return;
    QPalette palette = m_widget->palette();
    palette.setColor(QPalette::Window, ToColor(colour));
    palette.setColor(QPalette::Base, ToColor(colour));
    palette.setColor(QPalette::Button, ToColor(colour));
    m_widget->setPalette(palette);
}

void WidgetControl::SetBorder(int border)
{
    m_border = border;
    if (auto *frame = qobject_cast<QFrame *>(m_widget.data()))
        frame->setFrameStyle(border == 0   ? QFrame::NoFrame
                             : border == 1 ? QFrame::Box | QFrame::Plain
                                           : QFrame::Panel | QFrame::Sunken);
}

void WidgetControl::SetText(const QString &text)
{
    m_text = text;
    if (auto *label = qobject_cast<QLabel *>(m_widget.data()))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(m_widget.data()))
        button->setText(text);
}

QWidget *WidgetOf(const iDesignControl *control)
{
    const auto *widgetControl = dynamic_cast<const WidgetControl *>(control);
    return widgetControl ? widgetControl->Widget() : nullptr;
}

QWidget *ClientOf(const iDesignControl *control)
{
    const auto *widgetControl = dynamic_cast<const WidgetControl *>(control);
    return widgetControl ? widgetControl->Client() : nullptr;
}
