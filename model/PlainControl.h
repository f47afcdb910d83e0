#pragma once

#include "model/DesignControlBase.h"

#include <map>
#include <optional>

class PlainForm;

// A design control without a window: it records what the wrappers set, for the command-line
// tool and the tests, and keeps its place in its form's z-order.
class PlainControl final : public DesignControlBase
{
public:
    PlainControl(PlainForm *form, int kind, int index);

    // The element index within the form's set of this kind (the prototype is 0).
    int Index() const { return m_index; }
    // Position in the form's z-order; higher is nearer the front; -1 when not listed.
    int ZIndex() const;

    void Move(int left, int top, int width, int height) override;
    void BringToFront() override;
    int MoveCount() const { return m_moveCount; }

private:
    friend class PlainForm;
    using ZOrder = std::map<quint64, PlainControl *>;

    PlainForm *m_form;
    int m_index;
    int m_moveCount = 0;
    // The control's place in its form's z-order; none for the form's surface, menu and timer,
    // which are not in it.
    std::optional<ZOrder::iterator> m_place;
};
