#pragma once

#include "support/GuiError.h"

// The number of the GuiError a call raises; 0 when it raises none.
template <typename Call>
int ErrorOf(Call &&call)
{
    try {
        call();
    } catch (const GuiError &e) {
        return e.Number();
    }
    return 0;
}
