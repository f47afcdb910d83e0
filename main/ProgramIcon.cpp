#include "main/ProgramIcon.h"

#include <QDir>
#include <QFileInfo>

QIcon ProgramIcon(const QString &programFolder)
{
    static constexpr int Sizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
    const QString hicolor =
        QDir::cleanPath(programFolder + QStringLiteral("/../share/icons/hicolor"));
    QIcon icon;
    for (int size : Sizes) {
        const QString file =
            QStringLiteral("%1/%2x%2/apps/corvane-designer.png").arg(hicolor).arg(size);
        if (QFileInfo(file).isFile())
            icon.addFile(file, QSize(size, size));
    }
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("corvane-designer"));
    return icon;
}
