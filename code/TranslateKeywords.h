#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// The keyword table of translate.txt, which recases the BASIC keywords and variable names of
// a template to the program's casing. The file:
//
//   Vars=3                       how many of the first word rows are variable names
//   [Xlat]
//   EVENT.ID|event.id|Event.Id   one word per row: its upper, lower and mixed case form
//   ...
//
// The three fields are separated by "|" or by the value mark. Blank lines and lines
// beginning with ";" are ignored everywhere. Words are looked up without regard to case.
// A file without "[Xlat]" or without "Vars=" leaves every text unchanged.
class TranslateKeywords
{
public:
    // The casing numbers of a program.
    static constexpr int UpperCase = 1;
    static constexpr int LowerCase = 2;
    static constexpr int MixedCase = 3;

    TranslateKeywords() = default;
    static TranslateKeywords FromText(const QString &text);

    // True when the table has both its "[Xlat]" and its "Vars=" line.
    bool IsUsable() const { return m_usable; }
    int VariableCount() const { return m_variableCount; }
    int WordCount() const { return int(m_rows.size()); }
    // The upper-case forms of the words that are not variable names (the BASIC keywords).
    QStringList Keywords() const;

    // The text with its words recased for casing 1, 2 or 3; any other casing, or an unusable
    // table, returns it unchanged. Within each line: a quoted string ('...') and a comment
    // tail ("*-->" to the end of the line) are copied whole; a placeholder "%%...%%" counts as
    // one word; in a comment line (first character "*") only the variable names are
    // translated. With lower case, the first OCONV(x,'MCT') of a line is unwrapped to x.
    QString Translate(const QString &text, int casing) const;

private:
    struct Row {
        QString forms[3];
    };
    QString TranslateLine(QStringView line, int casing) const;
    const Row *Find(QStringView word, bool variablesOnly) const;

    bool m_usable = false;
    int m_variableCount = 0;
    std::vector<Row> m_rows;
    QHash<QString, int> m_all;       // upper-cased word -> first row holding it
    QHash<QString, int> m_variables; // the same for the variable rows
};
