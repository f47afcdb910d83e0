#include "controls/TextBox.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

// The editor shown fills the box; the other one, when made, is hidden. The box places them
// itself rather than through a layout: a form holds hundreds of text boxes, and a layout
// each posts its requests and lays itself out again on every change while the form is made.
TextBox::TextBox(QWidget *parent) : QWidget(parent), m_line(new QLineEdit(this))
{
    m_line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFocusProxy(m_line);
}

QWidget *TextBox::Shown() const
{
    return m_multiLine ? static_cast<QWidget *>(m_multi) : m_line;
}

bool TextBox::event(QEvent *event)
{
    // The editor shown fills the box. A box resized while hidden has its resize as it
    // shows, before its editors are visible.
    if (event->type() == QEvent::Resize)
        Shown()->setGeometry(rect());
    return QWidget::event(event);
}

QSize TextBox::sizeHint() const
{
    return m_multi ? m_line->sizeHint().expandedTo(m_multi->sizeHint()) : m_line->sizeHint();
}

QSize TextBox::minimumSizeHint() const
{
    return m_multi ? m_line->minimumSizeHint().expandedTo(m_multi->minimumSizeHint())
                   : m_line->minimumSizeHint();
}

QPlainTextEdit *TextBox::Multi()
{
    // Made the first time the box has several lines: most text boxes never do.
    if (!m_multi) {
        m_multi = new QPlainTextEdit(this);
        m_multi->setVerticalScrollBarPolicy(m_scrollBar ? Qt::ScrollBarAlwaysOn
                                                        : Qt::ScrollBarAlwaysOff);
        m_multi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_multi->setReadOnly(m_readOnly);
        m_multi->setFrameShape(m_frameShown ? QFrame::StyledPanel : QFrame::NoFrame);
        QTextOption option = m_multi->document()->defaultTextOption();
        option.setAlignment(m_alignment);
        m_multi->document()->setDefaultTextOption(option);
    }
    return m_multi;
}

void TextBox::SetText(const QString &text)
{
    m_text = text;
    // One line shows the first line of a text with line breaks; the whole text is kept for
    // a switch to several lines. Only the editor shown is filled: laying out a document
    // nobody sees is the dearest part of a new text box.
    if (m_multiLine) {
        if (m_multi->toPlainText() != text)
            m_multi->setPlainText(text);
    } else {
        m_line->setText(text.section(QLatin1Char('\n'), 0, 0));
        m_line->setModified(false);
    }
}

QString TextBox::Text() const
{
    return m_multiLine ? m_multi->toPlainText() : m_line->text();
}

void TextBox::SetMultiLine(bool on)
{
    if (on == m_multiLine)
        return;
    m_multiLine = on;
    QWidget *shown = on ? static_cast<QWidget *>(Multi()) : m_line;
    QWidget *hidden = on ? static_cast<QWidget *>(m_line) : m_multi;
    // The focus goes along to the editor shown.
    const bool focused = hidden->hasFocus();
    shown->setGeometry(rect());
    shown->show();
    hidden->hide();
    setFocusProxy(shown);
    if (focused)
        shown->setFocus();
    // A one-line text typed meanwhile replaces the text; otherwise every line of the text
    // last set comes back.
    if (on) {
        m_multi->setPlainText(m_line->isModified() ? m_line->text() : m_text);
    } else {
        m_text = m_multi->toPlainText();
        m_line->setText(m_text.section(QLatin1Char('\n'), 0, 0));
    }
    m_line->setModified(false);
}

void TextBox::SetVerticalScrollBar(bool on)
{
    m_scrollBar = on;
    if (m_multi)
        m_multi->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TextBox::SetPasswordChar(const QString &c)
{
    m_line->setEchoMode(c.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
}

void TextBox::SetReadOnly(bool on)
{
    m_readOnly = on;
    m_line->setReadOnly(on);
    if (m_multi)
        m_multi->setReadOnly(on);
}

void TextBox::SetAlignment(Qt::Alignment align)
{
    m_alignment = align;
    m_line->setAlignment(align | Qt::AlignVCenter);
    if (m_multi) {
        QTextOption option = m_multi->document()->defaultTextOption();
        option.setAlignment(align);
        m_multi->document()->setDefaultTextOption(option);
    }
}

void TextBox::SetFrameShown(bool on)
{
    m_frameShown = on;
    m_line->setFrame(on);
    if (m_multi)
        m_multi->setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame);
}
