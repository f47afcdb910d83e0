#pragma once

#include "code/TemplateVariables.h"

#include <QDate>
#include <QString>

// Placeholder substitution in template text. A placeholder is "%%" name "%%"; the name is
// matched by its letters alone, in upper case (so "Proj_File" is PROJFILE), and its spelling
// decides the casing of ID values: "APP" upper case, "app" lower case, "App" mixed case.
class Placeholders
{
public:
    enum class Casing {
        Unchanged,
        Upper, // the first two characters of the name are capitals
        Lower, // the letters among the first two characters are lower case
        Mixed, // a capital followed by a lower-case letter
    };

    // Replaces every placeholder of the text. Returns "" as a whole when the text needs a
    // project file name, project item ID, application, event or target that is empty, so
    // callers can substitute line by line and lose the lines that do not apply. A name that
    // is not known gives vars.Extra when it equals extraName (ignoring case), else "".
    // COPYRIGHT and DESC may hold several lines: each later line starts with the text before
    // the placeholder on its line, blanked but for " ", "*" and "!" (at most 1024
    // characters of it). A "%%" without a closing "%%" on the same line is copied as is.
    static QString SubstituteVariables(const QString &text, const TemplateVariables &vars,
                                       const QString &extraName = {});

    // The casing a placeholder name asks for, judged by the letters among its first two
    // characters as written.
    static Casing CasingOf(const QString &nameAsWritten);
    static QString ApplyCasing(const QString &value, Casing casing);
    // Mixed case: each "."-separated part that is wholly upper or wholly lower case gets a
    // capital at its start and after every non-letter, lower case elsewhere; a part that
    // already mixes cases is kept.
    static QString MixedCase(const QString &value);

    // Today's date; when SOURCE_DATE_EPOCH holds a number of seconds since 1970 (UTC) that
    // date is used instead, so generated code can be reproduced.
    static QDate Today();
    // The date as the locale's short date, with the year in four digits.
    static QString GeneralDate(const QDate &date);
};
