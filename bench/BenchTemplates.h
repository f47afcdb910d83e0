#pragma once

#include <QFileInfo>
#include <QString>

// The template folder a benchmark works with: its first argument, else GuiLib found from the
// working folder (the source tree or the build tree's bench folder). Empty when there is none.
inline QString BenchTemplateFolder(int argc, char **argv)
{
    if (argc > 1)
        return QString::fromLocal8Bit(argv[1]);
    for (const char *candidate : {"GuiLib", "../GuiLib", "../../GuiLib"}) {
        if (QFileInfo(QString::fromLatin1(candidate) + "/Standard.tpl").exists())
            return QString::fromLatin1(candidate);
    }
    return {};
}
