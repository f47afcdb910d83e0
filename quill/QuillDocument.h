#pragma once

#include "code/iCodeEditor.h"

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <memory>

class BasicLexer;
class QsciScintilla;
class mvConnection;
class mvDocument;

// One program in Quill: a QScintilla view with the BASIC lexer, bound to a host item or a
// local file through the host layer.
//
// The bytes read are kept: saving a text that was not changed writes them back exactly, so
// Latin-1 programs, stray binary bytes and line ends survive a save untouched. A changed text
// is written in the encoding it was read with (Latin-1 when every character fits) and with
// LF line ends when the file had no CR LF. The item is record-locked while it is open; an
// item locked by someone else opens read-only, and saving it is refused with the text kept.
class QuillDocument final : public QWidget, public iCodeDocument
{
    Q_OBJECT
public:
    QuillDocument(mvConnection &connection, const QString &identity, BasicLexer *lexer,
                  QWidget *parent = nullptr);
    ~QuillDocument() override;

    // iCodeDocument
    void Open(const QString &documentName, QString &openedName, QString &displayName) override;
    QString Identity() const override { return m_identity; }
    QString Text() const override;
    void SetText(const QString &text) override;
    void Show() override;
    void GoToLabel(const QString &label) override;
    void SetEvents(iCodeDocumentEvents *events) override { m_events = events; }
    QString DocumentName() const override { return m_documentName; }
    void SetDocumentName(const QString &documentName) override;
    bool IsSaved() const override { return m_saved; }
    bool IsModified() const override;
    void Save() override;
    void Close() override;

    // Editor commands.
    // The line (0-based) holding the label, -1 when none does.
    int FindLabel(const QString &label) const;
    void GoToLine(int line); // 0-based
    // Reads the document again, dropping the changes.
    void Revert();
    // Saves under another document name (the record lock moves with it).
    void SaveAs(const QString &documentName);
    bool IsReadOnlyItem() const { return m_readOnlyItem; }
    // The tab caption: the item ID or file name, "*" when modified.
    QString Title() const;
    QString DisplayName() const;

    QsciScintilla *View() const { return m_view; }
    // The bytes as they would be written now.
    QByteArray BytesToWrite() const;

Q_SIGNALS:
    void TitleChanged();
    void ShowRequested(QuillDocument *document);
    void CloseRequested(QuillDocument *document);

private:
    void Load(std::unique_ptr<mvDocument> document);
    // The bytes read become the text and the bytes a save of an unchanged text writes.
    void TakeBytes(const QByteArray &bytes);
    void SetContent(const QByteArray &utf8, bool keepUndo);
    // A large program is handed to the view a slice at a time from the event loop, so the
    // first screen shows at once; everything that reads or changes the text first takes in
    // what is still pending.
    void LoadMore();
    void FinishLoading() const;
    bool AppendPending(qsizetype maxBytes) const;
    void LoadingDone() const;
    void UpdateMarginWidth() const;
    void DropIdleAccessible() const;
    bool eventFilter(QObject *watched, QEvent *event) override;
    QByteArray Utf8() const;
    std::unique_ptr<mvDocument> OpenDocument(const QString &name) const;

    mvConnection &m_connection;
    QString m_identity;
    QsciScintilla *m_view = nullptr;
    iCodeDocumentEvents *m_events = nullptr;
    std::unique_ptr<mvDocument> m_document;
    QString m_documentName;
    bool m_saved = false;
    bool m_readOnlyItem = false;
    bool m_closed = false;
    // What was read or last written: the bytes, how they were decoded, and the text.
    QByteArray m_storedBytes;
    bool m_latin1 = false;
    bool m_lfOnly = false;
    mutable QByteArray m_pending;
    mutable qsizetype m_pendingPos = 0;
};
