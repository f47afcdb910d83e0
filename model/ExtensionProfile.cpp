#include "model/ExtensionProfile.h"

namespace {
constexpr QLatin1String kExtensionSection("Extension");
constexpr QLatin1String kAnySection("gxAny");
constexpr QLatin1String kFieldsKey("Fields");
constexpr QLatin1String kCaptionKey("Caption");

struct TypeKeywordRange {
    int first;
    int last;
    const char *keyword;
};

constexpr TypeKeywordRange kTypeKeywords[] = {
    {0, 1, "App"},       {5, 9, "Form"},      {15, 15, "Label"},    {16, 17, "Edit"},
    {29, 29, "Edit"},    {18, 18, "Command"}, {19, 19, "Option"},   {20, 20, "Check"},
    {21, 22, "List"},    {24, 24, "List"},    {34, 34, "List"},     {23, 23, "Combo"},
    {25, 25, "Picture"}, {26, 26, "Frame"},   {27, 28, "Grid"},     {30, 30, "Tabgrp"},
    {31, 31, "Tab"},     {32, 32, "Gauge"},   {33, 33, "Tree"},     {35, 35, "Timer"},
    {36, 36, "Browser"}, {75, 75, "Menu"},    {76, 76, "Popup"},    {77, 77, "Toolbar"},
    {78, 78, "Statusbar"},
};
} // namespace

ExtensionProfile ExtensionProfile::Load(const QString &path)
{
    return ExtensionProfile(IniFile::Load(path));
}

ExtensionProfile ExtensionProfile::FromText(const QString &text)
{
    return ExtensionProfile(IniFile::FromText(text));
}

QString ExtensionProfile::Name() const
{
    return m_ini.ReadString(kExtensionSection, QStringLiteral("Name"));
}

QString ExtensionProfile::Caption() const
{
    return m_ini.ReadString(kExtensionSection, kCaptionKey);
}

QString ExtensionProfile::TypeKeyword(int typeCode)
{
    for (const auto &range : kTypeKeywords) {
        if (typeCode >= range.first && typeCode <= range.last)
            return QString::fromLatin1(range.keyword);
    }
    return {};
}

QStringList ExtensionProfile::FieldNames(int typeCode) const
{
    QStringList fields;
    const QString keyword = TypeKeyword(typeCode);
    // A type without a keyword must not fall on a section named plain "gx".
    if (!keyword.isEmpty())
        fields = SplitFields(m_ini.ReadString(keyword + QStringLiteral("gx"), kFieldsKey));
    if (fields.isEmpty())
        fields = SplitFields(m_ini.ReadString(kAnySection, kFieldsKey));
    return fields;
}

QString ExtensionProfile::FieldCaption(const QString &field) const
{
    return m_ini.ReadString(field, kCaptionKey);
}

int ExtensionProfile::FieldPos(const QString &field) const
{
    return m_ini.ReadInt(field, QStringLiteral("Pos"), 0);
}

QStringList ExtensionProfile::SplitFields(const QString &list)
{
    QStringList fields;
    for (const QString &name : list.split(QLatin1Char(','))) {
        const QString trimmed = name.trimmed();
        if (!trimmed.isEmpty())
            fields.append(trimmed);
    }
    return fields;
}
