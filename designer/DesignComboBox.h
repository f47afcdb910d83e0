#pragma once

#include <QComboBox>

// A combo box or drop-down list on a design form. It draws, measures and holds its rows as a
// combo box does, but never drops down: the designer takes a design form's input. Qt makes a
// combo box's pop-up (a window with a list view, a layout, scroll arrows and timers) when the
// box is made editable and when its font changes; made for every box of a big project, that
// is most of the cost of opening it. This box makes its pop-up only when it is asked for.
class DesignComboBox : public QComboBox
{
    Q_OBJECT
public:
    DesignComboBox(bool editable, QWidget *parent);

    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;

private:
    mutable bool m_measured = false;
};
