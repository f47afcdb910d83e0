#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// One answer of the GUI runtime: status rows and event rows, each row a list of fields.
//  status row: severity, (unused), object ID, property code, GUI error number, message
//  event row:  object's full ID, the event's one-bit mask, (unused), arguments...
// A result with no row at all means "nothing yet": the rows come later through ReturnResult.
struct GuiResult
{
    QList<QStringList> Status;
    QList<QStringList> Events;

    bool IsEmpty() const { return Status.isEmpty() && Events.isEmpty(); }

    // The rows as a host program receives them: rows joined by attribute marks, fields by
    // value marks.
    QString StatusText() const;
    QString EventText() const;
    static QString RowsText(const QList<QStringList> &rows);
};

// The GUI runtime as the designer and the generated programs see it: a command text in
// (fields joined by value marks, the first the command code), a result table out. Results
// that arrive later (the events a "7" waits for) are handed to the ReturnResult handler.
class iGuiRuntime
{
public:
    using ResultHandler = std::function<void(const GuiResult &)>;

    virtual ~iGuiRuntime() = default;
    virtual GuiResult Execute(const QString &command) = 0;
    virtual void SetReturnResult(ResultHandler handler) = 0;
    // The folder of the project's document, so that pictures named relative to the project
    // are found there; empty (the default) means the working folder. Set before "11".
    virtual void SetProjectFolder(const QString &folder) { Q_UNUSED(folder); }
};

// Makes a GUI runtime by its class name; nullptr when the class cannot be created.
class iGuiRuntimeFactory
{
public:
    static constexpr const char *DefaultClass = "Corvane.GuiRuntime";

    virtual ~iGuiRuntimeFactory() = default;
    virtual std::unique_ptr<iGuiRuntime> Create(const QString &className) = 0;
};

// The command codes and helpers shared by the designer, the runtime and tests.
namespace GuiCommand {
inline constexpr int Initialise = 1;
inline constexpr int Load = 11;
inline constexpr int Method = 6;
inline constexpr int Wait = 7;
inline constexpr int Shutdown = 99;
// The project format the designer initialises the runtime for.
inline constexpr const char *FormatVersion = "1.4";

// Fields joined by value marks.
QString Make(const QStringList &fields);
} // namespace GuiCommand
