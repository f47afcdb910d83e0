#include "controls/TextBox.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

// The editor shown fills the box; the other one, when made, is hidden. The box places them
// itself rather than through a layout: a form holds hundreds of text boxes, and a layout
// each posts its requests and lays itself out again on every change while the form is made.
TextBox::TextBox(QWidget *parent, bool multiLine) : QWidget(parent), m_multiLine(multiLine)
{
    setFocusProxy(Shown());
}

QWidget *TextBox::Shown()
{
    return m_multiLine ? static_cast<QWidget *>(Multi()) : Line();
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
    // Measured as both editors would be; the one-line editor is made for it if need be.
    QLineEdit *line = const_cast<TextBox *>(this)->Line();
    return m_multi ? line->sizeHint().expandedTo(m_multi->sizeHint()) : line->sizeHint();
}

QSize TextBox::minimumSizeHint() const
{
    QLineEdit *line = const_cast<TextBox *>(this)->Line();
    return m_multi ? line->minimumSizeHint().expandedTo(m_multi->minimumSizeHint())
                   : line->minimumSizeHint();
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
        if (m_multiLine)
            m_multi->setGeometry(rect());
        else
            m_multi->hide();
    }
    return m_multi;
}

QLineEdit *TextBox::Line()
{
    // Made the first time the box has one line or is asked for it: a box of several lines
    // from the start (every one on a design form) never shows it.
    if (!m_line) {
        m_line = new QLineEdit(this);
        m_line->setAlignment(m_alignment | Qt::AlignVCenter);
        m_line->setEchoMode(m_password ? QLineEdit::Password : QLineEdit::Normal);
        m_line->setReadOnly(m_readOnly);
        m_line->setFrame(m_frameShown);
        m_line->setText(m_text.section(QLatin1Char('\n'), 0, 0));
        m_line->setModified(false);
        if (m_multiLine) {
            m_line->hide();
        } else {
            m_line->setGeometry(rect());
            if (isVisible())
                m_line->show();
        }
    }
    return m_line;
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
        Line()->setText(text.section(QLatin1Char('\n'), 0, 0));
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
    QWidget *shown = on ? static_cast<QWidget *>(Multi()) : Line();
    QWidget *hidden = on ? static_cast<QWidget *>(m_line) : m_multi;
    m_multiLine = on;
    // The focus goes along to the editor shown.
    const bool focused = hidden && hidden->hasFocus();
    shown->setGeometry(rect());
    shown->show();
    if (hidden)
        hidden->hide();
    setFocusProxy(shown);
    if (focused)
        shown->setFocus();
    // A one-line text typed meanwhile replaces the text; otherwise every line of the text
    // last set comes back.
    if (on) {
        m_multi->setPlainText(m_line && m_line->isModified() ? m_line->text() : m_text);
    } else {
        m_text = m_multi->toPlainText();
        m_line->setText(m_text.section(QLatin1Char('\n'), 0, 0));
    }
    if (m_line)
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
    m_password = !c.isEmpty();
    if (m_line)
        m_line->setEchoMode(m_password ? QLineEdit::Password : QLineEdit::Normal);
}

void TextBox::SetReadOnly(bool on)
{
    m_readOnly = on;
    if (m_line)
        m_line->setReadOnly(on);
    if (m_multi)
        m_multi->setReadOnly(on);
}

void TextBox::SetAlignment(Qt::Alignment align)
{
    m_alignment = align;
    if (m_line)
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
    if (m_line)
        m_line->setFrame(on);
    if (m_multi)
        m_multi->setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame);
}
