#pragma once

class ProcessState;

// The parts of start-up and shutdown that need no window.
namespace Startup {
// Process state up to the windows: platform flags and folders, locale separators,
// DisableThemes, screen sizes and cursors, marks and host type, settings (loaded), undo
// buffer, host connection mode and the event name lists.
void InitialiseProcess(ProcessState &state);
// After the windows have stored their positions: the designer's items are released by the
// caller first; this saves the settings.
void SaveOnShutdown(ProcessState &state);
} // namespace Startup
