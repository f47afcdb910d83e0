#pragma once

#include <QString>
#include <optional>

class clsControl;

// What the closing questions need to know about a project's program code in the code
// editor. The code-editor link supplies the real one; without one a project has no code.
class iProgramCodeState
{
public:
    virtual ~iProgramCodeState() = default;

    // The editor holds program code for the application that has never been saved.
    virtual bool HasUnsavedNewCode(const clsControl &app) const = 0;
    // The application's saved program code has changes in the editor.
    virtual bool HasChangedCode(const clsControl &app) const = 0;
    // Saves the program code (asking for a document when it has none). False when the save
    // failed or the user cancelled it.
    virtual bool SaveCode(clsControl &app) = 0;

    // Program code that autosave keeps: the text in the editor and where it belongs.
    struct UnsavedProgram
    {
        QString DocumentName; // "" when the code has no document yet
        bool Saved = false;   // the document was read or written before
        QString Text;
    };
    // The application's program code when it has changes not saved yet; none otherwise.
    virtual std::optional<UnsavedProgram> ProgramToKeep(const clsControl &) const { return std::nullopt; }
    // Puts kept program code back into the editor for the application, marked modified.
    virtual bool RestoreProgram(clsControl &, const UnsavedProgram &) { return false; }
};
