#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

// One code template found in the template folder.
// The sections of a code template that the generator and the analysis name.
namespace TemplateSection {
inline constexpr int Header = 2;    // the program's set-up, the analysis's "header"
inline constexpr int Startup = 3;   // load the project and show the first form
inline constexpr int EventLoop = 4;
inline constexpr int Trailer = 5;
inline constexpr int Decoder = 6;   // frame and tagged lines of the event decoder
inline constexpr int Handler = 7;   // one event handler
inline constexpr int FormClose = 8; // the Close handler of a form
inline constexpr int AppClose = 9;  // the Close handler of the application
inline constexpr int Error = 10;
inline constexpr int Dynamic = 11;
inline constexpr int Custom = 12;
} // namespace TemplateSection

struct TemplateInfo
{
    QString Style; // style key, lower case
    QString Name;  // display name
    QString Desc;  // one-line description
    QString File;  // full path
    QString Mode;  // lower case; "dialog" for a template limited to dialog applications
};

// The code templates of one template folder: which files are templates, which one serves a
// code style, and the sections of the one in use.
//
// A template file starts with an ini section "[Info]" (Type=Template, Style, Name, Desc,
// Mode); the code follows in numbered sections, each opened by a marker line "<<n>>".
// Failures show their message through the message sink (when one is set) and then raise
// GuiError; the template errors carry number 32767.
//
// The list of templates is read once, on first use, and kept: a template added to the folder
// is seen by a new TemplateFiles. The sections of the file last used are cached until the
// file or the casing changes.
class TemplateFiles
{
public:
    using MessageSink = std::function<void(const QString &text)>;
    using Sections = std::array<QString, 12>; // sections 1 to 12

    // The template folder for the TemplatePath setting: relative values are taken against the
    // program folder; "\" and "/" count alike; "FILE://" may precede the path. When that is
    // not a folder, "GuiLib" in the program folder, then "../share/corvane/GuiLib" beside it
    // (where an installed program keeps it); when none exists, "". A folder found ends in "/".
    static QString TemplateFolder(const QString &templatePath, const QString &programFolder);

    explicit TemplateFiles(QString folder = {});

    const QString &Folder() const { return m_folder; }
    void SetMessageSink(MessageSink sink) { m_sink = std::move(sink); }

    // Reads the folder on the first call; true when it holds at least one template.
    bool EnumerateTemplates();
    // The templates found, in file-name order.
    const std::vector<TemplateInfo> &Templates();

    // The row of the template for a code style (empty counts as "0"), -1 when none has that
    // style. With no template at all: "No code template files found in folder '...'".
    // When two templates share a style, the first in file-name order serves it.
    int FindTemplate(const QString &codeStyle);

    // Section n (1 to 12) of the template for the code style, translated for the casing
    // (1 upper, 2 lower, 3 mixed case; anything else untranslated). "" for n outside 1..12.
    // Raises when no template serves the style, the file cannot be opened (with the error
    // the open gave) or the section is missing or empty.
    QString GetCodeSection(int n, const QString &codeStyle, int casing);

    // Applies translate.txt of the template folder; a missing or malformed file leaves the
    // text unchanged. One that is no regular file or too large is not read either, and
    // leaves a warning.
    QString TranslateKeywords(const QString &text, int casing) const;
    // What went wrong without stopping the command (an unusable translation table).
    const QStringList &Warnings() const { return m_warnings; }

    // Splits a template text into its sections: marker lines "<<n>>" open section n, blank
    // lines are dropped, text before the first marker and in sections outside 1..12 is
    // ignored, and of a section that occurs twice the later non-empty text wins. Lines are
    // joined by CR LF.
    static Sections ParseSections(const QString &text);

    // The text of a file: UTF-8 (a byte-order mark is dropped), UTF-16 with its byte-order
    // mark, or Latin-1 when the bytes are not valid UTF-8.
    static QString DecodeText(const QByteArray &bytes);

private:
    void Raise(const QString &shown, const QString &raised, const char *procedure,
               int number) const;
    static TemplateInfo ReadInfo(const QString &path, bool &isTemplate);

    QString m_folder;
    MessageSink m_sink;
    mutable QStringList m_warnings;

    bool m_enumerated = false;
    std::vector<TemplateInfo> m_templates;

    // The section cache.
    bool m_loaded = false;
    QString m_loadedFile;
    int m_loadedCasing = 0;
    Sections m_sections;
};
