#pragma once

// A program folder of the test's own whose settings stay inside it (appstate.ini beside the
// program), so that no test reads or writes the user's settings.
#include "FileBytes.h"

#include <QTemporaryDir>

struct ProgramFolder
{
    ProgramFolder()
    {
        PutFileBytes(dir.filePath("cvwin70.ini"), "[Isolation]\r\nPersistSettings=2\r\nAppDataDirectory=.\r\n");
    }
    QString AppState() const { return dir.filePath("appstate.ini"); }
    QTemporaryDir dir;
};
