#include "support/TextReplace.h"

QString ReplacedEach(QStringView text, QStringView from, QStringView to)
{
    if (from.isEmpty())
        return text.toString();
    QString out;
    const qsizetype growth = to.size() - from.size();
    out.reserve(text.size() + (growth > 0 ? text.count(from) * growth : 0));
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(from); at >= 0; at = text.indexOf(from, start)) {
        out.append(text.mid(start, at - start));
        out.append(to);
        start = at + from.size();
    }
    out.append(text.mid(start));
    return out;
}

QString ReplacedEach(QStringView text, QChar from, QStringView to)
{
    return ReplacedEach(text, QStringView(&from, 1), to);
}
