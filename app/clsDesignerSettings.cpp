#include "app/clsDesignerSettings.h"

#include "app/PersistSettings.h"
#include "support/GuiError.h"

#include <optional>

namespace {
constexpr QLatin1String TrueWord("True");
constexpr QLatin1String FalseWord("False");

QString BoolWord(bool value) { return value ? TrueWord : FalseWord; }

// Stored booleans are the words True and False; numbers (0 false, anything else true) are
// accepted as older designers wrote them.
bool ToBool(const QString &text, bool defaultValue)
{
    const QString t = text.trimmed();
    if (t.compare(TrueWord, Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(FalseWord, Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int n = t.toInt(&ok);
    return ok ? n != 0 : defaultValue;
}

int ToInt(const QString &text, int defaultValue)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : defaultValue;
}

// The number a text begins with, 0 when it begins with none.
int LeadingNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype end = 0;
    if (end < t.size() && (t[end] == QLatin1Char('-') || t[end] == QLatin1Char('+')))
        ++end;
    while (end < t.size() && end < 10 && t[end].unicode() >= '0' && t[end].unicode() <= '9')
        ++end;
    return t.left(end).toInt();
}
} // namespace

QStringList clsDesignerSettings::WindowPositionKeys()
{
    return {QStringLiteral("PropertiesLeft"), QStringLiteral("PropertiesTop"),
            QStringLiteral("LoadCodeLeft"),   QStringLiteral("LoadCodeTop"),
            QStringLiteral("UpdateLeft"),     QStringLiteral("UpdateTop"),
            QStringLiteral("PreviewLeft"),    QStringLiteral("PreviewTop"),
            QStringLiteral("MainLeft"),       QStringLiteral("MainTop"),
            QStringLiteral("MainWidth"),      QStringLiteral("MainHeight"),
            QStringLiteral("MainWindowState"), QStringLiteral("ProjectSplitPos")};
}

QString clsDesignerSettings::ReadValue(const QString &name, const QString &defaultValue) const
{
    return m_store ? m_store->Read(QLatin1String(KeyPath), name, defaultValue) : defaultValue;
}

void clsDesignerSettings::WriteValue(const QString &name, const QString &text)
{
    if (m_store)
        m_store->Write(QLatin1String(KeyPath), name, text);
}

int clsDesignerSettings::ReadInt(const QString &name, int defaultValue) const
{
    return ToInt(ReadValue(name, QString::number(defaultValue)), defaultValue);
}

void clsDesignerSettings::WriteInt(const QString &name, int value)
{
    WriteValue(name, QString::number(value));
}

void clsDesignerSettings::ReadAll(const Reader &read)
{
    FileList = read(QStringLiteral("FileList"), QString());
    ViewStatusBar = ToBool(read(QStringLiteral("ViewStatusBar"), TrueWord), true);
    ViewToolBar = ToBool(read(QStringLiteral("ViewToolBar"), TrueWord), true);
    ViewGrid = ToBool(read(QStringLiteral("ViewGrid"), TrueWord), true);
    Author = read(QStringLiteral("Author"), QString());
    Copyright = read(QStringLiteral("Copyright"), QString());
    Logo = read(QStringLiteral("Logo"), QString());
    TemplatePath = read(QStringLiteral("TemplatePath"), QStringLiteral("GuiLib"));
    // Older designers had a yes/no "Return acts as Tab" switch; it seeds the default.
    const int olderEnterKey = ToBool(read(QStringLiteral("RtnEqTab"), QStringLiteral("0")), false) ? 1 : 0;
    EnterKey = ToInt(read(QStringLiteral("EnterKey"), QString::number(olderEnterKey)), olderEnterKey);
    AutoSelect = ToBool(read(QStringLiteral("AutoSelect"), FalseWord), false);
    NoAutoTips = ToBool(read(QStringLiteral("NoAutoTips"), FalseWord), false);
    RecordLocking = ToBool(read(QStringLiteral("RecordLocking"), FalseWord), false);
    AutosaveMinutes = qBound(0, ToInt(read(QStringLiteral("AutosaveMinutes"), QStringLiteral("2")), 2),
                             MaxAutosaveMinutes);

    RecentList.Clear();
    try {
        RecentList.SetListSize(ToInt(read(QStringLiteral("RecentListSize"),
                                          QString::number(clsRecentList::DefaultSize)),
                                     clsRecentList::DefaultSize));
    } catch (const GuiError &) {
        RecentList.SetListSize(clsRecentList::DefaultSize);
    }
    // Entries beyond the largest list could only fall off again; a damaged count must not
    // make start-up read millions of keys.
    const int count = qBound(0, ToInt(read(QStringLiteral("RecentFileCount"), QStringLiteral("0")), 0),
                             clsRecentList::MaxSize);
    for (int n = count; n >= 1; --n) {
        const QString name = read(QStringLiteral("RecentFile_") + QString::number(n), QString());
        if (!name.isEmpty())
            RecentList.AddItem(name);
    }
}

void clsDesignerSettings::LoadSettings()
{
    std::optional<modPersistSettings::Batch> batch;
    if (m_store)
        batch.emplace(*m_store);
    if (LeadingNumber(ReadValue(QString(), QString())) < FormatMarker) {
        Migrate();
        return;
    }
    ReadAll([this](const QString &name, const QString &defaultValue) {
        return ReadValue(name, defaultValue);
    });
}

void clsDesignerSettings::Migrate()
{
    const QString app = QLatin1String(modPersistSettings::OlderAppName);
    const QString section = QLatin1String(modPersistSettings::OlderSection);
    const QString missing = QStringLiteral("-100000");
    for (const QString &key : WindowPositionKeys()) {
        const QString value = modPersistSettings::ReadOlder(app, section, key, missing);
        bool ok = false;
        const int n = value.trimmed().toInt(&ok);
        if (ok && n > -100000)
            WriteValue(key, QString::number(n));
    }
    ReadAll([&](const QString &name, const QString &defaultValue) {
        return modPersistSettings::ReadOlder(app, section, name, defaultValue);
    });
    SaveSettings();
}

void clsDesignerSettings::SaveSettings()
{
    if (!m_store)
        return;
    modPersistSettings::Batch batch(*m_store);
    WriteValue(QString(), QString::number(FormatMarker));
    WriteValue(QStringLiteral("FileList"), FileList);
    WriteValue(QStringLiteral("ViewStatusBar"), BoolWord(ViewStatusBar));
    WriteValue(QStringLiteral("ViewToolBar"), BoolWord(ViewToolBar));
    WriteValue(QStringLiteral("ViewGrid"), BoolWord(ViewGrid));
    WriteValue(QStringLiteral("Author"), Author);
    WriteValue(QStringLiteral("Copyright"), Copyright);
    WriteValue(QStringLiteral("Logo"), Logo);
    WriteValue(QStringLiteral("TemplatePath"), TemplatePath);
    WriteValue(QStringLiteral("EnterKey"), QString::number(EnterKey));
    WriteValue(QStringLiteral("AutoSelect"), BoolWord(AutoSelect));
    WriteValue(QStringLiteral("NoAutoTips"), BoolWord(NoAutoTips));
    WriteValue(QStringLiteral("RecordLocking"), BoolWord(RecordLocking));
    WriteValue(QStringLiteral("AutosaveMinutes"), QString::number(AutosaveMinutes));
    WriteValue(QStringLiteral("RecentListSize"), QString::number(RecentList.ListSize()));
    WriteValue(QStringLiteral("RecentFileCount"), QString::number(RecentList.ListCount()));
    for (int n = 1; n <= RecentList.ListCount(); ++n)
        WriteValue(QStringLiteral("RecentFile_") + QString::number(n), RecentList.ListItem(n));
}

void clsDesignerSettings::Clone(clsDesignerSettings &target) const
{
    modPersistSettings *store = target.m_store;
    target = *this;
    target.m_store = store;
}
