#pragma once

#include <QByteArray>
#include <QSet>
#include <QStringList>
#include "quill/QsciHeaders.h"

// Syntax colouring for MultiValue BASIC: keywords, comments ("*" or "!" at the start of a
// statement, REM, and the same after ";"), strings in double quotes, single quotes and
// backslashes, statement labels (a name or number followed by ":" at the start of a line),
// numbers and operators. A labelled section folds up to the next label.
//
// Lines are coloured independently (strings and comments never span lines), so colouring a
// screen of a very large program touches only that screen.
class BasicLexer final : public QsciLexerCustom
{
    Q_OBJECT
public:
    enum Style { Default = 0, Comment, String, Keyword, Label, Number, Operator, StyleCount };

    explicit BasicLexer(QObject *parent = nullptr);

    // The usual statements and functions, plus extra words (upper case), for example the
    // keywords of the template folder's translate.txt.
    void AddKeywords(const QStringList &words);
    bool IsKeyword(const QByteArray &upperWord) const { return m_keywords.contains(upperWord); }
    // The keywords of translate.txt in that folder ("" or no file: none).
    static QStringList KeywordsOfFolder(const QString &templateFolder);

    const char *language() const override { return "MultiValue BASIC"; }
    QString description(int style) const override;
    void styleText(int start, int end) override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;

    // The styles of one line (a byte each), for tests and for styleText.
    QByteArray StyleLine(const QByteArray &line) const;
    // True when the line begins with a statement label.
    static bool IsLabelLine(const char *text, int length);

private:
    QSet<QByteArray> m_keywords;
};
