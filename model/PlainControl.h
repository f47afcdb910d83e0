#pragma once

#include "model/DesignControlBase.h"

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

    PlainForm *m_form;
    int m_index;
    int m_moveCount = 0;
    // The control's place in its form's z-order, a list through the instances themselves: its
    // neighbours behind and in front. The form's surface, menu and timer are not in it.
    PlainControl *m_behind = nullptr;
    PlainControl *m_inFront = nullptr;
};
