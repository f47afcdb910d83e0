#include "controls/TextBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedLayout>

TextBox::TextBox(QWidget *parent)
    : QWidget(parent), m_line(new QLineEdit(this)), m_multi(new QPlainTextEdit(this))
{
    auto *layout = new QStackedLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_line);
    layout->addWidget(m_multi);
    m_multi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_multi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->setCurrentWidget(m_line);
    setFocusProxy(m_line);
}

void TextBox::SetText(const QString &text)
{
    // One line shows the first line of a text with line breaks; the multi-line editor
    // keeps all of it for a switch to several lines.
    m_line->setText(text.section(QLatin1Char('\n'), 0, 0));
    m_line->setModified(false);
    if (m_multi->toPlainText() != text)
        m_multi->setPlainText(text);
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
    static_cast<QStackedLayout *>(layout())->setCurrentWidget(on ? static_cast<QWidget *>(m_multi)
                                                                 : m_line);
    setFocusProxy(on ? static_cast<QWidget *>(m_multi) : m_line);
    // The multi-line editor keeps every line of the text while one line is shown; only a
    // one-line text typed meanwhile replaces it.
    if (on && m_line->isModified())
        m_multi->setPlainText(m_line->text());
    else if (!on)
        m_line->setText(m_multi->toPlainText().section(QLatin1Char('\n'), 0, 0));
    m_line->setModified(false);
}

void TextBox::SetVerticalScrollBar(bool on)
{
    m_multi->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TextBox::SetPasswordChar(const QString &c)
{
    m_line->setEchoMode(c.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
}

void TextBox::SetReadOnly(bool on)
{
    m_line->setReadOnly(on);
    m_multi->setReadOnly(on);
}

void TextBox::SetAlignment(Qt::Alignment align)
{
    m_line->setAlignment(align | Qt::AlignVCenter);
    QTextOption option = m_multi->document()->defaultTextOption();
    option.setAlignment(align);
    m_multi->document()->setDefaultTextOption(option);
}

void TextBox::SetFrameShown(bool on)
{
    m_line->setFrame(on);
    m_multi->setFrameShape(on ? QFrame::StyledPanel : QFrame::NoFrame);
}
