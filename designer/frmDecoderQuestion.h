#pragma once

#include <QDialog>

class QPushButton;

// The question asked before going to an event handler when the event decoder is stale:
// Yes (1) and No (0) for this time, Always (2) and Never (3) to remember the choice.
// Escape and closing the window answer No.
class frmDecoderQuestion final : public QDialog
{
    Q_OBJECT
public:
    explicit frmDecoderQuestion(QWidget *parent = nullptr);

    static int Ask(QWidget *parent);
    int Answer() const { return m_answer; }
    // Buttons in the order of CodeDecoderQuestion::ButtonTexts().
    QPushButton *Button(int index) const { return m_buttons[index]; }

private:
    int m_answer = 0;
    QPushButton *m_buttons[4] = {};
};
