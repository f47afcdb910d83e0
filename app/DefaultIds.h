#pragma once

#include <QSet>
#include <QString>

class clsControl;
class clsItems;

// Free IDs for new objects. Candidates are tried in turn: the base itself (applications and
// form bars only), then the base followed by 1, 2, 3 ... (2, 3 ... where the base came
// first). A candidate is free when no item is registered under the prefix plus candidate
// (any case) and, when a set of IDs to avoid is given, the upper-cased candidate is not in it.
class DefaultIds
{
public:
    // The type name as the ID stem uses it: the short keyword of a known type name in any
    // case or form ("Textbox" gives "Text", "Popupmenu" gives "Popup", "label" gives
    // "Label"); any other name unchanged.
    static QString CanonicalTypeName(const QString &typeName);
    // The first type code a type name stands for; -2 for a name that is no type.
    static int TypeOfName(const QString &typeName);

    // The first free candidate. avoidUpper holds upper-cased IDs.
    static QString Next(const clsItems &items, const QString &base, const QString &prefix,
                        bool baseFirst, const QSet<QString> &avoidUpper = {});

    // The default ID for a new object of that type: "App" gives GUIAPP, GUIAPP2 ...; "Form"
    // gives Form1 ... in the application app; a control gives <type>1 ... in activeForm; a
    // form bar gives <type>, <type>2 ... in activeForm, or in app ("**") without an active
    // form. Empty when the object has nowhere to go (no application or form as needed).
    static QString ForType(const clsItems &items, const QString &typeName, const clsControl *app,
                           const clsControl *activeForm, const QSet<QString> &avoidUpper = {});
};
