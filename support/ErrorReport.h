#pragma once

#include <QString>
#include <functional>

// The icon a message box shows.
enum class MessageIcon {
    Information,
    Exclamation,
    Question,
};

// One error message as the user sees it: the text of the box, its icon and its caption.
// Every GUI error is reported in this one layout, whatever command raised it.
struct ErrorReport
{
    QString Text;
    MessageIcon Icon = MessageIcon::Information;
    QString Caption;

    // Looks up the name of a property code; an empty name reads as "unknown".
    using PropertyNameLookup = std::function<QString(int code)>;

    // Composes the report of one error.
    // severity: 1 is a notice (information icon), 2 and more a problem (exclamation icon).
    // source: a label such as "<clsDesigner SetTemplate>", or an ID path "APP*FORM*CTRL";
    //   empty for none.
    // extraCode: the property code for 5002, the method code for 5054 and 5055.
    // description: the error's own text, used for numbers outside the message table.
    static ErrorReport Compose(int severity, int number, const QString &source, int extraCode,
                               const QString &description,
                               const PropertyNameLookup &propertyName = {});
};

// The name of a method code ("Reset" ... "Sort" for 0 to 12), "unknown" for any other.
QString MethodName(int code);
