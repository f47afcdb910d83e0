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

PlainForm::~PlainForm() = default;

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
    auto owned = std::make_unique<PlainControl>(this, type, index);
    PlainControl *control = owned.get();
    m_instances.emplace(control, std::move(owned));
    control->SetContainer(m_surface.get());
    // The newest stamp is the largest: it goes at the end, without a search.
    control->m_place = m_zOrder.emplace_hint(m_zOrder.end(), ++m_nextStamp, control);
    return control;
}

void PlainForm::DeleteControlInstance(int, iDesignControl *control)
{
    if (!control || control == m_timer.get())
        return;
    // Looked up, never searched: deleting the controls of a large form stays linear.
    const auto it = m_instances.find(control);
    if (it == m_instances.end())
        return;
    m_zOrder.erase(*it->second->m_place);
    m_instances.erase(it);
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
    if (!control || control->m_form != this || !control->m_place)
        return -1;
    const decltype(m_zOrder)::const_iterator place = *control->m_place;
    return int(std::distance(m_zOrder.cbegin(), place));
}

void PlainForm::BringToFront(PlainControl *control)
{
    if (!control || control->m_form != this || !control->m_place)
        return;
    // Already in front: the common case while a form loads, its controls one after another.
    if ((*control->m_place)->first == m_nextStamp)
        return;
    auto node = m_zOrder.extract(*control->m_place);
    node.key() = ++m_nextStamp;
    control->m_place = m_zOrder.insert(m_zOrder.end(), std::move(node));
}
