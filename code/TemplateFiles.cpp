#include "code/TemplateFiles.h"

#include "code/TranslateKeywords.h"
#include "support/GuiError.h"
#include "support/IniFile.h"
#include "support/Marks.h"
#include "support/RegularFile.h"
#include "support/TextEncoding.h"
#include "support/TextReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
using Marks::CrLf;

// Open failures that are not "file not found".
constexpr int PermissionDenied = 70;
constexpr int PathFileAccessError = 75;

// Only the start of a file is examined for its "[Info]" section; a template keeps it first.
constexpr qint64 InfoHeadBytes = 1 << 20;

QString Slashes(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString WithSlash(QString path)
{
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

bool IsMarkerLine(QStringView line)
{
    return line.size() >= 4 && line.startsWith(QLatin1String("<<"))
           && line.endsWith(QLatin1String(">>"));
}

// The bytes before the first section marker line: the "[Info]" section, without any code
// line that happens to look like a key.
QByteArray InfoPart(const QByteArray &head)
{
    if (head.startsWith("<<"))
        return {};
    const qsizetype marker = head.indexOf("\n<<");
    return marker < 0 ? head : head.left(marker + 1);
}
} // namespace

QString TemplateFiles::TemplateFolder(const QString &templatePath, const QString &programFolder)
{
    const QString program = WithSlash(Slashes(programFolder));
    QString value = Slashes(templatePath);
    // A "FILE://" prefix is dropped; what follows it is judged like any other value.
    if (value.startsWith(QLatin1String("FILE://"), Qt::CaseInsensitive))
        value = value.mid(7);
    const bool absolute =
        value.startsWith(QLatin1Char('/')) || (value.size() >= 2 && value[1] == QLatin1Char(':'));
    QString folder = WithSlash(absolute ? value : program + value);
    if (QFileInfo(folder).isDir())
        return folder;
    folder = program + QStringLiteral("GuiLib/");
    if (QFileInfo(folder).isDir())
        return folder;
    // An installed program lives in PREFIX/bin and keeps its data in PREFIX/share/corvane.
    folder = WithSlash(QDir::cleanPath(program + QStringLiteral("../share/corvane/GuiLib")));
    if (QFileInfo(folder).isDir())
        return folder;
    return {};
}

TemplateFiles::TemplateFiles(QString folder) : m_folder(std::move(folder))
{
    if (!m_folder.isEmpty())
        m_folder = WithSlash(Slashes(m_folder));
}

QString TemplateFiles::DecodeText(const QByteArray &bytes)
{
    return TextEncoding::Decode(bytes).Text;
}

TemplateInfo TemplateFiles::ReadInfo(const QString &path, bool &isTemplate)
{
    isTemplate = false;
    TemplateInfo info;
    // Only the head of a regular file is looked at; a FIFO or device in the folder is passed by.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return info;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return info;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return info;
    }
    const IniFile ini = IniFile::FromText(DecodeText(InfoPart(file.read(InfoHeadBytes))));
    const QString section = QStringLiteral("Info");
    const QString type = ini.ReadString(section, QStringLiteral("Type"));
    if (type.compare(QLatin1String("Template"), Qt::CaseInsensitive) != 0)
        return info;
    isTemplate = true;
    info.Style = ini.ReadString(section, QStringLiteral("Style"), QStringLiteral("unknown")).toLower();
    info.Name = ini.ReadString(section, QStringLiteral("Name"), QStringLiteral("unknown"));
    info.Desc = ini.ReadString(section, QStringLiteral("Desc"));
    info.Mode = ini.ReadString(section, QStringLiteral("Mode")).toLower();
    info.File = path;
    return info;
}

bool TemplateFiles::EnumerateTemplates()
{
    if (!m_enumerated) {
        m_enumerated = true;
        m_templates.clear();
        if (!m_folder.isEmpty()) {
            const QDir dir(m_folder);
            const QStringList names =
                dir.entryList(QDir::Files | QDir::Hidden, QDir::Name); // no pipes or devices
            for (const QString &name : names) {
                bool isTemplate = false;
                TemplateInfo info = ReadInfo(m_folder + name, isTemplate);
                if (isTemplate)
                    m_templates.push_back(std::move(info));
            }
        }
    }
    return !m_templates.empty();
}

const std::vector<TemplateInfo> &TemplateFiles::Templates()
{
    EnumerateTemplates();
    return m_templates;
}

void TemplateFiles::Raise(const QString &shown, const QString &raised, const char *procedure,
                          int number) const
{
    if (m_sink)
        m_sink(shown);
    throw GuiError(number, raised,
                   QStringLiteral("<TemplateFiles %1>").arg(QLatin1String(procedure)));
}

int TemplateFiles::FindTemplate(const QString &codeStyle)
{
    if (!EnumerateTemplates()) {
        const QString text =
            QStringLiteral("No code template files found in folder '") + m_folder + QLatin1Char('\'');
        Raise(text, text, "FindTemplate", GuiErrors::TemplateError);
    }
    QString key = codeStyle.toLower();
    if (key.isEmpty())
        key = QStringLiteral("0");
    for (int i = 0; i < int(m_templates.size()); ++i) {
        if (m_templates[size_t(i)].Style == key)
            return i;
    }
    return -1;
}

QString TemplateFiles::TranslateKeywords(const QString &text, int casing) const
{
    if (casing < ::TranslateKeywords::UpperCase || casing > ::TranslateKeywords::MixedCase
        || m_folder.isEmpty())
        return text;
    // A translation table that is no regular file or too large is unusable, which leaves the
    // text untranslated as a missing one does, but the user is told.
    const QString path = m_folder + QStringLiteral("translate.txt");
    const RegularFile::Result read = RegularFile::Read(path, RegularFile::TranslationLimit);
    if (!read.Ok) {
        const QString warning =
            QStringLiteral("The keyword translation file '%1' was not used: %2.").arg(path, read.Reason);
        if (read.Errno != ENOENT && !m_warnings.contains(warning))
            m_warnings << warning;
        return text;
    }
    return ::TranslateKeywords::FromText(DecodeText(read.Bytes)).Translate(text, casing);
}

TemplateFiles::Sections TemplateFiles::ParseSections(const QString &text)
{
    Sections sections;
    QString gathered;
    int current = 0;
    auto store = [&] {
        if (current >= 1 && current <= 12 && !gathered.isEmpty()) {
            gathered.chop(2);
            sections[size_t(current - 1)] = gathered;
        }
        gathered.clear();
    };

    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype lf = all.indexOf(QLatin1Char('\n'), start);
        if (lf < 0)
            lf = all.size();
        QStringView line = all.mid(start, lf - start);
        start = lf + 1;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue; // blank lines never reach a section
        qsizetype end = line.size();
        while (end > 0 && line[end - 1].isSpace())
            --end;
        const QStringView bare = line.left(end);
        if (IsMarkerLine(bare)) {
            store();
            bool ok = false;
            const int n = bare.mid(2, bare.size() - 4).trimmed().toInt(&ok);
            current = ok ? n : 0;
            continue;
        }
        if (current >= 1 && current <= 12) {
            gathered += line;
            gathered += CrLf;
        }
    }
    store();
    return sections;
}

QString TemplateFiles::GetCodeSection(int n, const QString &codeStyle, int casing)
{
    const int row = FindTemplate(codeStyle);
    if (row < 0) {
        QString style = codeStyle.toLower();
        if (style.isEmpty())
            style = QStringLiteral("0");
        const QString text = QStringLiteral("Unable to locate code template for style ") + style
                             + QStringLiteral(" in ") + m_folder + QLatin1Char('.');
        Raise(text, text, "GetCodeSection", GuiErrors::TemplateError);
    }
    const QString &path = m_templates[size_t(row)].File;

    if (m_loaded && (m_loadedFile != path || m_loadedCasing != casing)) {
        m_loaded = false;
        m_sections = Sections();
    }
    if (!m_loaded) {
        const RegularFile::Result read = RegularFile::Read(path, RegularFile::TemplateLimit);
        if (!read.Ok) {
            const int number = read.Errno == ENOENT    ? GuiErrors::FileNotFound
                               : read.Errno == EACCES ? PermissionDenied
                                                      : PathFileAccessError;
            const QString text =
                QStringLiteral("Unable to open code template file '") + path + QStringLiteral("'.");
            Raise(text, text, "GetCodeSection", number);
        }
        QString text = DecodeText(read.Bytes);
        // Every line ends in CR LF, whatever the file used.
        text = ReplacedEach(ReplacedEach(text, u"\r\n", u"\n"), QLatin1Char('\n'), u"\r\n");
        if (!text.isEmpty() && !text.endsWith(CrLf))
            text += CrLf;
        m_sections = ParseSections(TranslateKeywords(text, casing));
        m_loaded = true;
        m_loadedFile = path;
        m_loadedCasing = casing;
    }

    if (n < 1 || n > 12)
        return {};
    const QString &section = m_sections[size_t(n - 1)];
    if (section.isEmpty())
        Raise(QStringLiteral("Required code section %1 missing from template file.").arg(n),
              QStringLiteral("Required code section missing from template file."),
              "GetCodeSection", GuiErrors::TemplateError);
    return section;
}
