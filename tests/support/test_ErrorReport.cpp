// ErrorReport: the one message layout of GUI errors (message table, source line, property and
// method names, icon by severity, program title as caption).
#include "support/ErrorReport.h"
#include "support/GuiError.h"

#include <gtest/gtest.h>

namespace {

QString KnownProperty(int code)
{
    return code == 14 ? QStringLiteral("BackColor") : QString();
}

struct LayoutCase
{
    const char *Name;
    int Severity;
    int Number;
    const char *Source;
    int ExtraCode;
    const char *Description;
    bool WithLookup;
    const char *Text;
    MessageIcon Icon;
};

const LayoutCase LayoutCases[] = {
    {"not a project", 2, 5005, "", 0, "ignored", true,
     "Project or macro specifies an invalid version or is corrupt or invalid\n"
     "Make sure you are opening a GUI project, not a program.",
     MessageIcon::Exclamation},
    {"older version, label source", 1, 5051, "<clsDesigner SetTemplate>", 0, "", true,
     "Version of project is older than current GUI designer version. When the project is saved "
     "its version can be updated to the current version, however, it will no longer run with "
     "older versions of the GUI runtime.\n\nSource = <clsDesigner SetTemplate>",
     MessageIcon::Information},
    {"general number keeps its description", 1, 380, "APP", 0, "Bad width", true,
     "Bad width\n\nApp=APP", MessageIcon::Information},
    {"empty description", 3, 1234, "APP*FORM", 0, "", true,
     "Error # 1234\n\nApp=APP, Form=FORM", MessageIcon::Exclamation},
    {"known property", 2, 5002, "APP*FORM*TXT", 14, "", true,
     "Invalid property value\n\nApp=APP, Form=FORM, Control=TXT\nProperty=BackColor",
     MessageIcon::Exclamation},
    {"unknown property", 2, 5002, "", 999, "", true, "Invalid property value\nProperty=unknown",
     MessageIcon::Exclamation},
    {"no property lookup", 2, 5002, "", 14, "", false, "Invalid property value\nProperty=unknown",
     MessageIcon::Exclamation},
    {"method converted", 1, 5054, "APP*FORM", 3, "", true,
     "Method found in project or macro - converted to property setting\n\n"
     "App=APP, Form=FORM\nMethod=Hide",
     MessageIcon::Information},
    {"method ignored, last name", 1, 5055, "APP*FORM", 12, "", true,
     "Method found in project or macro - ignored\n\nApp=APP, Form=FORM\nMethod=Sort",
     MessageIcon::Information},
    {"method out of range", 1, 5055, "", 13, "", true,
     "Method found in project or macro - ignored\nMethod=unknown", MessageIcon::Information},
    {"bar of an MDI application", 2, 5024, "APP**MENU", 0, "", true,
     "An object of the specified ID does not exist\n\nApp=APP, Control=MENU",
     MessageIcon::Exclamation},
    {"gap in the table uses the description", 2, 5030, "", 0, "Own text", true, "Own text",
     MessageIcon::Exclamation},
};

} // namespace

TEST(ErrorReport, LayoutCoversMessageSourceAndExtraLines)
{
    for (const LayoutCase &c : LayoutCases) {
        SCOPED_TRACE(c.Name);
        const ErrorReport report = ErrorReport::Compose(
            c.Severity, c.Number, QString::fromUtf8(c.Source), c.ExtraCode,
            QString::fromUtf8(c.Description),
            c.WithLookup ? ErrorReport::PropertyNameLookup(KnownProperty) : nullptr);
        EXPECT_EQ(report.Text, QString::fromUtf8(c.Text));
        EXPECT_EQ(report.Icon, c.Icon);
        EXPECT_EQ(report.Caption, QStringLiteral("Corvane GUI Designer"));
    }
}

TEST(ErrorReport, MessageTableAndMethodNames)
{
    EXPECT_EQ(GuiError::StandardText(5001), "GUI environment not initialized");
    EXPECT_EQ(GuiError::StandardText(5021),
              "Cannot activate hidden or disabled object (a disabled or hidden ancestor may "
              "cause this error)");
    EXPECT_EQ(GuiError::StandardText(5052),
              "Version of project is newer than GUI designer version. Unable to open this project!");
    EXPECT_EQ(GuiError::StandardText(5055), "Method found in project or macro - ignored");
    EXPECT_EQ(GuiError::StandardText(GuiErrors::NotSupported),
              "Object doesn't support this property or method");
    EXPECT_EQ(GuiError::StandardText(GuiErrors::NotImplemented), "Method not implemented");
    for (int number : {0, 5000, 5030, 5050, 5056, -1})
        EXPECT_TRUE(GuiError::StandardText(number).isEmpty()) << number;
    for (int number = 5001; number <= 5029; ++number)
        EXPECT_FALSE(GuiError::StandardText(number).isEmpty()) << number;

    // An error raised without a description carries the table text.
    EXPECT_EQ(GuiError(5013).Description(), "Failed to create object");

    EXPECT_EQ(MethodName(0), "Reset");
    EXPECT_EQ(MethodName(-1), "unknown");
}
