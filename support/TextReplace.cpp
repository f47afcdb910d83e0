#include "support/TextReplace.h"

QString ReplacedEach(QStringView text, QChar from, QStringView to)
{
    QString out;
    out.reserve(text.size() + text.count(from) * (to.size() - 1));
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(from); at >= 0; at = text.indexOf(from, start)) {
        out.append(text.mid(start, at - start));
        out.append(to);
        start = at + 1;
    }
    out.append(text.mid(start));
    return out;
}
