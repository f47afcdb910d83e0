#pragma once

#include "app/PersistSettings.h"
#include "app/clsDesignerSettings.h"
#include "host/mvConnection.h"
#include "support/DynamicArray.h"

#include <QString>
#include <QStringList>
#include <array>

// The state the whole designer shares from start-up to shutdown: folders, locale
// separators, screen sizes in twips, host parameters, settings and the undo buffer.
// There is one per process (Process()); tests build their own with a folder of their choice.
class ProcessState
{
public:
    // The folder of the running executable.
    ProcessState();
    // Any folder; "\" is read as "/" and a trailing "/" is added.
    explicit ProcessState(const QString &programFolder);
    ProcessState(const ProcessState &) = delete;
    ProcessState &operator=(const ProcessState &) = delete;

    static constexpr int CursorCount = 8;
    static constexpr int HostServiceFeature = 15;

    QString ProgramFolder;  // ends in "/"
    QString ImagesFolder;   // ProgramFolder + "images/"
    bool IsXpOrLater = true;
    bool IsVistaOrLater = true;

    QString DecimalSeparator = QStringLiteral(".");
    QString ThousandsSeparator = QStringLiteral(",");
    QString CurrencySymbol = QStringLiteral("$");
    QString NegativeSign = QStringLiteral("-");
    QString PositiveSign = QStringLiteral("+");
    bool DecimalIsNotPoint = false;

    int FrameWidth = 0;        // twips
    int CaptionHeight = 0;     // twips
    int VirtualScreenLeft = 0; // twips
    std::array<int, CursorCount> CursorIds{};

    QString HostType = QStringLiteral("mvdb");
    QString HostName;
    QString AccountName;
    QString HostFileName;
    QString ItemID;
    QString ExtensionArgument;
    // The folder of the last local document (the local file parameter names the document or a
    // folder), or the current folder: where a new local document is offered.
    QString LocalFolder() const;

    bool DisableThemes = false;

    // The event name lists of the vocabulary (program names and display names, by code),
    // filled at start-up.
    QStringList EventNames;
    QStringList EventCaptions;

    DynamicArray UndoBuffer;
    mvConnection Connection; // the host access layer
    modPersistSettings Persist;
    clsDesignerSettings Settings;

    // Reads the separators from the default locale; an empty item keeps its default.
    void ReadLocale();
    // Sets the separators from explicit texts (empty keeps the default).
    void SetSeparators(const QString &decimal, const QString &thousands, const QString &currency,
                       const QString &negative, const QString &positive);
    // Frame, caption and screen sizes and the cursor ids from the installed metrics.
    void ReadMetrics();
    void ChooseCursorIds(int colourDepth);
    // "DisableThemes" of section "Behavior" in cvguisvr.ini.
    void ReadBehavior();

    // Numeric text typed by the user with the locale's separator, ready to parse.
    QString ToPointDecimal(const QString &text) const;

    // The one instance, created on first use.
    static ProcessState &Instance();
    // Makes Process() return state until the guard ends (tests of code that uses Process()).
    class Override
    {
    public:
        explicit Override(ProcessState &state);
        ~Override();
        Override(const Override &) = delete;
        Override &operator=(const Override &) = delete;

    private:
        ProcessState *m_previous;
    };

private:
    static QString NormaliseFolder(const QString &folder);
};

ProcessState &Process();
