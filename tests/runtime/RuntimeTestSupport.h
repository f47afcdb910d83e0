#pragma once

// Shared by the runtime tests: the sample project as the host reads it, and short command
// builders.

#include "support/Marks.h"

#include <QFile>
#include <QString>
#include <QStringList>

namespace RuntimeTest {

inline QString Cmd(const QStringList &fields) { return fields.join(Marks::ValueMark()); }

// A stored project: records separated by CR LF, as the attribute marks of an item.
inline QString ReadProject(const QString &name)
{
    QFile file(QStringLiteral(CORVANE_SOURCE_DIR "/examples/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), Marks::AttributeMark());
    while (text.endsWith(Marks::AttributeMark()))
        text.chop(1);
    return text;
}

} // namespace RuntimeTest
