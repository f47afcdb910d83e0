#include "support/ColourNames.h"

#include "support/PlatformMetrics.h"

#include <vector>

namespace {

struct ColourRow
{
    const char *Name;
    qint32 Value;
};

struct SystemCandidate
{
    const char *Name;
    int Index;
};

constexpr ColourRow StandardTable[ColourNames::StandardColourCount] = {
    {"Black", 0x000000},      {"Dark Blue", 0x800000},  {"Dark Green", 0x008000},
    {"Turquoise", 0x808000},  {"Dark Red", 0x000080},   {"Purple", 0x800080},
    {"Olive", 0x008080},      {"Light Gray", 0xC0C0C0}, {"Dark Gray", 0x808080},
    {"Blue", 0xFF0000},       {"Green", 0x00FF00},      {"Cyan", 0xFFFF00},
    {"Red", 0x0000FF},        {"Magenta", 0xFF00FF},    {"Yellow", 0x00FFFF},
    {"White", 0xFFFFFF},
};

// Alphabetical by name: the order the property sheet lists them in.
constexpr SystemCandidate SystemCandidates[ColourNames::SystemColourCandidateCount] = {
    {"3D Dark Shadow", 21},
    {"3D Face", 15},
    {"3D Highlight", 20},
    {"3D Light", 22},
    {"3D Shadow", 16},
    {"Active Border", 10},
    {"Active Caption Background", 2},
    {"Active Caption Text", 9},
    {"Alternate Button Face", 25},
    {"Application Workspace", 12},
    {"Button Text", 18},
    {"Desktop Background", 1},
    {"Gradient Active Caption", 27},
    {"Gradient Inactive Caption", 28},
    {"Gray Text", 17},
    {"Hotlight", 26},
    {"Inactive Border", 11},
    {"Inactive Caption Background", 3},
    {"Inactive Caption Text", 19},
    {"Menu Background", 4},
    {"Menu Bar Background", 30},
    {"Menu Highlight", 29},
    {"Menu Text", 7},
    {"Scrollbar", 0},
    {"Selected Item Background", 13},
    {"Selected Item Text", 14},
    {"Tooltip Background", 24},
    {"Tooltip Text", 23},
    {"Window Background", 5},
    {"Window Frame", 6},
    {"Window Text", 8},
};

qint32 SystemValue(int index)
{
    return ColourNames::SystemColourBase + index;
}

// The system rows kept at build time, as positions in SystemCandidates.
std::vector<int> &KeptSystemRows()
{
    static std::vector<int> rows;
    return rows;
}

bool PlatformAccepts(int index)
{
    const PlatformMetrics &metrics = PlatformMetrics::Current();
    return index >= 0 && index < PlatformMetrics::SystemColourCount
        && metrics.SystemColourAccepted[size_t(index)];
}

QString RgbText(qint32 rgb)
{
    return QStringLiteral("R=%1 G=%2 B=%3")
        .arg(rgb & 255)
        .arg((rgb >> 8) & 255)
        .arg((rgb >> 16) & 255);
}

} // namespace

void BuildColourTables()
{
    // The standard table is fixed data; only the system table depends on the platform.
    std::vector<int> &rows = KeptSystemRows();
    if (!rows.empty())
        return;
    for (int i = 0; i < ColourNames::SystemColourCandidateCount; ++i) {
        if (PlatformAccepts(SystemCandidates[i].Index))
            rows.push_back(i);
    }
}

void ClearColourTables()
{
    KeptSystemRows().clear();
}

QStringList StandardColourNames()
{
    QStringList names;
    for (const ColourRow &row : StandardTable)
        names.append(QString::fromLatin1(row.Name));
    return names;
}

QList<qint32> StandardColourValues()
{
    QList<qint32> values;
    for (const ColourRow &row : StandardTable)
        values.append(row.Value);
    return values;
}

QStringList SystemColourNames()
{
    BuildColourTables();
    QStringList names;
    for (int row : KeptSystemRows())
        names.append(QString::fromLatin1(SystemCandidates[row].Name));
    return names;
}

QList<qint32> SystemColourValues()
{
    BuildColourTables();
    QList<qint32> values;
    for (int row : KeptSystemRows())
        values.append(SystemValue(SystemCandidates[row].Index));
    return values;
}

int SystemColourTableCount()
{
    BuildColourTables();
    return int(KeptSystemRows().size());
}

qint32 ColourToRGB(qint32 value)
{
    if (value >= 0)
        return value;
    const int index = value & 0xFFFF;
    if (index >= PlatformMetrics::SystemColourCount)
        return 0;
    return qint32(PlatformMetrics::Current().SystemColours[size_t(index)] & 0xFFFFFFu);
}

QString DescribeColour(qint32 value)
{
    const qint32 rgb = ColourToRGB(value);
    if (value >= 0) {
        for (const ColourRow &row : StandardTable) {
            if (row.Value == value)
                return QString::fromLatin1(row.Name) + QStringLiteral(" (standard color) ")
                    + RgbText(rgb);
        }
        return QStringLiteral("custom color: ") + RgbText(rgb);
    }

    BuildColourTables();
    for (int row : KeptSystemRows()) {
        if (SystemValue(SystemCandidates[row].Index) == value)
            return QString::fromLatin1(SystemCandidates[row].Name)
                + QStringLiteral(" (system color) ") + RgbText(rgb);
    }
    return QStringLiteral("unknown system color %1 ").arg(value & 255) + RgbText(rgb);
}

bool ParseColourValue(const QString &text, qint32 &value)
{
    QStringView view = QStringView(text).trimmed();
    bool ok = false;
    quint64 magnitude = 0;
    if (view.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        view = view.mid(2);
        if (view.endsWith(QLatin1Char('&')))
            view.chop(1);
        // toULongLong would also take a sign, blanks or a "0x" prefix: only digits are valid.
        if (view.isEmpty() || view.size() > 8)
            return false;
        for (QChar c : view) {
            const char16_t u = c.unicode();
            if (!((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f')))
                return false;
        }
        magnitude = view.toULongLong(&ok, 16);
        if (!ok)
            return false;
        value = qint32(quint32(magnitude));
        return true;
    }

    if (view.endsWith(QLatin1Char('&')))
        view.chop(1);
    bool negative = false;
    if (view.startsWith(QLatin1Char('-')) || view.startsWith(QLatin1Char('+'))) {
        negative = view.front() == QLatin1Char('-');
        view = view.mid(1);
    }
    if (view.isEmpty() || view.size() > 10)
        return false;
    for (QChar c : view) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    }
    magnitude = view.toULongLong(&ok, 10);
    if (!ok)
        return false;
    if (negative) {
        if (magnitude > 0x80000000ull)
            return false;
        value = qint32(-qint64(magnitude));
    } else {
        if (magnitude > 0xFFFFFFFFull)
            return false;
        value = qint32(quint32(magnitude));
    }
    return true;
}

QString FormatColourValue(qint32 value)
{
    if (value < 0)
        return QStringLiteral("&H%1").arg(quint32(value), 8, 16, QLatin1Char('0')).toUpper();
    return QString::number(value);
}
