#pragma once

#include "support/IniFile.h"

#include <QString>
#include <QStringList>

// A site's declaration of custom fields: the profile name and page caption in section
// "Extension", a "Fields" list per object type in sections named after the type keyword plus
// "gx" (with "gxAny" for every type without a section of its own), and one section per field
// giving its "Caption" and its "Pos" in the extension value. A missing or unreadable file is
// an empty profile: no name, no caption, no fields.
class ExtensionProfile
{
public:
    // Field 1 of an extension value holds the profile name; fields live from 2 to 999.
    static constexpr int FirstFieldPos = 2;
    static constexpr int LastFieldPos = 999;

    ExtensionProfile() = default;
    explicit ExtensionProfile(IniFile ini) : m_ini(std::move(ini)) {}

    static ExtensionProfile Load(const QString &path);
    static ExtensionProfile FromText(const QString &text);

    QString Name() const;
    QString Caption() const;
    // The custom-properties page is offered only when both the name and caption are given.
    bool IsOffered() const { return !Name().isEmpty() && !Caption().isEmpty(); }

    // The keyword naming a type's section ("Edit" for text boxes); empty for a type without
    // one.
    static QString TypeKeyword(int typeCode);
    // The field names of a type in list order, trimmed, empty names dropped: the type's own
    // list, or the "gxAny" list when the type has none or an empty one.
    QStringList FieldNames(int typeCode) const;
    QString FieldCaption(const QString &field) const;
    // The field's position as written; 0 when missing or not a number.
    int FieldPos(const QString &field) const;
    static bool IsValidPos(int pos) { return pos >= FirstFieldPos && pos <= LastFieldPos; }

private:
    static QStringList SplitFields(const QString &list);

    IniFile m_ini;
};
