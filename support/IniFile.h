#pragma once

#include "support/TextEncoding.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// An ini file held in memory as its lines, so that writing a value leaves everything else
// (comments, blank lines, order, spelling of names, line ends) exactly as it was.
//
// Reading is forgiving: section and key names are found without regard to case; a missing
// file, section or key gives the caller's default; lines that are neither "[section]" nor
// "key=value" (comments starting with ";" or "#", text without "=", blank lines) are kept
// but ignored; a UTF-8 or UTF-16 byte-order mark is honoured; bytes that are not valid UTF-8
// are read as Latin-1; CR LF and LF line ends are both accepted. Names and values are
// trimmed, and a value wholly enclosed in a pair of double or single quotes loses them.
// When a key or a section occurs more than once, the first one counts.
//
// Look-ups are hashed, so reading many values from a large file stays cheap.
class IniFile
{
public:
    IniFile();

    // An unreadable or missing file gives an empty IniFile.
    static IniFile Load(const QString &path);
    static IniFile FromText(const QString &text);
    static IniFile FromBytes(const QByteArray &bytes);

    QString ReadString(const QString &section, const QString &key,
                       const QString &defaultValue = {}) const;
    // The integer the value begins with (blanks and a sign allowed before the digits);
    // the default when the key is missing or its value does not start with a number.
    int ReadInt(const QString &section, const QString &key, int defaultValue = 0) const;
    // True/False or 1/0 in any case; anything else gives the default.
    bool ReadBool(const QString &section, const QString &key, bool defaultValue = false) const;

    bool HasSection(const QString &section) const;
    bool HasKey(const QString &section, const QString &key) const;
    // Section names in file order (each once, as first spelled).
    QStringList Sections() const;
    // Key names of a section in file order (each once, as first spelled).
    QStringList Keys(const QString &section) const;

    // Sets the value: an existing line is rewritten in place, a new key goes after the last
    // key of its section, a new section is added at the end. Line breaks in the value become
    // blanks so a value can never add lines of its own. Returns false (and changes nothing)
    // for a name that cannot be stored: empty, or holding a line break, "=" in a key or "]"
    // in a section name.
    bool WriteString(const QString &section, const QString &key, const QString &value);

    // The file text with its original line ends (LF for a file that had none).
    QString Text() const;
    // The bytes as they are written: the original encoding (UTF-8, Latin-1 when every
    // character fits, UTF-16LE) and byte-order mark are kept.
    QByteArray ToBytes() const;
    // Writes the file atomically: a temporary file beside it is flushed and renamed over
    // it, so a failure leaves the old file untouched. False when it could not be written.
    bool Save(const QString &path) const;

    // One-shot helpers that load the file on each call.
    static QString GetString(const QString &path, const QString &section, const QString &key,
                             const QString &defaultValue = {});
    // Creates the file when it is missing (not its folder). False when it could not be saved.
    static bool PutString(const QString &path, const QString &section, const QString &key,
                          const QString &value);

private:

    struct Line {
        QString text;
        bool isEntry = false; // "key=value" inside a section
        QString key;          // trimmed, as spelled
        QString value;        // trimmed, quotes removed
    };
    struct Section {
        QString name;         // trimmed, as spelled; empty for the lines before any section
        QString header;       // the header line as written
        std::vector<Line> lines;
        QHash<QString, int> keyIndex; // folded key -> first line holding it
        bool shadowed = false;        // a later section of the same name
    };

    static QString Fold(const QString &name) { return name.toCaseFolded(); }
    static Line ParseLine(const QString &text);
    static QString Unquote(const QString &value);
    void Parse(const QString &text);
    void IndexSection(Section &section) const;
    const Section *FindSection(const QString &name) const;
    const Line *FindLine(const QString &section, const QString &key) const;

    std::vector<Section> m_sections; // the first holds the lines before any header
    QHash<QString, int> m_sectionIndex; // folded name -> first section of that name
    QString m_eol = QStringLiteral("\n");
    bool m_finalEol = true;
    TextEncoding::Encoding m_encoding = TextEncoding::Encoding::Utf8;
    bool m_bom = false;
};
