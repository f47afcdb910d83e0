#include "quill/BasicLexer.h"

#include "code/TemplateFiles.h"
#include "code/TranslateKeywords.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include "quill/QsciHeaders.h"

namespace {
constexpr const char *UsualWords[] = {
    "ABORT", "AND", "BEGIN", "BREAK", "CALL", "CASE", "CAT", "CHAIN", "CLEAR", "CLEARSELECT",
    "CLOSE", "COMMON", "CONTINUE", "CONVERT", "CRT", "DATA", "DEBUG", "DEL", "DELETE", "DELETEU",
    "DIM", "DIMENSION", "DISPLAY", "DO", "ELSE", "END", "ENTER", "EQ", "EQU", "EQUATE", "ERROR",
    "EXECUTE", "EXIT", "FILELOCK", "FILEUNLOCK", "FIND", "FINDSTR", "FOOTING", "FOR", "FUNCTION",
    "GE", "GO", "GOSUB", "GOTO", "GT", "HEADING", "IF", "IN", "INCLUDE", "INPUT", "INPUTNULL",
    "INS", "INSERT", "LE", "LOCATE", "LOCK", "LOCKED", "LOOP", "LT", "MAT", "MATCH", "MATCHES",
    "MATREAD", "MATREADU", "MATWRITE", "MATWRITEU", "NE", "NEXT", "NOT", "NULL", "OFF", "ON",
    "OPEN", "OR", "PAGE", "PERFORM", "PRECISION", "PRINT", "PRINTER", "PROGRAM", "PROMPT", "READ",
    "READLIST", "READNEXT", "READT", "READU", "READV", "READVL", "READVU", "RELEASE", "REPEAT",
    "RETURN", "REWIND", "SELECT", "SETTING", "SLEEP", "STEP", "STOP", "SUBROUTINE", "THEN", "TO",
    "UNLOCK", "UNTIL", "WEOF", "WHILE", "WRITE", "WRITET", "WRITEU", "WRITEV", "WRITEVU",
    "$INCLUDE", "$INSERT", "$OPTIONS", "ABS", "ALPHA", "ASCII", "CHAR", "CHARS", "COL1", "COL2",
    "COUNT", "DATE", "DCOUNT", "DOWNCASE", "DQUOTE", "EBCDIC", "EXTRACT", "FIELD", "FMT", "ICONV",
    "INDEX", "INT", "LEN", "MOD", "NUM", "OCONV", "PWR", "REM", "REPLACE", "RND", "SEQ", "SPACE",
    "SQRT", "SQUOTE", "STATUS", "STR", "SWAP", "SYSTEM", "TIME", "TIMEDATE", "TRIM", "TRIMB",
    "TRIMF", "UPCASE", "@AM", "@VM", "@SVM", "@FM", "@TRUE", "@FALSE",
};

bool IsWordStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '$' || c == '@'
        || static_cast<unsigned char>(c) >= 0x80;
}
bool IsWordChar(char c)
{
    return IsWordStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '%';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
} // namespace

BasicLexer::BasicLexer(QObject *parent) : QsciLexerCustom(parent)
{
    for (const char *word : UsualWords)
        m_keywords.insert(QByteArray(word));
}

void BasicLexer::AddKeywords(const QStringList &words)
{
    for (const QString &word : words)
        if (!word.trimmed().isEmpty())
            m_keywords.insert(word.trimmed().toUpper().toUtf8());
}

QStringList BasicLexer::KeywordsOfFolder(const QString &templateFolder)
{
    if (templateFolder.isEmpty())
        return {};
    QFile file(templateFolder + QStringLiteral("translate.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return TranslateKeywords::FromText(TemplateFiles::DecodeText(file.readAll())).Keywords();
}

QString BasicLexer::description(int style) const
{
    switch (style) {
    case Default: return QStringLiteral("Default");
    case Comment: return QStringLiteral("Comment");
    case String: return QStringLiteral("String");
    case Keyword: return QStringLiteral("Keyword");
    case Label: return QStringLiteral("Label");
    case Number: return QStringLiteral("Number");
    case Operator: return QStringLiteral("Operator");
    default: return {};
    }
}

QColor BasicLexer::defaultColor(int style) const
{
    switch (style) {
    case Comment: return QColor(0x00, 0x80, 0x00);
    case String: return QColor(0xa3, 0x15, 0x15);
    case Keyword: return QColor(0x00, 0x00, 0xc0);
    case Label: return QColor(0x80, 0x00, 0x80);
    case Number: return QColor(0x09, 0x86, 0x58);
    case Operator: return QColor(0x40, 0x40, 0x40);
    default: return QColor(0x1e, 0x1e, 0x1e);
    }
}

QFont BasicLexer::defaultFont(int style) const
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(style == Keyword || style == Label);
    font.setItalic(style == Comment);
    return font;
}

bool BasicLexer::IsLabelLine(const char *text, int length)
{
    int i = 0;
    if (i < length && IsDigit(text[i])) {
        while (i < length && (IsDigit(text[i]) || text[i] == '.'))
            ++i;
        return i == length || IsBlank(text[i]) || text[i] == ':' || text[i] == '\r' || text[i] == '\n';
    }
    if (i >= length || !IsWordStart(text[i]))
        return false;
    while (i < length && IsWordChar(text[i]))
        ++i;
    return i < length && text[i] == ':' && (i + 1 >= length || text[i + 1] != '=');
}

QByteArray BasicLexer::StyleLine(const QByteArray &line) const
{
    const int n = int(line.size());
    QByteArray styles(n, char(Default));
    const char *s = line.constData();
    auto fill = [&](int from, int to, Style style) {
        for (int k = from; k < to; ++k)
            styles[k] = char(style);
    };
    int i = 0;
    if (IsLabelLine(s, n)) {
        int end = 0;
        while (end < n && s[end] != ':' && !IsBlank(s[end]) && s[end] != '\r' && s[end] != '\n')
            ++end;
        if (end < n && s[end] == ':')
            ++end;
        fill(0, end, Label);
        i = end;
    }
    bool statementStart = true;
    while (i < n) {
        const char c = s[i];
        if (IsBlank(c) || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        if (statementStart && (c == '*' || c == '!')) {
            fill(i, n, Comment);
            return styles;
        }
        if (c == '"' || c == '\'' || c == '\\') {
            int j = i + 1;
            while (j < n && s[j] != c && s[j] != '\r' && s[j] != '\n')
                ++j;
            if (j < n && s[j] == c)
                ++j;
            fill(i, j, String);
            i = j;
            statementStart = false;
            continue;
        }
        if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(s[i + 1]))) {
            int j = i + 1;
            while (j < n && (IsDigit(s[j]) || s[j] == '.'))
                ++j;
            fill(i, j, Number);
            i = j;
            statementStart = false;
            continue;
        }
        if (IsWordStart(c)) {
            int j = i + 1;
            while (j < n && IsWordChar(s[j]))
                ++j;
            const QByteArray word = line.mid(i, j - i).toUpper();
            if (statementStart && word == "REM" && (j >= n || !IsWordChar(s[j]))) {
                fill(i, n, Comment);
                return styles;
            }
            if (m_keywords.contains(word))
                fill(i, j, Keyword);
            // THEN and ELSE start a statement of their own ("IF X THEN * note" is rare, but
            // "END ELSE" blocks are not): only ";" does here.
            i = j;
            statementStart = false;
            continue;
        }
        styles[i] = char(Operator);
        statementStart = c == ';';
        ++i;
    }
    return styles;
}

void BasicLexer::styleText(int start, int end)
{
    QsciScintilla *ed = editor();
    if (!ed || start >= end)
        return;
    const long firstLine = ed->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, start);
    const long lastLine = ed->SendScintilla(QsciScintilla::SCI_LINEFROMPOSITION, end - 1);
    const long from = ed->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, firstLine);
    const auto *text = static_cast<const char *>(ed->SendScintillaPtrResult(QsciScintilla::SCI_GETCHARACTERPOINTER));
    if (!text)
        return;
    startStyling(int(from));
    for (long line = firstLine; line <= lastLine; ++line) {
        const long a = ed->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line);
        const long b = ed->SendScintilla(QsciScintilla::SCI_GETLINEENDPOSITION, line);
        const long next = line + 1 <= lastLine
            ? ed->SendScintilla(QsciScintilla::SCI_POSITIONFROMLINE, line + 1)
            : qMax<long>(b, end);
        const QByteArray styles = StyleLine(QByteArray::fromRawData(text + a, int(b - a)));
        // Runs of one style go to Scintilla in one call.
        int k = 0;
        while (k < styles.size()) {
            int r = k + 1;
            while (r < styles.size() && styles[r] == styles[k])
                ++r;
            setStyling(r - k, int(styles[k]));
            k = r;
        }
        if (next > b)
            setStyling(int(next - b), Default);
        const int level = QsciScintilla::SC_FOLDLEVELBASE
            + (IsLabelLine(text + a, int(b - a)) ? QsciScintilla::SC_FOLDLEVELHEADERFLAG : 1);
        ed->SendScintilla(QsciScintilla::SCI_SETFOLDLEVEL, line, level);
    }
}
