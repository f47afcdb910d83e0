#pragma once

#include "app/DesignerRoot.h"
#include "app/HeadlessPrompter.h"

#include <QString>

class CliOptions;
class ProcessState;
struct ProjectState;

// What every loading subcommand shares: the designer's world, built as the designer builds
// it, with the headless prompter that writes each report to stderr.
class CliProject
{
public:
    CliProject();
    ~CliProject();

    // Called once by the tool itself, whose process ends with its command: from then on a
    // project is closed by letting go of its document and leaving its objects to the end of
    // the process (clsItems::Abandon) instead of deleting them one by one.
    static void EndWithTheProcess() { s_endsWithProcess = true; }

    // Applies the options every loading subcommand takes (--duplicates). False with a
    // message for a usage error.
    bool Configure(const CliOptions &options, QString &error);

    // Opens and loads the project named by a local path or a document name. Returns the
    // exit status so far: Usage when it could not be read, Problem when a report of severity
    // 2 or more occurred or nothing was loaded, Ok otherwise.
    int Load(const QString &documentName);

    // The loaded project; nullptr when nothing was loaded.
    ProjectState *Project() const { return m_project; }
    // Whether the load ran to its end.
    bool Complete() const;
    // Ok, or Problem once a report of severity 2 or more occurred.
    int Status() const;

    ProcessState &State() { return m_root.State(); }
    const ProcessState &State() const { return m_root.State(); }
    clsItems &Items() { return m_root.Items(); }
    clsDesigner &Designer() { return m_root.Designer(); }
    const clsDesigner &Designer() const { return m_root.Designer(); }
    DocumentStorage &Storage() { return m_root.Storage(); }
    HeadlessPrompter &Prompter() { return m_prompter; }

private:
    HeadlessPrompter m_prompter;
    DesignerRoot m_root;
    ProjectState *m_project = nullptr;
    static inline bool s_endsWithProcess = false;
};

// Writes the bytes to the file (replacing it whole) or, for no file or "-", to stdout. A
// document name of the host layer ("mvdb://host/account/file/item") is written to that item,
// never to a local path spelt like it. False with a message on stderr when it cannot be
// written.
bool CliWriteOutput(CliProject &project, const QString &file, const QByteArray &bytes);
