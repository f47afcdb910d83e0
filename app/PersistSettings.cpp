#include "app/PersistSettings.h"

#include "app/SettingsFile.h"
#include "support/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

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

// Qt's settings file, read and written through a private copy: QSettings keeps its format
// (groups, escapes, types) while the real file is only ever read and replaced by
// SettingsFile, so QSettings never opens it itself.
class modPersistSettings::NativeFile
{
public:
    QString Organisation;
    QString Application;
    QString Path;
    // nullptr when the file is refused.
    std::unique_ptr<QSettings> Settings;
    bool Changed = false;

    // False, with the reason, when the file cannot hold settings.
    bool Open(QString &problem)
    {
        const SettingsFile::Content content = SettingsFile::Read(Path);
        if (!content.Usable) {
            problem = content.Problem;
            return false;
        }
        m_original = content.Bytes;
        if (!m_copyFolder.isValid()) {
            problem = m_copyFolder.errorString();
            return false;
        }
        QFile copy(CopyPath());
        if (!copy.open(QIODevice::WriteOnly) || copy.write(m_original) != m_original.size()) {
            problem = copy.errorString();
            return false;
        }
        copy.close();
        Settings = std::make_unique<QSettings>(CopyPath(), QSettings::NativeFormat);
        return true;
    }

    // Empty when stored (or nothing changed), else why not.
    QString Store()
    {
        if (!Settings || !Changed)
            return {};
        Changed = false;
        Settings->sync();
        if (Settings->status() != QSettings::NoError)
            return QStringLiteral("its new content could not be prepared");
        QFile copy(CopyPath());
        if (!copy.open(QIODevice::ReadOnly))
            return copy.errorString();
        const QByteArray bytes = copy.readAll();
        if (bytes == m_original)
            return {};
        const QString problem = SettingsFile::Write(Path, bytes);
        if (problem.isEmpty())
            m_original = bytes;
        return problem;
    }

private:
    QString CopyPath() const { return m_copyFolder.filePath(QStringLiteral("settings.conf")); }

    QTemporaryDir m_copyFolder;
    QByteArray m_original;
};

modPersistSettings::modPersistSettings(const QString &programFolder)
    : m_programFolder(programFolder)
{
    // Files are named by appending to the folder: without its separator, cvwin70.ini beside
    // the program would not be found and the user's own settings would be used instead.
    if (!m_programFolder.isEmpty() && !m_programFolder.endsWith(QLatin1Char('/')))
        m_programFolder += QLatin1Char('/');
}

modPersistSettings::~modPersistSettings()
{
    // An unfinished batch still stores what it wrote.
    CloseNative();
}

QString modPersistSettings::NativeFilePath(const QString &organisation, const QString &application)
{
    // Asked of a settings object of a name no one uses, so that finding the folder opens no
    // real settings file.
    static const QString probeOrganisation = QStringLiteral("corvane-settings-folder");
    static const QString probeApplication = QStringLiteral("probe");
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope, probeOrganisation,
                          probeApplication);
    QString folder = probe.fileName();
    folder.chop(probeOrganisation.size() + probeApplication.size() + 1
                + QFileInfo(folder).suffix().size() + 1);
    const QString suffix = QLatin1Char('.') + QFileInfo(probe.fileName()).suffix();
    return application.isEmpty() ? folder + organisation + suffix
                                 : folder + organisation + QLatin1Char('/') + application + suffix;
}

void modPersistSettings::NoteProblem(const QString &path, const QString &reason, bool refuse) const
{
    if (refuse)
        m_refused.insert(path);
    if (m_reported.contains(path))
        return;
    m_reported.insert(path);
    m_problems.append(
        refuse ? QStringLiteral("The settings file '%1' cannot be used: %2.\n\nThe designer uses "
                                "its default settings and stores no settings in that file.")
                     .arg(path, reason)
               : QStringLiteral("The settings could not be stored in '%1': %2.").arg(path, reason));
}

QStringList modPersistSettings::TakeProblems()
{
    QStringList problems;
    problems.swap(m_problems);
    return problems;
}

QSettings *modPersistSettings::NativeSettings(const QString &keyPath) const
{
    const NativeLocation where = NativeLocationOf(keyPath);
    if (!m_native || m_native->Organisation != where.organisation
        || m_native->Application != where.application) {
        CloseNative();
        m_native = std::make_unique<NativeFile>();
        m_native->Organisation = where.organisation;
        m_native->Application = where.application;
        m_native->Path = NativeFilePath(where.organisation, where.application);
        QString problem;
        if (!m_refused.contains(m_native->Path) && !m_native->Open(problem))
            NoteProblem(m_native->Path, problem, true);
    }
    QSettings *settings = m_native->Settings.get();
    if (!settings)
        return nullptr;
    while (!settings->group().isEmpty())
        settings->endGroup();
    settings->beginGroup(where.group);
    return settings;
}

bool modPersistSettings::CloseNative() const
{
    if (!m_native)
        return true;
    const QString problem = m_native->Store();
    if (!problem.isEmpty())
        NoteProblem(m_native->Path, problem, false);
    m_native.reset();
    return problem.isEmpty();
}

std::optional<IniFile> modPersistSettings::LoadIni() const
{
    const QString path = IniStorePath();
    if (m_refused.contains(path))
        return std::nullopt;
    const SettingsFile::Content content = SettingsFile::Read(path);
    if (!content.Usable) {
        NoteProblem(path, content.Problem, true);
        return std::nullopt;
    }
    return IniFile::FromBytes(content.Bytes);
}

bool modPersistSettings::SaveIni(const IniFile &ini) const
{
    const QString path = IniStorePath();
    if (m_refused.contains(path))
        return false;
    const QString problem = SettingsFile::Write(path, ini.ToBytes());
    if (!problem.isEmpty())
        NoteProblem(path, problem, false);
    return problem.isEmpty();
}

QString modPersistSettings::Read(const QString &keyPath, const QString &name,
                                 const QString &defaultValue) const
{
    const QString entry = name.isEmpty() ? QStringLiteral("@") : name;
    switch (Mode()) {
    case NativeStore: {
        const QSettings *settings = NativeSettings(keyPath);
        const QVariant value = settings ? settings->value(NativeName(name)) : QVariant();
        if (m_batchDepth == 0)
            CloseNative();
        return value.isValid() ? value.toString() : defaultValue;
    }
    case IniStore:
        if (m_batchDepth > 0) {
            if (!m_ini)
                m_ini = LoadIni();
            return m_ini ? m_ini->ReadString(IniSection(keyPath), entry, defaultValue) : defaultValue;
        }
        if (const std::optional<IniFile> ini = LoadIni())
            return ini->ReadString(IniSection(keyPath), entry, defaultValue);
        return defaultValue;
    default:
        return defaultValue;
    }
}

bool modPersistSettings::Write(const QString &keyPath, const QString &name, const QString &text)
{
    const QString entry = name.isEmpty() ? QStringLiteral("@") : name;
    switch (Mode()) {
    case NativeStore: {
        QSettings *settings = NativeSettings(keyPath);
        if (!settings) {
            if (m_batchDepth == 0)
                CloseNative();
            return false;
        }
        settings->setValue(NativeName(name), text);
        m_native->Changed = true;
        return m_batchDepth > 0 || CloseNative();
    }
    case IniStore:
        if (m_batchDepth > 0) {
            if (!m_ini)
                m_ini = LoadIni();
            if (!m_ini || !m_ini->WriteString(IniSection(keyPath), entry, text))
                return false;
            m_iniChanged = true;
            return true;
        }
        if (std::optional<IniFile> ini = LoadIni())
            return ini->WriteString(IniSection(keyPath), entry, text) && SaveIni(*ini);
        return false;
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
    CloseNative();
    if (m_ini && m_iniChanged)
        SaveIni(*m_ini);
    m_ini.reset();
    m_iniChanged = false;
}

QString modPersistSettings::ReadOlder(const QString &appName, const QString &section,
                                      const QString &name, const QString &defaultValue)
{
    // Read once, by the migration; a file that cannot hold settings has nothing to migrate.
    modPersistSettings::NativeFile file;
    file.Path = NativeFilePath(appName, QString());
    QString problem;
    if (!file.Open(problem))
        return defaultValue;
    file.Settings->beginGroup(section);
    const QVariant value = file.Settings->value(name);
    return value.isValid() ? value.toString() : defaultValue;
}

void modPersistSettings::WriteOlder(const QString &appName, const QString &section,
                                    const QString &name, const QString &text)
{
    modPersistSettings::NativeFile file;
    file.Path = NativeFilePath(appName, QString());
    QString problem;
    if (!file.Open(problem))
        return;
    file.Settings->beginGroup(section);
    file.Settings->setValue(name, text);
    file.Changed = true;
    file.Store();
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
