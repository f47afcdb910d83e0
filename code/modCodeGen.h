#pragma once

#include "code/EventList.h"
#include "code/TemplateVariables.h"

#include <QString>
#include <optional>

class TemplateFiles;
class iCodeCommandHost;

// Code generation: turns a project into the GUI support code of its host program with the
// sections of the code template for the project's code style.
//
//   section 1-5  program head, declarations, start-up, event loop, shutdown
//   section 6    the event decoder (tagged line templates and frame)
//   section 7    an event handler; 8 a form's Close handler; 9 the application's Close handler
//   section 11, 12, 10  trailing code, written in that order
//
// Template errors (missing template, file or section) are raised as GuiError from the
// template files and end the command. The generator never shows anything itself: a warning
// for the caller to show is kept in Warning().
class modCodeGen
{
public:
    // What the event list is built for: a new program checks that a dialog-only template can
    // serve the project; the analysis of an existing program does not.
    enum class Purpose { NewProgram, Analysis };

    explicit modCodeGen(TemplateFiles &templates);

    // The project to generate for. Raises GuiError 5005 for a text that is not a project.
    // The code style and casing are taken from the project's record 1 until set otherwise.
    void SetProjectText(const QString &projectText);
    void SetProject(EventList project);
    const EventList &Project() const { return m_project; }

    // Where the project is saved: %%PROJFILE%% and %%PROJID%% of the templates.
    void SetProjectLocation(const QString &fileName, const QString &itemId);
    void SetCodeStyle(const QString &style) { m_codeStyle = style; }
    const QString &CodeStyle() const { return m_codeStyle; }
    // 1 upper case, 2 lower case, 3 mixed case; anything else leaves the template's keywords.
    void SetCasing(int casing) { m_casing = casing; }
    int Casing() const { return m_casing; }

    // The event rows for the purpose. For a new program with a dialog-only template and a
    // project it cannot serve, sets Warning() and returns false (rows stay empty).
    bool BuildEventList(Purpose purpose, std::vector<EventRow> &rows);
    // The text of the last warning; empty when there was none.
    const QString &Warning() const { return m_warning; }

    // A complete new program; "" when the event list cannot be built (see Warning()).
    QString GenerateProgram();
    // The decoder frame with the dispatch block of every enabled event.
    QString BuildEventDecoder();
    QString BuildEventDecoder(const std::vector<EventRow> &rows);
    // The label of an event's handler, made after the placeholder on the first line of the
    // handler section, as the project's program names it (see EventHandlerLabels).
    QString EventHandlerLabel(const QString &app, const QString &form, const QString &control,
                              const QString &event);
    // The labels of the rows' handlers, in row order. IDs that differ only in characters a
    // label cannot hold ("A-B" and "AB", "A B" and "A.B") would give two handlers one label:
    // the first row keeps it and each later one gets the label's separator and the lowest
    // number from 2 up that gives a label no row holds ("LOGIN.AB.CLOSE.2"). Labels are
    // compared without regard to case. A project without such a clash keeps every label.
    std::vector<QString> EventHandlerLabels(const std::vector<EventRow> &rows);
    // The handler of one event: the form Close section, the application Close section or the
    // general handler section, filled in.
    QString EventHandlerCode(const QString &app, const QString &form, const QString &control,
                             const QString &event);
    // The same for a row whose label is known.
    QString EventHandlerCode(const EventRow &row, const QString &label)
    {
        return HandlerCode(row, label);
    }

    // The label for a placeholder name as written (its casing and its trailing separator).
    static QString MakeEventHandlerLabel(const QString &placeholderName, const QString &app,
                                         const QString &form, const QString &control,
                                         const QString &event);
    // An ID as a label part: blanks become ".", letters A-Z/a-z, digits, characters 128-250,
    // "$", "." and "_" stay, everything else is dropped.
    static QString LabelPart(const QString &id);

    // The code of a shortcut-key name ("CTRL+S", "F5", "SHIFT+DEL", ...), compared in upper
    // case; 0 for any other text.
    static int ShortcutKeyCode(const QString &name);
    // The name of a code (the first spelling where there are two); "" for 0 or an unknown code.
    static QString ShortcutKeyName(int code);

    // Every code command first needs a project saved under a file name and item ID. When it
    // has none, asks whether to save; true when the command may go on.
    static bool EnsureProjectSaved(iCodeCommandHost &host);
    static QString SaveRequiredText();

    // The separator written between the pieces of a program: five comment lines.
    static QString Banner();

private:
    TemplateVariables ProjectVariables() const;
    QString Section(int n);
    QString LabelPlaceholderName();
    // The decoder, with the handler label of each row (in row order) left in labels.
    QString EventDecoder(const std::vector<EventRow> &rows, std::vector<QString> &labels);
    // The handler of a row whose label is made.
    QString HandlerCode(const EventRow &row, const QString &label);
    static std::vector<QString> UniqueLabels(const QString &placeholderName,
                                             const std::vector<EventRow> &rows);

    TemplateFiles &m_templates;
    EventList m_project;
    QString m_projectFile;
    QString m_projectId;
    QString m_codeStyle;
    int m_casing = 0;
    QString m_warning;
    // While GenerateProgram runs, the label placeholder name once looked up.
    bool m_generating = false;
    std::optional<QString> m_labelName;
};
