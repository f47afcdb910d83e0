#include "code/CodeProgramText.h"

#include "support/Marks.h"
#include "support/TextEncoding.h"
#include "support/TextReplace.h"

#include <algorithm>


namespace {
using Marks::CrLf;

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
} // namespace

QString CodeProgramText::NormalizeLineEnds(const QString &text)
{
    // Most programs already use CR LF: only rebuild the text when something needs changing.
    // The check jumps from line end to line end, which is much faster than a character walk.
    const QStringView view(text);
    const qsizetype n = text.size();
    bool clean = true;
    for (qsizetype i = view.indexOf(u'\n'); clean && i >= 0; i = view.indexOf(u'\n', i + 1))
        clean = i > 0 && view[i - 1] == u'\r';
    for (qsizetype i = view.indexOf(u'\r'); clean && i >= 0; i = view.indexOf(u'\r', i + 1))
        clean = i + 1 < n && view[i + 1] == u'\n';
    if (clean)
        return text;

    QString out;
    out.reserve(n + n / 16);
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            if (i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            out += CrLf;
        } else if (c == QLatin1Char('\n')) {
            out += CrLf;
        } else {
            out += c;
        }
    }
    return out;
}

QStringList CodeProgramText::Lines(const QString &text)
{
    // Counted first, so the list is made once at its size: growing it would hold up to twice
    // the line slots for a moment, which is most of what a program of short lines costs.
    const QStringView view(text);
    qsizetype count = 1;
    for (qsizetype i = view.indexOf(CrLf); i >= 0; i = view.indexOf(CrLf, i + 2))
        ++count;
    QStringList lines;
    lines.reserve(count);
    qsizetype start = 0;
    for (qsizetype i = view.indexOf(CrLf); i >= 0; i = view.indexOf(CrLf, start)) {
        lines.append(i == start ? QString() : text.mid(start, i - start));
        start = i + 2;
    }
    lines.append(text.mid(start));
    return lines;
}

QString CodeProgramText::Join(const QStringList &lines)
{
    return lines.join(CrLf);
}

QString CodeProgramText::FromBytes(const QByteArray &bytes, bool *latin1)
{
    const TextEncoding::Decoded decoded = TextEncoding::Decode(bytes);
    if (latin1)
        *latin1 = decoded.Used == TextEncoding::Encoding::Latin1;
    return NormalizeLineEnds(decoded.Text);
}

QByteArray CodeProgramText::ToBytes(const QString &text, bool latin1)
{
    return TextEncoding::Encode(text, latin1 ? TextEncoding::Encoding::Latin1
                                             : TextEncoding::Encoding::Utf8);
}

QString CodeProgramText::Read(const QByteArray &bytes, FileForm &form)
{
    TextEncoding::Decoded decoded = TextEncoding::Decode(bytes);
    form = FileForm();
    form.Encoding = decoded.Used;
    form.Bom = decoded.Bom;
    // Latin-1 reads the byte 0xFE as U+00FE.
    const char16_t mark = decoded.Used == TextEncoding::Encoding::Latin1 ? u'\u00FE'
                                                                        : char16_t(Marks::Attribute);
    QString &text = decoded.Text;
    const QStringView view(text);
    qsizetype counts[4] = {0, 0, 0, 0}; // CR LF, LF, CR, mark
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = view[i].unicode();
        if (c == u'\r') {
            if (i + 1 < n && view[i + 1] == u'\n') {
                ++counts[0];
                ++i;
            } else {
                ++counts[2];
            }
        } else if (c == u'\n') {
            ++counts[1];
        } else if (c == mark) {
            ++counts[3];
        }
    }
    int most = 0;
    for (int k = 1; k < 4; ++k)
        if (counts[k] > counts[most])
            most = k;
    form.End = FileForm::LineEnd(most);
    form.MarksAmongBreaks = counts[3] > 0 && counts[0] + counts[1] + counts[2] > 0;
    if (counts[3] > 0)
        text = ReplacedEach(text, QChar(mark), u"\r\n");
    return NormalizeLineEnds(text);
}

QByteArray CodeProgramText::Write(const QString &text, const FileForm &form)
{
    using LineEnd = FileForm::LineEnd;
    TextEncoding::Encoding encoding = form.Encoding;
    if (encoding == TextEncoding::Encoding::Latin1
        && std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; }))
        encoding = TextEncoding::Encoding::Utf8; // what Encode would fall back to
    QString out;
    switch (form.End) {
    case LineEnd::CrLf:
        out = text;
        break;
    case LineEnd::Lf:
        out = ReplacedEach(text, u"\r\n", u"\n");
        break;
    case LineEnd::Cr:
        out = ReplacedEach(text, u"\r\n", u"\r");
        break;
    case LineEnd::Mark: {
        const QChar mark(encoding == TextEncoding::Encoding::Latin1 ? u'\u00FE'
                                                                    : char16_t(Marks::Attribute));
        out = ReplacedEach(text, u"\r\n", QStringView(&mark, 1));
        break;
    }
    }
    return TextEncoding::Encode(out, encoding, form.Bom);
}

namespace {
// Whether a line is its own key: no blank at either end, no tab, no run of blanks, no letter
// that upper case would change. Most lines of code written in capitals are; they share the
// line's text instead of holding a copy. Characters beyond ASCII take the general way.
bool IsOwnKey(const QString &line)
{
    if (line.isEmpty())
        return true;
    if (IsBlank(line.front()) || IsBlank(line.back()))
        return false;
    char16_t previous = 0;
    for (QChar c : line) {
        const char16_t u = c.unicode();
        if (u >= 128 || u == u'\t' || (u >= u'a' && u <= u'z') || (u == u' ' && previous == u' '))
            return false;
        previous = u;
    }
    return true;
}
} // namespace

QString CodeProgramText::LineKey(const QString &line)
{
    if (IsOwnKey(line))
        return line;
    // Written in place, ASCII letters upper-cased on the way: a program has hundreds of
    // thousands of lines, and growing each key a character at a time was most of its analysis.
    QString key(line.size(), Qt::Uninitialized);
    QChar *out = key.data();
    qsizetype n = 0;
    bool ascii = true;
    bool pendingBlank = false;
    for (QChar c : line) {
        if (IsBlank(c)) {
            pendingBlank = n > 0;
            continue;
        }
        if (pendingBlank) {
            out[n++] = QLatin1Char(' ');
            pendingBlank = false;
        }
        char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            u -= u'a' - u'A';
        else if (u >= 128)
            ascii = false;
        out[n++] = QChar(u);
    }
    key.truncate(n);
    return ascii ? key : key.toUpper();
}

bool CodeProgramText::SameCode(const QStringList &a, const QStringList &b)
{
    qsizetype i = 0, j = 0;
    for (;;) {
        QString keyA, keyB;
        while (keyA.isEmpty() && i < a.size())
            keyA = LineKey(a[i++]);
        while (keyB.isEmpty() && j < b.size())
            keyB = LineKey(b[j++]);
        if (keyA != keyB)
            return false;
        if (keyA.isEmpty())
            return true;
    }
}
