#pragma once

#include <QIcon>
#include <QString>

// The designer's own icon for its windows: the pictures installed beside the program
// (programFolder/../share/icons/hicolor, which is also where a build draws them), else the
// icon theme's, else none.
QIcon ProgramIcon(const QString &programFolder);
