#include "app/DefaultIds.h"

#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

using namespace Vocabulary;

namespace {
// Every type code of the type table, in table order (the first code of a name wins).
constexpr int KnownTypes[] = {0, 1, 5, 6, 7, 8, 9, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,
                              25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 75, 76, 77, 78};

bool IsBarName(const QString &name)
{
    return name == QLatin1String("Menu") || name == QLatin1String("Popup")
        || name == QLatin1String("Toolbar") || name == QLatin1String("Statusbar");
}
} // namespace

int DefaultIds::TypeOfName(const QString &typeName)
{
    for (int type : KnownTypes) {
        if (typeName.compare(TypeKeyword(type, true), Qt::CaseInsensitive) == 0
            || typeName.compare(TypeKeyword(type, false), Qt::CaseInsensitive) == 0)
            return type;
    }
    return -2;
}

QString DefaultIds::CanonicalTypeName(const QString &typeName)
{
    const int type = TypeOfName(typeName);
    return type == -2 ? typeName : TypeKeyword(type, true);
}

QString DefaultIds::Next(const clsItems &items, const QString &base, const QString &prefix,
                         bool baseFirst, const QSet<QString> &avoidUpper)
{
    auto isFree = [&](const QString &candidate) {
        return !items.Contains(prefix + candidate) && !avoidUpper.contains(candidate.toUpper());
    };
    if (baseFirst && isFree(base))
        return base;
    // The registry and the avoid set are finite, so a free number is always found.
    for (qint64 n = baseFirst ? 2 : 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (isFree(candidate))
            return candidate;
    }
}

QString DefaultIds::ForType(const clsItems &items, const QString &typeName, const clsControl *app,
                            const clsControl *activeForm, const QSet<QString> &avoidUpper)
{
    const QString name = CanonicalTypeName(typeName);
    const QChar star(QLatin1Char('*'));
    if (name == QLatin1String("App"))
        return Next(items, QStringLiteral("GUIAPP"), QString(), true, avoidUpper);
    // Forms and the application's own bars share the application's child list, so each
    // avoids the other's IDs.
    auto withAppChildren = [&](const clsControl &application) {
        QSet<QString> avoid = avoidUpper;
        for (const auto &entry : application.Children())
            avoid.insert(entry.Key);
        return avoid;
    };
    if (name == QLatin1String("Form")) {
        if (!app)
            return {};
        return Next(items, name, app->FullID() + star, false, withAppChildren(*app));
    }
    if (IsBarName(name)) {
        QString prefix;
        if (activeForm)
            prefix = activeForm->FullID() + star;
        else if (app)
            return Next(items, name, app->FullID() + star + star, true, withAppChildren(*app));
        else
            return {};
        return Next(items, name, prefix, true, avoidUpper);
    }
    if (!activeForm)
        return {};
    return Next(items, name, activeForm->FullID() + star, false, avoidUpper);
}
