#include "quill/QuillDocument.h"

#include "code/CodeProgramText.h"
#include "host/DocumentName.h"
#include "host/HostErrors.h"
#include "host/mvConnection.h"
#include "quill/BasicLexer.h"
#include "support/GuiError.h"
#include "support/TextReplace.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QVBoxLayout>
#include "quill/QsciHeaders.h"

QuillDocument::QuillDocument(mvConnection &connection, const QString &identity, BasicLexer *lexer,
                             QWidget *parent)
    : QWidget(parent), m_connection(connection), m_identity(identity)
{
    m_view = new QsciScintilla(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_view->setUtf8(true);
    m_view->setEolMode(QsciScintilla::EolWindows);
    m_view->setLexer(lexer);
    m_view->setMarginType(0, QsciScintilla::NumberMargin);
    m_view->setMarginLineNumbers(0, true);
    m_view->setFolding(QsciScintilla::BoxedTreeFoldStyle, 2);
    m_view->setCaretLineVisible(true);
    m_view->setCaretLineBackgroundColor(QColor(0xf2, 0xf6, 0xff));
    m_view->setIndentationsUseTabs(false);
    m_view->setTabWidth(4);
    m_view->setAutoIndent(true);
    m_view->setBraceMatching(QsciScintilla::SloppyBraceMatch);
    // Very long lines: keep layout work bounded to what is on screen.
    m_view->SendScintilla(QsciScintilla::SCI_SETLAYOUTCACHE, QsciScintilla::SC_CACHE_PAGE);
    m_view->SendScintilla(QsciScintilla::SCI_SETSCROLLWIDTHTRACKING, 1);
    // The component reports every insertion and deletion for assistive technology with a
    // character offset counted from the start of the text: in a large program that count
    // costs several frames per key. Nothing else here needs those reports, so they are only
    // asked for when a screen reader is listening.
    if (!QAccessible::isActive())
        m_view->SendScintilla(QsciScintilla::SCI_SETMODEVENTMASK,
                              (unsigned long)(QsciScintilla::SC_MOD_CHANGEFOLD | QsciScintilla::SC_MOD_CHANGEMARKER));
    m_view->setFocusPolicy(Qt::StrongFocus);
    m_view->installEventFilter(this);
    setFocusProxy(m_view);

    connect(m_view, &QsciScintilla::modificationChanged, this, [this](bool) { Q_EMIT TitleChanged(); });
    SetContent({}, false);
}

// Once an accessibility object exists for the view (any accessibility event makes one), the
// component counts the characters up to the caret after every change of the screen, which in
// a large program costs several frames per key. With no assistive technology listening the
// object serves nobody, so it is dropped whenever the view gains focus or takes a new text.
void QuillDocument::DropIdleAccessible() const
{
    if (QAccessible::isActive())
        return;
    if (QAccessibleInterface *idle = QAccessible::queryAccessibleInterface(m_view))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(idle));
}

bool QuillDocument::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::KeyPress
            || event->type() == QEvent::InputMethod))
        DropIdleAccessible();
    return QWidget::eventFilter(watched, event);
}


QuillDocument::~QuillDocument() = default;

std::unique_ptr<mvDocument> QuillDocument::OpenDocument(const QString &name) const
{
    auto document = m_connection.Open(name);
    if (!document)
        throw GuiError(HostErrors::BadFileName,
                       QStringLiteral("Cannot open document '%1' - file name and/or item ID missing!").arg(name));
    if (!document->NamesItem())
        throw GuiError(HostErrors::BadFileName,
                       QStringLiteral("'%1' appears to be a file or folder.").arg(document->DisplayName()));
    return document;
}

void QuillDocument::Open(const QString &documentName, QString &openedName, QString &displayName)
{
    auto document = OpenDocument(documentName);
    if (!document->Exists())
        throw GuiError(HostErrors::FileNotFound,
                       QStringLiteral("Item '%1' is not on file.").arg(document->DisplayName()));
    Load(std::move(document));
    openedName = m_documentName;
    displayName = DisplayName();
}

namespace {
// Bytes the view can take as they are: UTF-8 without a byte-order mark, every line ended by
// CR LF. Anything else is decoded and normalised first.
bool IsPlainUtf8CrLf(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    const char *s = bytes.constData();
    const qsizetype n = bytes.size();
    for (const char *p = static_cast<const char *>(memchr(s, '\r', size_t(n))); p;
         p = static_cast<const char *>(memchr(p + 1, '\r', size_t(s + n - p - 1)))) {
        if (p + 1 >= s + n || p[1] != '\n')
            return false;
    }
    for (const char *p = static_cast<const char *>(memchr(s, '\n', size_t(n))); p;
         p = static_cast<const char *>(memchr(p + 1, '\n', size_t(s + n - p - 1)))) {
        if (p == s || p[-1] != '\r')
            return false;
    }
    return QUtf8StringView(bytes).isValidUtf8();
}

constexpr qsizetype FirstSlice = 128 * 1024;
constexpr qsizetype LaterSlice = 256 * 1024;
} // namespace

void QuillDocument::Load(std::unique_ptr<mvDocument> document)
{
    const QByteArray bytes = document->ReadBytes();
    // Someone else editing the item: read it, but do not write over their work.
    bool readOnly = false;
    try {
        document->Lock();
    } catch (const GuiError &) {
        readOnly = true;
    }
    m_readOnlyItem = readOnly;
    m_document = std::move(document);
    m_documentName = m_document->Name();
    m_saved = true;
    TakeBytes(bytes);
}

void QuillDocument::TakeBytes(const QByteArray &bytes)
{
    m_storedBytes = bytes;
    QByteArray utf8;
    if (IsPlainUtf8CrLf(bytes)) {
        m_latin1 = false;
        m_lfOnly = false;
        utf8 = bytes;
    } else {
        utf8 = CodeProgramText::FromBytes(bytes, &m_latin1).toUtf8();
        m_lfOnly = bytes.contains('\n') && !bytes.contains("\r\n");
    }
    SetContent(utf8, false);
    Q_EMIT TitleChanged();
}

void QuillDocument::SetContent(const QByteArray &utf8, bool keepUndo)
{
    QsciScintilla &v = *m_view;
    if (keepUndo) {
        FinishLoading();
        // One undo step for the whole replacement.
        v.SendScintilla(QsciScintilla::SCI_BEGINUNDOACTION);
        v.SendScintilla(QsciScintilla::SCI_SETTARGETRANGE, 0UL,
                        long(v.SendScintilla(QsciScintilla::SCI_GETLENGTH)));
        v.SendScintilla(QsciScintilla::SCI_REPLACETARGET, (unsigned long)utf8.size(), utf8.constData());
        v.SendScintilla(QsciScintilla::SCI_ENDUNDOACTION);
        UpdateMarginWidth();
        return;
    }
    m_pending.clear();
    m_pendingPos = 0;
    v.SendScintilla(QsciScintilla::SCI_SETUNDOCOLLECTION, 0UL);
    v.SendScintilla(QsciScintilla::SCI_CLEARALL);
    v.SendScintilla(QsciScintilla::SCI_ALLOCATE, (unsigned long)utf8.size() + 1);
    m_pending = utf8;
    if (AppendPending(FirstSlice)) {
        LoadingDone();
        return;
    }
    QMetaObject::invokeMethod(this, &QuillDocument::LoadMore, Qt::QueuedConnection);
}

// Appends up to maxBytes more (cut after a line end); true when nothing is left.
bool QuillDocument::AppendPending(qsizetype maxBytes) const
{
    const qsizetype left = m_pending.size() - m_pendingPos;
    qsizetype take = qMin(left, maxBytes);
    if (take < left) {
        const qsizetype lineEnd = m_pending.indexOf('\n', m_pendingPos + take);
        take = lineEnd < 0 ? left : lineEnd + 1 - m_pendingPos;
    }
    // Appended with its length: NUL bytes and other binary content stay in the text. The
    // view is read-only to the user while slices are pending, not to the loading itself.
    m_view->SendScintilla(QsciScintilla::SCI_SETREADONLY, 0UL);
    m_view->SendScintilla(QsciScintilla::SCI_APPENDTEXT, (unsigned long)take,
                          m_pending.constData() + m_pendingPos);
    m_pendingPos += take;
    m_view->SendScintilla(QsciScintilla::SCI_SETSAVEPOINT);
    const bool done = m_pendingPos >= m_pending.size();
    m_view->SendScintilla(QsciScintilla::SCI_SETREADONLY, done ? 0UL : 1UL);
    return done;
}

void QuillDocument::LoadingDone() const
{
    m_pending.clear();
    m_pendingPos = 0;
    QsciScintilla &v = *m_view;
    v.SendScintilla(QsciScintilla::SCI_SETUNDOCOLLECTION, 1UL);
    v.SendScintilla(QsciScintilla::SCI_EMPTYUNDOBUFFER);
    v.SendScintilla(QsciScintilla::SCI_SETSAVEPOINT);
    v.SendScintilla(QsciScintilla::SCI_SETREADONLY, 0UL);
    UpdateMarginWidth();
    DropIdleAccessible();
}

void QuillDocument::LoadMore()
{
    if (m_pending.isEmpty())
        return;
    if (AppendPending(LaterSlice))
        LoadingDone();
    else
        QMetaObject::invokeMethod(this, &QuillDocument::LoadMore, Qt::QueuedConnection);
}

void QuillDocument::FinishLoading() const
{
    if (m_pending.isEmpty())
        return;
    AppendPending(m_pending.size());
    LoadingDone();
}

void QuillDocument::UpdateMarginWidth() const
{
    const long lines = m_view->SendScintilla(QsciScintilla::SCI_GETLINECOUNT);
    m_view->setMarginWidth(0, QFontMetrics(QFontDatabase::systemFont(QFontDatabase::FixedFont))
                                  .horizontalAdvance(QString(QString::number(lines).size() + 1, QLatin1Char('9'))) + 8);
}

QByteArray QuillDocument::Utf8() const
{
    FinishLoading();
    const long length = m_view->SendScintilla(QsciScintilla::SCI_GETLENGTH);
    const auto *text = static_cast<const char *>(m_view->SendScintillaPtrResult(QsciScintilla::SCI_GETCHARACTERPOINTER));
    return text ? QByteArray(text, int(length)) : QByteArray();
}

QString QuillDocument::Text() const { return QString::fromUtf8(Utf8()); }

void QuillDocument::SetText(const QString &text)
{
    const QByteArray utf8 = CodeProgramText::NormalizeLineEnds(text).toUtf8();
    if (utf8 == Utf8())
        return;
    // A new program's first text is where its history starts: undo does not empty it.
    if (!m_saved && m_view->SendScintilla(QsciScintilla::SCI_GETLENGTH) == 0) {
        SetContent(utf8, false);
        return;
    }
    const int firstVisible = m_view->firstVisibleLine();
    SetContent(utf8, true);
    m_view->setFirstVisibleLine(firstVisible);
}

void QuillDocument::Show()
{
    Q_EMIT ShowRequested(this);
    m_view->setFocus();
}

int QuillDocument::FindLabel(const QString &label) const
{
    const QByteArray wanted = label.trimmed().toUpper().toUtf8();
    if (wanted.isEmpty())
        return -1;
    const QByteArray text = Utf8();
    int line = 0;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start <= n) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = n;
        // The label, then ":" once blanks are left out, ignoring case.
        qsizetype i = start;
        while (i < end && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        qsizetype k = 0;
        while (k < wanted.size() && i < end) {
            if (text[i] == ' ' || text[i] == '\t') {
                ++i;
                continue;
            }
            char c = text[i];
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
            if (c != wanted[k])
                break;
            ++i;
            ++k;
        }
        if (k == wanted.size()) {
            while (i < end && (text[i] == ' ' || text[i] == '\t'))
                ++i;
            if (i < end && text[i] == ':')
                return line;
        }
        start = end + 1;
        ++line;
    }
    return -1;
}

void QuillDocument::GoToLabel(const QString &label)
{
    const int line = FindLabel(label);
    if (line < 0)
        throw GuiError(5, QStringLiteral("Label '%1' not found in %2.").arg(label, Title()));
    GoToLine(line);
}

void QuillDocument::GoToLine(int line)
{
    FinishLoading();
    const int last = qMax(0, m_view->lines() - 1);
    line = qBound(0, line, last);
    m_view->SendScintilla(QsciScintilla::SCI_ENSUREVISIBLEENFORCEPOLICY, line);
    m_view->setCursorPosition(line, 0);
    // The target line near the top, with a little context above it.
    m_view->setFirstVisibleLine(qMax(0, line - 3));
}

void QuillDocument::SetDocumentName(const QString &documentName)
{
    m_documentName = documentName;
    Q_EMIT TitleChanged();
}

bool QuillDocument::IsModified() const
{
    return m_view->isModified() || !m_saved;
}

QByteArray QuillDocument::BytesToWrite() const
{
    FinishLoading();
    if (m_saved && !m_view->isModified())
        return m_storedBytes;
    const QString text = Text();
    // Changed and changed back: still the bytes that were read.
    if (m_saved && text == CodeProgramText::FromBytes(m_storedBytes))
        return m_storedBytes;
    // CR and LF are one byte each in either encoding: line ends can change before encoding.
    return CodeProgramText::ToBytes(m_lfOnly ? ReplacedEach(text, u"\r\n", u"\n") : text, m_latin1);
}

void QuillDocument::Save()
{
    if (m_documentName.isEmpty())
        throw GuiError(HostErrors::BadFileName, QStringLiteral("The program has no file name and item ID yet."));
    if (!m_document || m_document->Name() != m_documentName) {
        m_document = OpenDocument(m_documentName);
        m_readOnlyItem = false;
    }
    mvDocument &document = *m_document;
    // Saving over an item deleted since it was read would quietly bring it back.
    if (m_saved && !document.Exists())
        throw GuiError(HostErrors::FileNotFound,
                       QStringLiteral("Item '%1' is no longer on file; the program is kept in the "
                                      "editor. Use Save As to store it.").arg(document.DisplayName()));
    if (!document.IsLocked()) {
        try {
            document.Lock();
            m_readOnlyItem = false;
        } catch (const GuiError &) {
            throw GuiError(HostErrors::ItemLocked,
                           QStringLiteral("Item '%1' is locked by another user; the program is kept "
                                          "in the editor.").arg(document.DisplayName()));
        }
    }
    const QByteArray bytes = BytesToWrite();
    document.WriteBytes(bytes);
    document.Finish();
    m_storedBytes = bytes;
    m_saved = true;
    m_view->setModified(false);
    Q_EMIT TitleChanged();
}

void QuillDocument::SaveAs(const QString &documentName)
{
    const QString previous = m_documentName;
    auto previousDocument = std::move(m_document);
    const bool wasSaved = m_saved;
    m_documentName = documentName;
    m_saved = false; // a new target: nothing to protect there but its lock
    try {
        Save();
    } catch (...) {
        m_documentName = previous;
        m_document = std::move(previousDocument);
        m_saved = wasSaved;
        throw;
    }
}

void QuillDocument::Revert()
{
    if (!m_document || !m_saved)
        return;
    TakeBytes(m_document->ReadBytes());
}

QString QuillDocument::DisplayName() const
{
    if (m_document)
        return m_document->DisplayName();
    return m_documentName;
}

QString QuillDocument::Title() const
{
    ::DocumentName parts;
    QString title = QStringLiteral("(new program)");
    if (!m_documentName.isEmpty() && ::DocumentName::Split(m_documentName, parts)) {
        if (!parts.ItemID.isEmpty())
            title = parts.ItemID;
        else
            title = parts.FileName.section(QLatin1Char('/'), -1);
    }
    if (m_readOnlyItem)
        title += QStringLiteral(" [read-only]");
    if (IsModified())
        title += QLatin1Char('*');
    return title;
}

void QuillDocument::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    // The record lock goes now, not when the widget is deleted later: the designer may open
    // the item again in the same turn of the event loop.
    m_document.reset();
    if (iCodeDocumentEvents *events = m_events) {
        m_events = nullptr;
        events->DocumentClose(*this);
    }
    Q_EMIT CloseRequested(this);
}
