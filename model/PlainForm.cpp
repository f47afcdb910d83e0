#include "model/PlainForm.h"

#include "model/PlainControl.h"
#include "model/PlainSizer.h"
#include "model/Vocabulary.h"

#include <algorithm>

using namespace Vocabulary;

PlainForm::PlainForm(int type)
    : m_type(type), m_surface(std::make_unique<PlainControl>(this, type, 0))
{
}

PlainForm::~PlainForm()
{
    // Front to back: the newest first, which hands memory back in the order it was taken.
    for (PlainControl *control = m_frontmost; control;) {
        PlainControl *const behind = control->m_behind;
        delete control;
        control = behind;
    }
}

iDesignControl *PlainForm::CreateControlInstance(int type)
{
    if (m_refused.count(type))
        return nullptr;
    if (type == Type::Timer) {
        if (!m_timer)
            m_timer = std::make_unique<PlainControl>(this, Type::Timer, 0);
        return m_timer.get();
    }
    const int set = InstanceSetOf(type);
    if (set == 0)
        return nullptr;
    const int index = ++m_upperBound[set];
    auto *control = new PlainControl(this, type, index);
    m_instances.insert(control, control);
    control->SetContainer(m_surface.get());
    PutInFront(control);
    return control;
}

void PlainForm::DeleteControlInstance(int, iDesignControl *control)
{
    if (!control || control == m_timer.get())
        return;
    // Looked up, never searched: deleting the controls of a large form stays linear.
    PlainControl *const owned = m_instances.take(control);
    if (!owned)
        return;
    Unlink(owned);
    delete owned;
}

iDesignControl *PlainForm::Surface()
{
    return m_surface.get();
}

iDesignControl *PlainForm::MenuControl()
{
    if (!m_menu)
        m_menu = std::make_unique<PlainControl>(this, Type::Menu, 0);
    return m_menu.get();
}

void PlainForm::SetInsets(int left, int top, int right, int bottom)
{
    m_insetLeft = left;
    m_insetTop = top;
    m_insetRight = right;
    m_insetBottom = bottom;
}

iItemSizer *PlainForm::CreateSizer()
{
    m_sizers.push_back(std::make_unique<PlainSizer>());
    return m_sizers.back().get();
}

void PlainForm::DeleteSizer(iItemSizer *sizer)
{
    auto it = std::find_if(m_sizers.begin(), m_sizers.end(),
                           [sizer](const auto &p) { return p.get() == sizer; });
    if (it != m_sizers.end())
        m_sizers.erase(it);
}

int PlainForm::ZIndexOf(const PlainControl *control) const
{
    if (!control || control->m_form != this || !InZOrder(control))
        return -1;
    int index = 0;
    for (const PlainControl *behind = control->m_behind; behind; behind = behind->m_behind)
        ++index;
    return index;
}

void PlainForm::BringToFront(PlainControl *control)
{
    // Already in front: the common case while a form loads, its controls one after another.
    if (!control || control->m_form != this || !InZOrder(control) || control == m_frontmost)
        return;
    Unlink(control);
    PutInFront(control);
}

bool PlainForm::InZOrder(const PlainControl *control) const
{
    return control->m_behind || control->m_inFront || control == m_frontmost;
}

void PlainForm::Unlink(PlainControl *control)
{
    (control->m_behind ? control->m_behind->m_inFront : m_backmost) = control->m_inFront;
    (control->m_inFront ? control->m_inFront->m_behind : m_frontmost) = control->m_behind;
    control->m_behind = control->m_inFront = nullptr;
}

void PlainForm::PutInFront(PlainControl *control)
{
    control->m_behind = m_frontmost;
    (m_frontmost ? m_frontmost->m_inFront : m_backmost) = control;
    m_frontmost = control;
}
