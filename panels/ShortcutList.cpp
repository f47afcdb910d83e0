#include "panels/ShortcutList.h"

#include <QStringList>
#include <QVector>
#include <array>

namespace {

struct Row {
    QString Text;
    int Code;
};

const QVector<Row> &Rows()
{
    static const QVector<Row> rows = [] {
        QVector<Row> r;
        r.append({QStringLiteral("(none)"), 0});
        for (int c = 0; c < 26; ++c)
            r.append({QStringLiteral("Ctrl+") + QChar(u'A' + c), c + 1});
        // Function keys: plain, Shift+, Ctrl+, Ctrl+Shift+ in this order; the codes run
        // plain 27, Ctrl 39, Shift 51, Ctrl+Shift 63.
        const std::array<std::pair<const char *, int>, 4> blocks{
            {{"", 27}, {"Shift+", 51}, {"Ctrl+", 39}, {"Ctrl+Shift+", 63}}};
        for (const auto &[prefix, first] : blocks) {
            for (int n = 1; n <= 12; ++n)
                r.append({QLatin1String(prefix) + QLatin1Char('F') + QString::number(n),
                          first + n - 1});
        }
        // Editing keys: plain, Shift+, Ctrl+, Ctrl+Shift+.
        struct Key { const char *name; std::array<int, 4> codes; };
        const std::array<Key, 6> keys{{
            {"Insert", {82, 76, 75, 83}},
            {"Delete", {77, 78, 80, 81}},
            {"Home", {84, 86, 85, 87}},
            {"End", {88, 90, 89, 91}},
            {"PgUp", {92, 94, 93, 95}},
            {"PgDn", {96, 98, 97, 99}},
        }};
        const std::array<const char *, 4> modifiers{"", "Shift+", "Ctrl+", "Ctrl+Shift+"};
        for (const Key &key : keys) {
            for (int m = 0; m < 4; ++m)
                r.append({QLatin1String(modifiers[m]) + QLatin1String(key.name), key.codes[m]});
        }
        r.append({QStringLiteral("Esc"), 100});
        r.append({QStringLiteral("Shift+Esc"), 101});
        r.append({QStringLiteral("Alt+Bksp"), 79});
        return r;
    }();
    return rows;
}

} // namespace

namespace ShortcutList {

int Count()
{
    return int(Rows().size());
}

QString Text(int row)
{
    return row >= 0 && row < Count() ? Rows()[row].Text : QString();
}

int Code(int row)
{
    return row >= 0 && row < Count() ? Rows()[row].Code : 0;
}

QString KeyName(int row)
{
    if (row <= 0 || row >= Count())
        return {};
    QString name = Rows()[row].Text.toUpper();
    // The key table spells the backspace key "BKSPC".
    if (name == QLatin1String("ALT+BKSP"))
        name = QStringLiteral("ALT+BKSPC");
    return name;
}

int RowOf(int code)
{
    if (code == 0)
        return 0;
    for (int row = 1; row < Count(); ++row) {
        if (Rows()[row].Code == code)
            return row;
    }
    return 0;
}

} // namespace ShortcutList
