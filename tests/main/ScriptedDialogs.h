#pragma once

// The designer's dialogs for its tests: each command's dialog counts its calls instead of
// showing; the recovery offer keeps the rows it was offered ("ID<tab>document") and answers
// as told, choosing the first row.
#include "main/iDesignerDialogs.h"

#include <QStringList>

struct ScriptedDialogs final : iDesignerDialogs
{
    int Settings = 0;
    int HelpTopics = 0;
    int About = 0;
    QStringList Offered;
    frmRecover::Choice Answer = frmRecover::Choice::Recover;

    void ShowSettings() override { ++Settings; }
    void ShowHelpTopics() override { ++HelpTopics; }
    void ShowAbout() override { ++About; }
    void CloseHelp() override {}
    frmRecover::Choice ChooseRecovery(const QList<frmRecover::Row> &rows, QList<int> &chosen) override
    {
        for (const frmRecover::Row &row : rows)
            Offered << row.ApplicationID + u'\t' + row.DocumentName;
        chosen = {0};
        return Answer;
    }
};
