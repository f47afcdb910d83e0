#pragma once

#include "support/Marks.h"

#include <QString>
#include <QStringList>

// The benchmark project: one application; forms of one form item and 99 labels; ten
// properties per object. Generated in memory form (marks, not line breaks).
inline QString BenchProject(int objects)
{
    auto rec = [](const QStringList &fields) { return fields.join(QChar(Marks::Value)); };
    QStringList recs{rec({"TEMPLATE", "45000", "bench"}), rec({"0", "1.4", "0"}),
                     rec({"2", "APP", "", "1", "0", "0", "80", "30", "1073741824"})};
    const QStringList props{"22", "15", "14", "16", "17", "18", "19", "68", "9", "8"};
    const QStringList values{"Caption", "255", "16777215", "Courier New", "10", "1", "1", "1", "0", "0"};
    int made = 1;
    for (int form = 0; made < objects; ++form) {
        const QString f = QStringLiteral("APP*F%1").arg(form);
        recs << rec({"2", f, "", "8", "auto", "auto", "60", "40", "1"});
        for (int p = 0; p < props.size(); ++p)
            recs << rec({"4", "", props[p], "", "", p == 0 ? f : values[p]});
        ++made;
        for (int c = 0; c < 99 && made < objects; ++c, ++made) {
            recs << rec({"2", f + QStringLiteral("*L%1").arg(c), "", "15", QString::number(c % 50),
                         QString::number(c / 50), "10", "1", "0"});
            for (int p = 0; p < props.size(); ++p)
                recs << rec({"4", "", props[p], "", "", values[p]});
        }
    }
    recs << rec({"0", "-1"});
    return recs.join(QChar(Marks::Attribute));
}
