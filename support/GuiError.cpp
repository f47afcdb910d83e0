#include "support/GuiError.h"

namespace {

struct MessageText
{
    int Number;
    const char *Text;
};

constexpr MessageText MessageTable[] = {
    // General numbers.
    {GuiErrors::InvalidCall, "Invalid procedure call or argument"},
    {GuiErrors::SubscriptOutOfRange, "Subscript out of range"},
    {GuiErrors::FileNotFound, "File not found"},
    {GuiErrors::ObjectNotSet, "Object variable not set"},
    {GuiErrors::InvalidPropertyValue, "Invalid property value"},
    {GuiErrors::InvalidPropertyIndex, "Invalid property array index"},
    {GuiErrors::ReadOnlyProperty, "Property is read-only"},
    {GuiErrors::NotSupported, "Object doesn't support this property or method"},
    {GuiErrors::TemplateError, "Code template error"},
    {GuiErrors::NotImplemented, "Method not implemented"},
    // GUI errors.
    {5001, "GUI environment not initialized"},
    {5002, "Invalid property value"},
    {5003, "Invalid argument value"},
    {5004, "Object ID is missing or invalid"},
    {5005, "Project or macro specifies an invalid version or is corrupt or invalid"},
    {5006, "Function cannot be recorded in macro"},
    {5007, "No forms exist (or all forms are disabled)"},
    {5008, "Obsolete message 1"},
    {5009, "Error accessing macro cache"},
    {5010, "The specified item must be a Form"},
    {5011, "Obsolete message 2"},
    {5012, "Invalid Form or Parent ID"},
    {5013, "Failed to create object"},
    {5014, "Invalid menu - level is not sequential"},
    {5015, "Cannot post event while recording macro"},
    {5016, "Invalid function in project or macro"},
    {5017, "Cannot delete main MDI app while shared MDI apps still exist"},
    {5018, "Function not permitted while suspended"},
    {5019, "User cancelled action"},
    {5020, "New command invalid until previous command has responded"},
    {5021, "Cannot activate hidden or disabled object (a disabled or hidden ancestor may cause "
           "this error)"},
    {5022, "The specified ID is not valid for the object being created"},
    {5023, "An object of the specified ID already exists"},
    {5024, "An object of the specified ID does not exist"},
    {5025, "The object type being created cannot designate a parent"},
    {5026, "Unable to disable a visible dialog form"},
    {5027, "Unable to show a disabled dialog form"},
    {5028, "Unable to show dialog from hidden app"},
    {5029, "Property or function does not support optional Item ID"},
    {5051, "Version of project is older than current GUI designer version. When the project is "
           "saved its version can be updated to the current version, however, it will no "
           "longer run with older versions of the GUI runtime."},
    {5052, "Version of project is newer than GUI designer version. Unable to open this "
           "project!"},
    {5053, "The scale unit specified in the project is invalid."},
    {5054, "Method found in project or macro - converted to property setting"},
    {5055, "Method found in project or macro - ignored"},
};

} // namespace

GuiError::GuiError(int number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source))
{
    if (m_description.isEmpty())
        m_description = StandardText(number);
    m_what = QStringLiteral("%1: %2").arg(number).arg(m_description).toStdString();
}

QString GuiError::StandardText(int number)
{
    for (const MessageText &entry : MessageTable) {
        if (entry.Number == number)
            return QString::fromUtf8(entry.Text);
    }
    return {};
}
