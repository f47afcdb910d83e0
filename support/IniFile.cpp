#include "support/IniFile.h"

#include "support/TextEncoding.h"

#include "support/RegularFile.h"

#include <QFile>
#include <QSaveFile>
#include <limits>

namespace {
bool HasLineBreak(const QString &s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}
} // namespace

IniFile::IniFile()
{
    m_sections.push_back(Section{}); // the lines before any header
}

IniFile IniFile::Load(const QString &path)
{
    // A missing or unusable file reads as empty, as one that is not there.
    const RegularFile::Result read = RegularFile::Read(path, RegularFile::IniLimit);
    if (!read.Ok)
        return IniFile();
    return FromBytes(read.Bytes);
}

IniFile IniFile::FromText(const QString &text)
{
    IniFile ini;
    ini.Parse(text);
    return ini;
}

IniFile IniFile::FromBytes(const QByteArray &bytes)
{
    IniFile ini;
    const TextEncoding::Decoded decoded = TextEncoding::Decode(bytes);
    ini.m_encoding = decoded.Used;
    ini.m_bom = decoded.Bom;
    ini.Parse(decoded.Text);
    return ini;
}

QString IniFile::Unquote(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

IniFile::Line IniFile::ParseLine(const QString &text)
{
    Line line;
    line.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'))
        || trimmed.startsWith(QLatin1Char('#')) || trimmed.startsWith(QLatin1Char('[')))
        return line;
    const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return line;
    line.key = trimmed.left(eq).trimmed();
    if (line.key.isEmpty())
        return line;
    line.value = Unquote(trimmed.mid(eq + 1).trimmed());
    line.isEntry = true;
    return line;
}

void IniFile::IndexSection(Section &section) const
{
    section.keyIndex.clear();
    for (int i = 0; i < int(section.lines.size()); ++i) {
        const Line &line = section.lines[size_t(i)];
        if (!line.isEntry)
            continue;
        const QString folded = Fold(line.key);
        if (!section.keyIndex.contains(folded)) // the first occurrence wins
            section.keyIndex.insert(folded, i);
    }
}

void IniFile::Parse(const QString &text)
{
    m_sections.clear();
    m_sectionIndex.clear();
    m_sections.push_back(Section{}); // lines before the first header
    const qsizetype firstBreak = text.indexOf(QLatin1Char('\n'));
    m_eol = (firstBreak > 0 && text[firstBreak - 1] == QLatin1Char('\r'))
                ? QStringLiteral("\r\n") : QStringLiteral("\n");

    QStringList lines = text.split(QLatin1Char('\n'));
    m_finalEol = true;
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    else if (!text.isEmpty())
        m_finalEol = false;

    for (QString &raw : lines) {
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            if (close > 0) {
                Section section;
                section.name = trimmed.mid(1, close - 1).trimmed();
                section.header = raw;
                m_sections.push_back(std::move(section));
                continue;
            }
        }
        m_sections.back().lines.push_back(ParseLine(raw));
    }

    for (int i = 1; i < int(m_sections.size()); ++i) {
        Section &section = m_sections[size_t(i)];
        const QString folded = Fold(section.name);
        if (m_sectionIndex.contains(folded)) {
            section.shadowed = true;
            continue;
        }
        m_sectionIndex.insert(folded, i);
        IndexSection(section);
    }
}

const IniFile::Section *IniFile::FindSection(const QString &name) const
{
    const auto it = m_sectionIndex.constFind(Fold(name.trimmed()));
    return it == m_sectionIndex.constEnd() ? nullptr : &m_sections[size_t(*it)];
}

const IniFile::Line *IniFile::FindLine(const QString &section, const QString &key) const
{
    const Section *s = FindSection(section);
    if (!s)
        return nullptr;
    const auto it = s->keyIndex.constFind(Fold(key.trimmed()));
    return it == s->keyIndex.constEnd() ? nullptr : &s->lines[size_t(*it)];
}

QString IniFile::ReadString(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    const Line *line = FindLine(section, key);
    return line ? line->value : defaultValue;
}

int IniFile::ReadInt(const QString &section, const QString &key, int defaultValue) const
{
    const Line *line = FindLine(section, key);
    if (!line)
        return defaultValue;
    const QString &v = line->value;
    qsizetype i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == QLatin1Char('-') || v[i] == QLatin1Char('+'))) {
        negative = v[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= v.size() || !v[i].isDigit() || v[i].unicode() > 0x7F)
        return defaultValue;
    qint64 n = 0;
    for (; i < v.size() && v[i].unicode() >= '0' && v[i].unicode() <= '9'; ++i) {
        n = n * 10 + (v[i].unicode() - '0');
        if (n > qint64(std::numeric_limits<int>::max()) + 1)
            n = qint64(std::numeric_limits<int>::max()) + 1; // saturate, keep scanning
    }
    if (negative)
        n = -n;
    if (n > std::numeric_limits<int>::max())
        n = std::numeric_limits<int>::max();
    return int(n);
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool defaultValue) const
{
    const Line *line = FindLine(section, key);
    if (!line)
        return defaultValue;
    const QString &v = line->value;
    if (v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || v == QLatin1String("1"))
        return true;
    if (v.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || v == QLatin1String("0"))
        return false;
    return defaultValue;
}

bool IniFile::HasSection(const QString &section) const
{
    return FindSection(section) != nullptr;
}

bool IniFile::HasKey(const QString &section, const QString &key) const
{
    return FindLine(section, key) != nullptr;
}

QStringList IniFile::Sections() const
{
    QStringList names;
    for (size_t i = 1; i < m_sections.size(); ++i) {
        if (!m_sections[i].shadowed)
            names.append(m_sections[i].name);
    }
    return names;
}

QStringList IniFile::Keys(const QString &section) const
{
    QStringList keys;
    const Section *s = FindSection(section);
    if (!s)
        return keys;
    for (int i = 0; i < int(s->lines.size()); ++i) {
        const Line &line = s->lines[size_t(i)];
        if (line.isEntry && s->keyIndex.value(Fold(line.key)) == i)
            keys.append(line.key);
    }
    return keys;
}

bool IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (sectionName.isEmpty() || keyName.isEmpty() || HasLineBreak(sectionName)
        || HasLineBreak(keyName) || sectionName.contains(QLatin1Char(']'))
        || keyName.contains(QLatin1Char('=')) || keyName.startsWith(QLatin1Char('['))
        || keyName.startsWith(QLatin1Char(';')) || keyName.startsWith(QLatin1Char('#')))
        return false;

    QString safeValue = value;
    safeValue.replace(QLatin1Char('\r'), QLatin1Char(' '));
    safeValue.replace(QLatin1Char('\n'), QLatin1Char(' '));

    const auto sit = m_sectionIndex.constFind(Fold(sectionName));
    if (sit == m_sectionIndex.constEnd()) {
        Section s;
        s.name = sectionName;
        s.header = QLatin1Char('[') + sectionName + QLatin1Char(']');
        s.lines.push_back(ParseLine(keyName + QLatin1Char('=') + safeValue));
        IndexSection(s);
        m_sections.push_back(std::move(s));
        m_sectionIndex.insert(Fold(sectionName), int(m_sections.size()) - 1);
        m_finalEol = true;
        return true;
    }

    Section &s = m_sections[size_t(*sit)];
    const auto kit = s.keyIndex.constFind(Fold(keyName));
    if (kit != s.keyIndex.constEnd()) {
        Line &line = s.lines[size_t(*kit)];
        line = ParseLine(line.key + QLatin1Char('=') + safeValue);
        return true;
    }

    int insertAt = 0;
    for (int i = 0; i < int(s.lines.size()); ++i) {
        if (s.lines[size_t(i)].isEntry)
            insertAt = i + 1;
    }
    s.lines.insert(s.lines.begin() + insertAt, ParseLine(keyName + QLatin1Char('=') + safeValue));
    IndexSection(s);
    if (*sit == int(m_sections.size()) - 1 && insertAt == int(s.lines.size()) - 1)
        m_finalEol = true;
    return true;
}

QString IniFile::Text() const
{
    QStringList lines;
    for (size_t i = 0; i < m_sections.size(); ++i) {
        const Section &s = m_sections[i];
        if (i > 0)
            lines.append(s.header);
        for (const Line &line : s.lines)
            lines.append(line.text);
    }
    if (lines.isEmpty())
        return {};
    QString text = lines.join(m_eol);
    if (m_finalEol)
        text += m_eol;
    return text;
}

QByteArray IniFile::ToBytes() const
{
    return TextEncoding::Encode(Text(), m_encoding, m_bom);
}

bool IniFile::Save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = ToBytes();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString IniFile::GetString(const QString &path, const QString &section, const QString &key,
                           const QString &defaultValue)
{
    return Load(path).ReadString(section, key, defaultValue);
}

bool IniFile::PutString(const QString &path, const QString &section, const QString &key,
                        const QString &value)
{
    IniFile ini = Load(path);
    if (!ini.WriteString(section, key, value))
        return false;
    return ini.Save(path);
}
