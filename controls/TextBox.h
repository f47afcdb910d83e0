#pragma once

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

// A text box: one line (optionally masked by a password character) or several lines with an
// optional vertical scroll bar. Switching between the variants keeps the text.
class TextBox : public QWidget
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    void SetText(const QString &text);
    QString Text() const;
    void SetMultiLine(bool on);
    bool IsMultiLine() const { return m_multiLine; }
    void SetVerticalScrollBar(bool on);
    // An empty string shows the text; any other masks every character.
    void SetPasswordChar(const QString &c);
    void SetReadOnly(bool on);
    void SetAlignment(Qt::Alignment align);
    void SetFrameShown(bool on);

    QLineEdit *LineEdit() const { return m_line; }
    QPlainTextEdit *TextEdit() const { return m_multi; }

private:
    QLineEdit *m_line;
    QPlainTextEdit *m_multi;
    bool m_multiLine = false;
};
