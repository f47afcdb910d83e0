#pragma once

// The program's title: the caption of every message box and of the main window.
inline constexpr char ProgramTitle[] = "Corvane GUI Designer";
