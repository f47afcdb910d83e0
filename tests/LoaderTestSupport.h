#pragma once
// Builds project texts for the loader tests: records and fields written as lists.
#include "support/Marks.h"

#include <QString>
#include <QStringList>
#include <initializer_list>

namespace LoaderText {
inline QString Record(std::initializer_list<QString> fields)
{
    return QStringList(fields).join(QChar(Marks::Value));
}
inline QString Project(const QStringList &body, const QString &version = QStringLiteral("1.4"),
                       const QString &scale = QStringLiteral("0"))
{
    QStringList recs{Record({"TEMPLATE", "36526.5", "hdr"}), Record({"0", version, scale})};
    recs += body;
    recs << Record({"0", "-1"});
    return recs.join(QChar(Marks::Attribute));
}
inline QString Create(const QString &path, int type, const QString &parent = {},
                      const QString &left = QStringLiteral("1"), const QString &top = QStringLiteral("1"))
{
    return Record({"2", path, parent, QString::number(type), left, top, "10", "2", "0"});
}
inline QString Prop(int code, const QString &value, const QString &id = {})
{
    return Record({"4", id, QString::number(code), "", "", value});
}
inline QString MinimalApp()
{
    return Record({"2", "APP", "", "0", "0", "0", "80", "30", "1073741825"});
}
} // namespace LoaderText
