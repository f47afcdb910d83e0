#pragma once

// QScintilla's headers use Qt's keyword macros, which this project builds without; they are
// lent to them here and nowhere else.
#define slots Q_SLOTS
#define signals Q_SIGNALS
#include <Qsci/qscilexercustom.h>
#include <Qsci/qsciscintilla.h>
#undef slots
#undef signals
