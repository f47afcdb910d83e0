#include "app/PersistSettings.h"

#include "support/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace {
QStringList KeyPathParts(const QString &keyPath)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    return keyPath.split(separators, Qt::SkipEmptyParts);
}

// The native store of a key path: organisation and application are the second and third
// levels ("Software\Org\App"), the rest becomes the group.
struct NativeLocation {
    QString organisation;
    QString application;
    QString group;
};

NativeLocation NativeLocationOf(const QString &keyPath)
{
    const QStringList parts = KeyPathParts(keyPath);
    NativeLocation where;
    where.organisation = parts.value(1);
    where.application = parts.value(2);
    where.group = parts.mid(3).join(QLatin1Char('/'));
    return where;
}

QString NativeName(const QString &name)
{
    // The unnamed value of a key, as QSettings addresses it in the registry.
    return name.isEmpty() ? QStringLiteral("Default") : name;
}

QString ExpandEnvironment(const QString &value)
{
    static const QRegularExpression variable(QStringLiteral("%([^%]+)%"));
    QString result;
    qsizetype from = 0;
    for (auto it = variable.globalMatch(value); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        result += value.mid(from, m.capturedStart() - from);
        const QString name = m.captured(1);
        // An unknown variable stays as written, as the platform's expansion leaves it.
        result += qEnvironmentVariableIsSet(name.toLocal8Bit().constData())
                      ? qEnvironmentVariable(name.toLocal8Bit().constData())
                      : m.captured(0);
        from = m.capturedEnd();
    }
    result += value.mid(from);
    return result;
}
} // namespace

modPersistSettings::modPersistSettings(const QString &programFolder)
    : m_programFolder(programFolder)
{
}

void modPersistSettings::Choose() const
{
    if (m_chosen)
        return;
    m_chosen = true;
    const QString section = QStringLiteral("Isolation");
    const IniFile ini = IniFile::Load(LocateConfigFile(m_programFolder, QStringLiteral("cvwin70.ini")));
    m_mode = ini.ReadInt(section, QStringLiteral("PersistSettings"), NativeStore);
    m_appDataDirectory = ResolveDirectory(
        ini.ReadString(section, QStringLiteral("AppDataDirectory"), QStringLiteral(".")), m_programFolder);
    m_userDataDirectory = ResolveDirectory(
        ini.ReadString(section, QStringLiteral("UserDataDirectory"), QStringLiteral(".")), m_programFolder);
}

int modPersistSettings::Mode() const
{
    Choose();
    return m_mode;
}

const QString &modPersistSettings::AppDataDirectory() const
{
    Choose();
    return m_appDataDirectory;
}

const QString &modPersistSettings::UserDataDirectory() const
{
    Choose();
    return m_userDataDirectory;
}

QString modPersistSettings::IniStorePath() const
{
    return AppDataDirectory() + QStringLiteral("appstate.ini");
}

modPersistSettings::~modPersistSettings() = default;

QSettings &modPersistSettings::NativeSettings(const QString &keyPath) const
{
    const NativeLocation where = NativeLocationOf(keyPath);
    if (!m_native || m_native->organizationName() != where.organisation
        || m_native->applicationName() != where.application) {
        if (m_native)
            m_native->sync();
        m_native = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                               where.organisation, where.application);
    }
    while (!m_native->group().isEmpty())
        m_native->endGroup();
    m_native->beginGroup(where.group);
    return *m_native;
}

QString modPersistSettings::Read(const QString &keyPath, const QString &name,
                                 const QString &defaultValue) const
{
    const QString entry = name.isEmpty() ? QStringLiteral("@") : name;
    switch (Mode()) {
    case NativeStore: {
        const QVariant value = NativeSettings(keyPath).value(NativeName(name));
        if (m_batchDepth == 0)
            m_native.reset();
        return value.isValid() ? value.toString() : defaultValue;
    }
    case IniStore:
        if (m_batchDepth > 0) {
            if (!m_ini)
                m_ini = IniFile::Load(IniStorePath());
            return m_ini->ReadString(IniSection(keyPath), entry, defaultValue);
        }
        return IniFile::GetString(IniStorePath(), IniSection(keyPath), entry, defaultValue);
    default:
        return defaultValue;
    }
}

bool modPersistSettings::Write(const QString &keyPath, const QString &name, const QString &text)
{
    const QString entry = name.isEmpty() ? QStringLiteral("@") : name;
    switch (Mode()) {
    case NativeStore: {
        QSettings &settings = NativeSettings(keyPath);
        settings.setValue(NativeName(name), text);
        if (m_batchDepth > 0)
            return true;
        settings.sync();
        const bool ok = settings.status() == QSettings::NoError;
        m_native.reset();
        return ok;
    }
    case IniStore:
        if (m_batchDepth > 0) {
            if (!m_ini)
                m_ini = IniFile::Load(IniStorePath());
            if (!m_ini->WriteString(IniSection(keyPath), entry, text))
                return false;
            m_iniChanged = true;
            return true;
        }
        return IniFile::PutString(IniStorePath(), IniSection(keyPath), entry, text);
    default:
        return false;
    }
}

modPersistSettings::Batch::Batch(modPersistSettings &store) : m_store(store)
{
    ++m_store.m_batchDepth;
}

modPersistSettings::Batch::~Batch()
{
    m_store.EndBatch();
}

void modPersistSettings::EndBatch()
{
    if (--m_batchDepth > 0)
        return;
    if (m_native) {
        m_native->sync();
        m_native.reset();
    }
    if (m_ini && m_iniChanged)
        m_ini->Save(IniStorePath());
    m_ini.reset();
    m_iniChanged = false;
}

QString modPersistSettings::ReadOlder(const QString &appName, const QString &section,
                                      const QString &name, const QString &defaultValue)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, appName);
    settings.beginGroup(section);
    const QVariant value = settings.value(name);
    return value.isValid() ? value.toString() : defaultValue;
}

void modPersistSettings::WriteOlder(const QString &appName, const QString &section,
                                    const QString &name, const QString &text)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, appName);
    settings.beginGroup(section);
    settings.setValue(name, text);
}

QString modPersistSettings::IniSection(const QString &keyPath)
{
    QString section = KeyPathParts(keyPath).mid(2).join(QLatin1Char('_'));
    section.remove(QLatin1Char(' '));
    return section;
}

QString modPersistSettings::ResolveDirectory(const QString &value, const QString &programFolder)
{
    QString path = ExpandEnvironment(value.trimmed());
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty())
        path = programFolder;
    else if (QDir::isRelativePath(path))
        path = programFolder + path;
    path = QDir::cleanPath(path);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    QDir().mkpath(path);
    return path;
}

QString modPersistSettings::LocateConfigFile(const QString &programFolder, const QString &fileName)
{
    const QString beside = programFolder + fileName;
    if (QFileInfo::exists(beside))
        return beside;
    const QString user = QStandardPaths::locate(QStandardPaths::GenericConfigLocation,
                                                QStringLiteral("corvane/") + fileName);
    return user.isEmpty() ? beside : user;
}
