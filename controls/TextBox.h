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
    // A box made with several lines makes its one-line editor only when it is asked for.
    explicit TextBox(QWidget *parent = nullptr, bool multiLine = false);

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

    QLineEdit *LineEdit() { return Line(); }
    // nullptr until the box first has several lines.
    QPlainTextEdit *TextEdit() const { return m_multi; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;

private:
    QPlainTextEdit *Multi();
    QLineEdit *Line();
    QWidget *Shown();

    QLineEdit *m_line = nullptr;
    QPlainTextEdit *m_multi = nullptr;
    bool m_scrollBar = false;
    bool m_readOnly = false;
    bool m_frameShown = true;
    bool m_password = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    QString m_text; // the text as last set, all its lines
    bool m_multiLine = false;
};
