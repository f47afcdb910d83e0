#pragma once

#include <QString>
#include <functional>
#include <memory>

// The code editor as the designer sees it. The editor is an outside program to the designer:
// it owns its windows and documents, the designer only holds references and listens to its
// events. Quill implements these interfaces; any editor that does could replace it.
//
// Operations that fail raise GuiError with a description the designer can show.

class iCodeDocument;

// Events of one code document.
class iCodeDocumentEvents
{
public:
    virtual ~iCodeDocumentEvents() = default;
    // The document is about to close; the reference must not be used after this returns.
    virtual void DocumentClose(iCodeDocument &document) = 0;
};

// One program in the editor.
class iCodeDocument
{
public:
    virtual ~iCodeDocument() = default;

    // Loads an existing program item by its document name. openedName receives the name the
    // document now has, displayName the name the editor shows for it.
    virtual void Open(const QString &documentName, QString &openedName, QString &displayName) = 0;
    // The identity text of the editor session the document lives in.
    virtual QString Identity() const = 0;
    // The whole program text (CR LF line ends) and its replacement; writing is one undo step
    // in the editor and marks the document modified when the text differs.
    virtual QString Text() const = 0;
    virtual void SetText(const QString &text) = 0;
    // Brings the document's window to the front and makes its tab current.
    virtual void Show() = 0;
    // Moves the caret to the line holding the label; raises GuiError when no line does.
    virtual void GoToLabel(const QString &label) = 0;
    virtual void SetEvents(iCodeDocumentEvents *events) = 0;

    // Used when the project is saved or closed.
    // The host document the program is saved to; empty when it has none yet.
    virtual QString DocumentName() const = 0;
    // Names the document a new program will be saved to (nothing is written yet).
    virtual void SetDocumentName(const QString &documentName) = 0;
    // True once the program has been read from or written to its document.
    virtual bool IsSaved() const = 0;
    // The text differs from what was last read or written.
    virtual bool IsModified() const = 0;
    // Writes the text to its document (raises GuiError, keeping the text, when that fails).
    virtual void Save() = 0;
    // Closes the document without saving (raises DocumentClose).
    virtual void Close() = 0;
};

// The editor's collection of documents.
class iCodeDocuments
{
public:
    virtual ~iCodeDocuments() = default;
    // A new, empty document, owned by the editor.
    virtual iCodeDocument *Add() = 0;
};

// Events of the editor.
class iCodeEditorEvents
{
public:
    virtual ~iCodeEditorEvents() = default;
    // A custom command the designer added was chosen.
    virtual void Custom(const QString &commandName) = 0;
    // The editor closed (its documents have raised DocumentClose before).
    virtual void Quit() = 0;
};

class iCodeEditor
{
public:
    virtual ~iCodeEditor() = default;

    virtual iCodeDocuments &Documents() = 0;
    virtual void SetHostName(const QString &hostName) = 0;
    virtual void SetHostType(const QString &hostType) = 0;
    virtual void SetAccountName(const QString &accountName) = 0;
    // The identity text the designer kept from an earlier document ("" before the first).
    virtual void SetIdentity(const QString &identity) = 0;
    // Adds a command to the editor's menu; choosing it raises Custom with the name.
    virtual void AddCustomCommand(const QString &name, const QString &caption, int number) = 0;
    virtual void SetEvents(iCodeEditorEvents *events) = 0;
};

// Creates an editor; raises (GuiError or std::exception) when it cannot be started.
using CodeEditorFactory = std::function<std::shared_ptr<iCodeEditor>()>;
