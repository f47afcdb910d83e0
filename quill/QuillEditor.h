#pragma once

#include "code/iCodeEditor.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class BasicLexer;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QuillDocument;
class clsDesigner;
class mvConnection;

// Quill, the program editor: one window with a tab per code document, menus for saving,
// editing, finding and moving around, and the commands the designer adds. Closing a tab
// raises the document's DocumentClose, closing the window raises Quit after every document
// has closed.
class QuillEditor final : public QMainWindow, public iCodeEditor, public iCodeDocuments
{
    Q_OBJECT
public:
    // templateFolder: where translate.txt adds the keywords of the templates ("" for none).
    QuillEditor(mvConnection &connection, const QString &templateFolder = {},
                QWidget *parent = nullptr);
    ~QuillEditor() override;

    // An editor shown on screen as the designer starts it; the object is deleted by the
    // event loop once the last holder lets go, so dropping it inside its own Quit is safe.
    static std::shared_ptr<iCodeEditor> Create(mvConnection &connection,
                                               const QString &templateFolder,
                                               clsDesigner *designer = nullptr);

    // iCodeEditor
    iCodeDocuments &Documents() override { return *this; }
    void SetHostName(const QString &hostName) override { m_hostName = hostName; }
    void SetHostType(const QString &hostType) override { m_hostType = hostType; }
    void SetAccountName(const QString &accountName) override { m_accountName = accountName; }
    void SetIdentity(const QString &identity) override;
    void AddCustomCommand(const QString &name, const QString &caption, int number) override;
    void SetEvents(iCodeEditorEvents *events) override { m_events = events; }
    // iCodeDocuments
    iCodeDocument *Add() override;

    // The designer object the editor calls back into (same process); nullptr for none.
    clsDesigner *Designer() const { return m_designer; }
    void SetDesigner(clsDesigner *designer) { m_designer = designer; }

    QString HostType() const { return m_hostType; }
    QString HostName() const { return m_hostName; }
    QString AccountName() const { return m_accountName; }
    QString Identity() const { return m_identity; }

    QuillDocument *CurrentDocument() const;
    QList<QuillDocument *> OpenDocuments() const;
    QTabWidget *Tabs() const { return m_tabs; }
    BasicLexer *Lexer() const { return m_lexer; }

    // Commands (also reachable from the menus and keys).
    bool SaveCurrent();
    bool SaveCurrentAs();
    void RevertCurrent();
    // Closes a tab, asking about unsaved changes; false when the user kept it open.
    bool CloseDocument(QuillDocument *document);
    void ShowFind(bool replace);
    bool FindNext();
    bool ReplaceOne();
    int ReplaceAll();
    void GoToLineDialog();
    void GoToLabelDialog();
    // Runs a custom command as its menu entry does.
    void RunCustomCommand(const QString &name);
    QMenu *CustomMenu() const { return m_customMenu; }

    // How questions and errors reach the user; tests answer them without a modal box.
    // question: the text, answered Save, Discard or Cancel (QMessageBox::StandardButton).
    void SetSaveQuestion(std::function<int(const QString &)> ask) { m_askSave = std::move(ask); }
    void SetMessageSink(std::function<void(const QString &)> show) { m_showMessage = std::move(show); }
    // Yes/No before a program never saved replaces an item that exists; true for Yes.
    void SetOverwriteQuestion(std::function<bool(const QString &)> ask) { m_askOverwrite = std::move(ask); }
    // Line number and label for the two Go to dialogs.
    void SetLineQuestion(std::function<std::optional<int>(int current, int last)> ask) { m_askLine = std::move(ask); }
    void SetLabelQuestion(std::function<std::optional<QString>()> ask) { m_askLabel = std::move(ask); }

    QLineEdit *FindEdit() const { return m_findEdit; }
    QLineEdit *ReplaceEdit() const { return m_replaceEdit; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildMenus();
    void BuildFindBar();
    void UpdateTitles();
    void UpdatePosition();
    void ShowDocument(QuillDocument *document);
    void RemoveDocument(QuillDocument *document);
    void ReportError(const QString &text);
    // False when the user does not want an existing item replaced by a new program.
    bool MayWrite(const QString &documentName);

    mvConnection &m_connection;
    clsDesigner *m_designer = nullptr;
    iCodeEditorEvents *m_events = nullptr;
    BasicLexer *m_lexer = nullptr;
    QTabWidget *m_tabs = nullptr;
    QWidget *m_findBar = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QWidget *m_replaceRow = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QLabel *m_position = nullptr;
    QMenu *m_customMenu = nullptr;
    QString m_hostType;
    QString m_hostName;
    QString m_accountName;
    QString m_identity;
    bool m_quitting = false;
    std::function<int(const QString &)> m_askSave;
    std::function<void(const QString &)> m_showMessage;
    std::function<bool(const QString &)> m_askOverwrite;
    std::function<std::optional<int>(int, int)> m_askLine;
    std::function<std::optional<QString>()> m_askLabel;
};
