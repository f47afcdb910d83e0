#pragma once

#include "host/mvDocument.h"

#include <QString>
#include <memory>

class clsControl;

// Data a higher layer keeps with one open project and that ends with it (the code-editor
// link keeps the project's code document there).
struct ProjectExtension
{
    virtual ~ProjectExtension() = default;
};

// What the designer keeps for one open project beside its items: the document it is bound
// to, whether it has unsaved changes, and the parts of the first record that belong to the
// application (header text and program-code location). The format version lives with the
// application's wrapper.
struct ProjectState
{
    clsControl *App = nullptr;
    // None for a project never saved.
    std::unique_ptr<mvDocument> Document;
    bool Changed = false;
    // The document loaded only in part; the project is bound to it read-only, so a save can
    // never put the part over the whole.
    bool PartlyLoaded = false;
    // The document name of the project's program code; empty when it has none yet.
    QString ProgramDocumentName;
    QString CodeStyle;
    int Casing = 0;
    QString HeaderText;
    std::unique_ptr<ProjectExtension> Code;
};
