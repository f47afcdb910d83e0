#pragma once

#include "support/GuiError.h"

// Implemented by a window with text fields so that the Edit menu's clipboard commands reach
// its fields while it has the focus. A window overrides what it supports; the rest fail with
// the standard not-implemented error.
class iClipFuncs
{
public:
    virtual ~iClipFuncs() = default;

    virtual void Cut() { NotImplemented(); }
    virtual void Copy() { NotImplemented(); }
    virtual void Paste() { NotImplemented(); }
    virtual void SelectAll() { NotImplemented(); }
    // Whether a field's whole text is selected when it gains the focus.
    virtual bool AutoSelect() const
    {
        NotImplemented();
        return false;
    }
    virtual void SetAutoSelect(bool autoSelect)
    {
        (void)autoSelect;
        NotImplemented();
    }

protected:
    [[noreturn]] static void NotImplemented() { throw GuiError(GuiErrors::NotImplemented); }
};
