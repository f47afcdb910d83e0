#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// One enabled event of a project: the object it belongs to and the event's program name.
// A bar item's click reads "MENU(" + item ID + ")" with the bar's ID as the control.
struct EventRow
{
    QString App;
    QString Form;    // empty for the application itself and for its bars
    QString Control; // empty for a form or the application
    QString Event;
    int Type = 0;    // object type code
};

// What code generation reads from a project text: the objects with their event masks and bar
// items, the application's descriptive texts and the program-code location of record 1, and
// from them the event list.
//
// Rows of one application, one form and one control are kept together even when the text
// names them apart (an application's bar written after its forms, say), so the decoder opens
// each of them once. Within an object the events follow their codes; a bar's items follow
// the bar's item order.
class EventList
{
public:
    struct Object
    {
        QString App;
        QString Form;
        QString Control;
        int Type = 0;
        std::int32_t Mask = 0;
        QString Items; // a bar's items: entries by value mark, parts by subvalue mark
    };

    // Parses a project text (records by attribute mark, fields by value mark, parts by
    // subvalue mark). Raises GuiError 5005 when the text is not a project and 5016 for a
    // record with an unknown function code.
    static EventList FromProjectText(const QString &text);

    const std::vector<Object> &Objects() const { return m_objects; }
    // One row per enabled event, in decoder order; a repeated event of one object (two bar
    // items with one ID) is listed once.
    const std::vector<EventRow> &Rows() const { return m_rows; }
    // The rows one object contributes (before duplicates are dropped).
    static std::vector<EventRow> RowsOf(const Object &object);

    // The first application (or form) that a dialog-only template cannot serve: an
    // application other than the single-document style or a form other than a dialog.
    // nullptr when every object fits.
    const Object *FirstNonDialogObject() const;

    // The project's application (the first one in the text) and its texts.
    const QString &ApplicationId() const { return m_appId; }
    int ApplicationType() const { return m_appType; }
    // The first form of the application: the one the generated program shows at start.
    const QString &MainFormId() const { return m_mainForm; }
    const QString &Author() const { return m_author; }
    const QString &Copyright() const { return m_copyright; }
    const QString &Description() const { return m_description; }

    // Record 1, field 4: where the program lives and how it was generated.
    const QString &ProgramFile() const { return m_programFile; }
    const QString &ProgramId() const { return m_programId; }
    const QString &CodeStyle() const { return m_codeStyle; }
    int Casing() const { return m_casing; }

private:
    std::vector<Object> m_objects; // in decoder order
    std::vector<EventRow> m_rows;
    QString m_appId;
    int m_appType = -1;
    QString m_mainForm;
    QString m_author;
    QString m_copyright;
    QString m_description;
    QString m_programFile;
    QString m_programId;
    QString m_codeStyle;
    int m_casing = 0;
};
