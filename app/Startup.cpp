#include "app/Startup.h"

#include "app/ProcessState.h"

namespace Startup {

void InitialiseProcess(ProcessState &state)
{
    // Every supported platform is past the old version thresholds.
    state.IsXpOrLater = true;
    state.IsVistaOrLater = true;
    state.ReadLocale();
    state.ReadBehavior();
    state.ReadMetrics();
    state.HostType = QStringLiteral("mvdb");
    state.Settings.LoadSettings();
    state.UndoBuffer.Initialise(QString(), DynamicArray::UndoDelimiters());
}

void SaveOnShutdown(ProcessState &state)
{
    state.Settings.SaveSettings();
}

} // namespace Startup
