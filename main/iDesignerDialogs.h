#pragma once

#include "designer/frmRecover.h"

#include <QList>

// The modal windows behind the designer's own commands and its start: Preferences, the help
// topics, About, and the offer of work left behind. The designer shows its own unless it was
// given others (tests count or answer them instead).
class iDesignerDialogs
{
public:
    virtual ~iDesignerDialogs() = default;

    virtual void ShowSettings() = 0;
    virtual void ShowHelpTopics() = 0;
    virtual void ShowAbout() = 0;
    // As the designer unloads, when the help topics were shown.
    virtual void CloseHelp() = 0;
    // The work left behind, a row each; the checked rows come back in chosen.
    virtual frmRecover::Choice ChooseRecovery(const QList<frmRecover::Row> &rows,
                                              QList<int> &chosen) = 0;
};
