#pragma once

#include "support/GuiError.h"

#include <gtest/gtest.h>

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

// The GuiError a call raises; when it raises none, the test fails.
template <typename Call>
GuiError Raised(Call &&call)
{
    try {
        call();
    } catch (const GuiError &e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return GuiError(0, QStringLiteral("none"));
}
