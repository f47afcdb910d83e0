#include "model/PlainControl.h"

#include "model/PlainForm.h"

PlainControl::PlainControl(PlainForm *form, int kind, int index)
    : DesignControlBase(kind), m_form(form), m_index(index)
{
}

int PlainControl::ZIndex() const
{
    return m_form ? m_form->ZIndexOf(this) : -1;
}

void PlainControl::Move(int left, int top, int width, int height)
{
    DesignControlBase::Move(left, top, width, height);
    ++m_moveCount;
}

void PlainControl::BringToFront()
{
    if (m_form)
        m_form->BringToFront(this);
}

