#include "app/Startup.h"

#include "app/ProcessState.h"
#include "model/Vocabulary.h"

namespace Startup {

void InitialiseProcess(ProcessState &state)
{
    // Every supported platform is past the old version thresholds.
    state.IsXpOrLater = true;
    state.IsVistaOrLater = true;
    state.ReadLocale();
    state.ReadBehavior();
    state.ReadMetrics();
    state.Connection.SetMode(1);
    state.HostType = QStringLiteral("mvdb");
    state.Settings.LoadSettings();
    state.UndoBuffer.Initialise(QString(), DynamicArray::UndoDelimiters());
    state.EventNames = Vocabulary::EventNameList().split(QLatin1Char(','));
    state.EventCaptions = Vocabulary::EventCaptionList().split(QLatin1Char(','));
}

void SaveOnShutdown(ProcessState &state)
{
    state.Settings.SaveSettings();
}

} // namespace Startup
