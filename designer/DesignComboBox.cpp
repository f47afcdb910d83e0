#include "designer/DesignComboBox.h"

#include <QCompleter>
#include <QLineEdit>
#include <QResizeEvent>

DesignComboBox::DesignComboBox(bool editable, QWidget *parent) : QComboBox(parent)
{
    // setEditable(true) would also set up the pop-up's list for editing, and the line edit
    // would get a completer over the box's rows, which has each row change reach it through
    // a proxy of them. Nobody types into a box on a design form: the line edit's completer
    // completes from nothing, and all the box shows is the line edit.
    if (editable) {
        auto *edit = new QLineEdit(this);
        edit->setCompleter(new QCompleter(edit));
        setLineEdit(edit);
    }
}

QSize DesignComboBox::sizeHint() const
{
    m_measured = true;
    return QComboBox::sizeHint();
}

void DesignComboBox::changeEvent(QEvent *event)
{
    // A combo box's font change makes the pop-up to give it the font, and forgets the size
    // hint worked out for the old one. Until this box has been measured there is no size hint
    // to forget, and a pop-up made later takes the box's font as it is made. The line edit is
    // placed for the new font as a resize places it.
    if (event->type() == QEvent::FontChange && !m_measured) {
        QResizeEvent resize(size(), size());
        QComboBox::resizeEvent(&resize);
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}
