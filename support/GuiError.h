#pragma once

#include <QString>
#include <exception>
#include <string>

// A numbered error raised by an operation and reported at the command boundary. Numbers are
// those the GUI runtime shares: 5001-5029 and 5051-5055 for GUI errors, and the general
// numbers 5, 9, 53, 91, 380, 381, 383, 438, 32767 and 0x80004001.
class GuiError : public std::exception
{
public:
    GuiError(int number, QString description = {}, QString source = {});

    int Number() const { return m_number; }
    const QString &Description() const { return m_description; }
    const QString &Source() const { return m_source; }
    void SetSource(const QString &source) { m_source = source; }

    const char *what() const noexcept override { return m_what.c_str(); }

    // The standard text of a number: the message table for GUI errors, a short
    // description for the general numbers, empty otherwise.
    static QString StandardText(int number);

private:
    int m_number;
    QString m_description;
    QString m_source;
    std::string m_what;
};

namespace GuiErrors {
inline constexpr int InvalidCall = 5;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int FileNotFound = 53;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int InvalidPropertyIndex = 381;
inline constexpr int ReadOnlyProperty = 383;
inline constexpr int NotSupported = 438;
inline constexpr int TemplateError = 32767;
inline constexpr int NotImplemented = int(0x80004001u);

inline constexpr int NotInitialized = 5001;
inline constexpr int InvalidPropValue = 5002;
inline constexpr int InvalidArgument = 5003;
inline constexpr int InvalidObjectId = 5004;
inline constexpr int InvalidVersion = 5005;
inline constexpr int InvalidFormOrParent = 5012;
inline constexpr int CreateFailed = 5013;
inline constexpr int MenuLevelNotSequential = 5014;
inline constexpr int InvalidFunction = 5016;
inline constexpr int InvalidIdForObject = 5022;
inline constexpr int DuplicateId = 5023;
inline constexpr int IdDoesNotExist = 5024;
inline constexpr int CannotDesignateParent = 5025;
inline constexpr int NoOptionalItemId = 5029;
inline constexpr int OlderVersion = 5051;
inline constexpr int NewerVersion = 5052;
inline constexpr int InvalidScaleUnit = 5053;
inline constexpr int MethodConverted = 5054;
inline constexpr int MethodIgnored = 5055;
} // namespace GuiErrors
