#include "quill/QuillEditor.h"

#include "host/mvConnection.h"
#include "quill/BasicLexer.h"
#include "quill/QuillDocument.h"
#include "support/GuiError.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include "quill/QsciHeaders.h"

QuillEditor::QuillEditor(mvConnection &connection, const QString &templateFolder, QWidget *parent)
    : QMainWindow(parent), m_connection(connection)
{
    setWindowTitle(QStringLiteral("Quill"));
    m_lexer = new BasicLexer(this);
    m_lexer->AddKeywords(BasicLexer::KeywordsOfFolder(templateFolder));

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new QTabWidget(central);
    m_tabs->setTabsClosable(true);
    m_tabs->setMovable(true);
    m_tabs->setDocumentMode(true);
    layout->addWidget(m_tabs, 1);
    BuildFindBar();
    layout->addWidget(m_findBar);
    setCentralWidget(central);

    m_position = new QLabel(this);
    m_position->setMinimumWidth(m_position->fontMetrics().horizontalAdvance(QStringLiteral("Ln 9999999, Col 99999")));
    statusBar()->addPermanentWidget(m_position);
    BuildMenus();

    connect(m_tabs, &QTabWidget::tabCloseRequested, this, [this](int index) {
        CloseDocument(qobject_cast<QuillDocument *>(m_tabs->widget(index)));
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int) {
        UpdateTitles();
        UpdatePosition();
    });
    resize(900, 700);
    m_identity = QStringLiteral("Quill/%1").arg(QCoreApplication::applicationPid());
}

QuillEditor::~QuillEditor()
{
    // Documents still open go quietly: the designer has already let go of the editor.
    for (QuillDocument *document : OpenDocuments())
        document->SetEvents(nullptr);
}

std::shared_ptr<iCodeEditor> QuillEditor::Create(mvConnection &connection,
                                                 const QString &templateFolder,
                                                 clsDesigner *designer)
{
    auto *editor = new QuillEditor(connection, templateFolder);
    editor->setAttribute(Qt::WA_DeleteOnClose, false);
    editor->SetDesigner(designer);
    editor->show();
    return std::shared_ptr<iCodeEditor>(editor, [](iCodeEditor *e) {
        static_cast<QuillEditor *>(e)->deleteLater();
    });
}

void QuillEditor::SetIdentity(const QString &identity)
{
    if (!identity.isEmpty())
        m_identity = identity;
}

void QuillEditor::BuildFindBar()
{
    m_findBar = new QWidget(this);
    auto *rows = new QVBoxLayout(m_findBar);
    rows->setContentsMargins(6, 4, 6, 4);
    rows->setSpacing(4);

    auto *findRow = new QHBoxLayout;
    auto *findLabel = new QLabel(tr("Fi&nd:"), m_findBar);
    m_findEdit = new QLineEdit(m_findBar);
    findLabel->setBuddy(m_findEdit);
    auto *next = new QPushButton(tr("Find &Next"), m_findBar);
    m_matchCase = new QCheckBox(tr("Match &case"), m_findBar);
    auto *hide = new QToolButton(m_findBar);
    hide->setText(QStringLiteral("\u2715"));
    hide->setToolTip(tr("Close (Esc)"));
    findRow->addWidget(findLabel);
    findRow->addWidget(m_findEdit, 1);
    findRow->addWidget(next);
    findRow->addWidget(m_matchCase);
    findRow->addWidget(hide);
    rows->addLayout(findRow);

    m_replaceRow = new QWidget(m_findBar);
    auto *replaceRow = new QHBoxLayout(m_replaceRow);
    replaceRow->setContentsMargins(0, 0, 0, 0);
    auto *replaceLabel = new QLabel(tr("Re&place:"), m_replaceRow);
    m_replaceEdit = new QLineEdit(m_replaceRow);
    replaceLabel->setBuddy(m_replaceEdit);
    auto *one = new QPushButton(tr("&Replace"), m_replaceRow);
    auto *all = new QPushButton(tr("Replace &All"), m_replaceRow);
    replaceRow->addWidget(replaceLabel);
    replaceRow->addWidget(m_replaceEdit, 1);
    replaceRow->addWidget(one);
    replaceRow->addWidget(all);
    rows->addWidget(m_replaceRow);
    findLabel->setMinimumWidth(replaceLabel->sizeHint().width());

    connect(m_findEdit, &QLineEdit::returnPressed, this, [this] { FindNext(); });
    connect(next, &QPushButton::clicked, this, [this] { FindNext(); });
    connect(one, &QPushButton::clicked, this, [this] { ReplaceOne(); });
    connect(all, &QPushButton::clicked, this, [this] { ReplaceAll(); });
    connect(hide, &QToolButton::clicked, this, [this] {
        m_findBar->hide();
        if (QuillDocument *d = CurrentDocument())
            d->setFocus();
    });
    auto *escape = new QAction(m_findBar);
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QAction::triggered, hide, &QToolButton::click);
    m_findBar->addAction(escape);
    m_findBar->hide();
}

void QuillEditor::BuildMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { SaveCurrent(); });
    file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, [this] { SaveCurrentAs(); });
    file->addAction(tr("&Revert"), this, [this] { RevertCurrent(); });
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence::Close, this, [this] {
        if (QuillDocument *d = CurrentDocument())
            CloseDocument(d);
    });
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);

    auto onView = [this](auto call) {
        return [this, call] {
            if (QuillDocument *d = CurrentDocument())
                call(d->View());
        };
    };
    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(tr("&Undo"), QKeySequence::Undo, this, onView([](QsciScintilla *v) { v->undo(); }));
    edit->addAction(tr("&Redo"), QKeySequence::Redo, this, onView([](QsciScintilla *v) { v->redo(); }));
    edit->addSeparator();
    edit->addAction(tr("Cu&t"), QKeySequence::Cut, this, onView([](QsciScintilla *v) { v->cut(); }));
    edit->addAction(tr("&Copy"), QKeySequence::Copy, this, onView([](QsciScintilla *v) { v->copy(); }));
    edit->addAction(tr("&Paste"), QKeySequence::Paste, this, onView([](QsciScintilla *v) { v->paste(); }));
    edit->addAction(tr("Select &All"), QKeySequence::SelectAll, this, onView([](QsciScintilla *v) { v->selectAll(); }));
    // The view handles these keys itself; the menu only shows them.
    for (QAction *action : edit->actions())
        action->setShortcutContext(Qt::WidgetShortcut);

    QMenu *search = menuBar()->addMenu(tr("&Search"));
    search->addAction(tr("&Find..."), QKeySequence::Find, this, [this] { ShowFind(false); });
    search->addAction(tr("Find &Next"), QKeySequence::FindNext, this, [this] { FindNext(); });
    search->addAction(tr("&Replace..."), QKeySequence(Qt::CTRL | Qt::Key_H), this, [this] { ShowFind(true); });
    search->addSeparator();
    search->addAction(tr("Go to &Line..."), QKeySequence(Qt::CTRL | Qt::Key_G), this, [this] { GoToLineDialog(); });
    search->addAction(tr("Go to La&bel..."), QKeySequence(Qt::CTRL | Qt::Key_L), this, [this] { GoToLabelDialog(); });
    search->addSeparator();
    search->addAction(tr("&Fold All Sections"), this, onView([](QsciScintilla *v) { v->foldAll(false); }));

    m_customMenu = menuBar()->addMenu(tr("&Tools"));
    m_customMenu->menuAction()->setVisible(false);
}

void QuillEditor::AddCustomCommand(const QString &name, const QString &caption, int number)
{
    for (QAction *action : m_customMenu->actions())
        if (action->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return;
    QAction *action = m_customMenu->addAction(caption);
    action->setObjectName(name);
    action->setData(number);
    connect(action, &QAction::triggered, this, [this, name] { RunCustomCommand(name); });
    m_customMenu->menuAction()->setVisible(true);
}

void QuillEditor::RunCustomCommand(const QString &name)
{
    if (m_events)
        m_events->Custom(name);
}

iCodeDocument *QuillEditor::Add()
{
    auto *document = new QuillDocument(m_connection, m_identity, m_lexer, m_tabs);
    const int index = m_tabs->addTab(document, document->Title());
    m_tabs->setCurrentIndex(index);
    connect(document, &QuillDocument::TitleChanged, this, &QuillEditor::UpdateTitles);
    connect(document, &QuillDocument::ShowRequested, this, &QuillEditor::ShowDocument);
    connect(document, &QuillDocument::CloseRequested, this, &QuillEditor::RemoveDocument);
    connect(document->View(), &QsciScintilla::cursorPositionChanged, this, [this] { UpdatePosition(); });
    UpdateTitles();
    return document;
}

QuillDocument *QuillEditor::CurrentDocument() const
{
    return qobject_cast<QuillDocument *>(m_tabs->currentWidget());
}

QList<QuillDocument *> QuillEditor::OpenDocuments() const
{
    QList<QuillDocument *> documents;
    for (int i = 0; i < m_tabs->count(); ++i)
        if (auto *d = qobject_cast<QuillDocument *>(m_tabs->widget(i)))
            documents << d;
    return documents;
}

void QuillEditor::UpdateTitles()
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (auto *d = qobject_cast<QuillDocument *>(m_tabs->widget(i))) {
            m_tabs->setTabText(i, d->Title());
            m_tabs->setTabToolTip(i, d->DisplayName());
        }
    }
    QuillDocument *current = CurrentDocument();
    setWindowTitle(current ? current->Title() + QStringLiteral(" - Quill") : QStringLiteral("Quill"));
}

void QuillEditor::UpdatePosition()
{
    QuillDocument *d = CurrentDocument();
    if (!d) {
        m_position->clear();
        return;
    }
    int line = 0, index = 0;
    d->View()->getCursorPosition(&line, &index);
    m_position->setText(tr("Ln %1, Col %2").arg(line + 1).arg(index + 1));
}

void QuillEditor::ShowDocument(QuillDocument *document)
{
    m_tabs->setCurrentWidget(document);
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void QuillEditor::ReportError(const QString &text)
{
    if (m_showMessage)
        m_showMessage(text);
    else
        QMessageBox::warning(this, QStringLiteral("Quill"), text);
}

bool QuillEditor::SaveCurrent()
{
    QuillDocument *d = CurrentDocument();
    if (!d)
        return false;
    if (d->DocumentName().isEmpty())
        return SaveCurrentAs();
    if (!d->IsSaved() && !MayWrite(d->DocumentName()))
        return false;
    try {
        d->Save();
        statusBar()->showMessage(tr("Saved %1").arg(d->DisplayName()), 3000);
        return true;
    } catch (const GuiError &e) {
        ReportError(e.Description());
        return false;
    }
}

bool QuillEditor::SaveCurrentAs()
{
    QuillDocument *d = CurrentDocument();
    if (!d)
        return false;
    QString start = d->DocumentName();
    if (start.isEmpty())
        start = DocumentName::Build(m_hostType, m_hostName, m_accountName, {}, {});
    const auto chosen = m_connection.Chooser(QStringLiteral("Save Code"), this, start);
    if (!chosen || (chosen->Name() != d->DocumentName() && !MayWrite(chosen->Name())))
        return false;
    try {
        d->SaveAs(chosen->Name());
        return true;
    } catch (const GuiError &e) {
        ReportError(e.Description());
        return false;
    }
}

bool QuillEditor::MayWrite(const QString &documentName)
{
    const auto target = m_connection.Open(documentName);
    if (!target || !target->Exists())
        return true;
    const QString text = tr("Item '%1' exists. Overwrite?").arg(target->DisplayName());
    if (m_askOverwrite)
        return m_askOverwrite(text);
    return QMessageBox::question(this, QStringLiteral("Quill"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QuillEditor::RevertCurrent()
{
    QuillDocument *d = CurrentDocument();
    if (!d || !d->IsSaved())
        return;
    try {
        d->Revert();
    } catch (const GuiError &e) {
        ReportError(e.Description());
    }
}

bool QuillEditor::CloseDocument(QuillDocument *document)
{
    if (!document)
        return true;
    if (document->IsModified()) {
        const QString text = tr("Save the changes to %1?").arg(document->Title());
        const int answer = m_askSave ? m_askSave(text)
                                     : QMessageBox::question(this, QStringLiteral("Quill"), text,
                                                             QMessageBox::Save | QMessageBox::Discard
                                                                 | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel)
            return false;
        if (answer == QMessageBox::Save) {
            m_tabs->setCurrentWidget(document);
            if (!SaveCurrent())
                return false;
        }
    }
    document->Close();
    return true;
}

void QuillEditor::RemoveDocument(QuillDocument *document)
{
    const int index = m_tabs->indexOf(document);
    if (index >= 0)
        m_tabs->removeTab(index);
    document->deleteLater();
    UpdateTitles();
}

void QuillEditor::closeEvent(QCloseEvent *event)
{
    for (QuillDocument *document : OpenDocuments()) {
        if (!CloseDocument(document)) {
            event->ignore();
            return;
        }
    }
    event->accept();
    if (iCodeEditorEvents *events = m_events) {
        m_events = nullptr;
        events->Quit();
    }
}

void QuillEditor::ShowFind(bool replace)
{
    m_replaceRow->setVisible(replace);
    m_findBar->show();
    if (QuillDocument *d = CurrentDocument(); d && d->View()->hasSelectedText()) {
        const QString selected = d->View()->selectedText();
        if (!selected.contains(QLatin1Char('\n')))
            m_findEdit->setText(selected);
    }
    m_findEdit->setFocus();
    m_findEdit->selectAll();
}

bool QuillEditor::FindNext()
{
    QuillDocument *d = CurrentDocument();
    if (!d || m_findEdit->text().isEmpty())
        return false;
    const bool found = d->View()->findFirst(m_findEdit->text(), false, m_matchCase->isChecked(),
                                            false, true, true);
    if (!found)
        statusBar()->showMessage(tr("\"%1\" not found").arg(m_findEdit->text()), 3000);
    return found;
}

bool QuillEditor::ReplaceOne()
{
    QuillDocument *d = CurrentDocument();
    if (!d || m_findEdit->text().isEmpty())
        return false;
    QsciScintilla *v = d->View();
    const Qt::CaseSensitivity cs = m_matchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (v->hasSelectedText() && v->selectedText().compare(m_findEdit->text(), cs) == 0)
        v->replaceSelectedText(m_replaceEdit->text());
    return FindNext();
}

int QuillEditor::ReplaceAll()
{
    QuillDocument *d = CurrentDocument();
    if (!d || m_findEdit->text().isEmpty())
        return 0;
    QsciScintilla *v = d->View();
    int count = 0;
    v->beginUndoAction();
    // From the top, forward, without wrapping: each match is replaced once.
    bool found = v->findFirst(m_findEdit->text(), false, m_matchCase->isChecked(), false, false,
                              true, 0, 0, false);
    while (found) {
        v->replace(m_replaceEdit->text());
        ++count;
        found = v->findNext();
    }
    v->endUndoAction();
    statusBar()->showMessage(tr("%n replacement(s)", nullptr, count), 3000);
    return count;
}

void QuillEditor::GoToLineDialog()
{
    QuillDocument *d = CurrentDocument();
    if (!d)
        return;
    int line = 0, index = 0;
    d->View()->getCursorPosition(&line, &index);
    const int last = d->View()->lines();
    std::optional<int> chosen;
    if (m_askLine) {
        chosen = m_askLine(line + 1, last);
    } else {
        bool ok = false;
        const int value = QInputDialog::getInt(this, tr("Go to Line"), tr("&Line number (1 - %1):").arg(last),
                                               line + 1, 1, last, 1, &ok);
        if (ok)
            chosen = value;
    }
    if (chosen)
        d->GoToLine(*chosen - 1);
}

void QuillEditor::GoToLabelDialog()
{
    QuillDocument *d = CurrentDocument();
    if (!d)
        return;
    std::optional<QString> label;
    if (m_askLabel) {
        label = m_askLabel();
    } else {
        bool ok = false;
        const QString value = QInputDialog::getText(this, tr("Go to Label"), tr("&Label:"),
                                                    QLineEdit::Normal, {}, &ok);
        if (ok)
            label = value;
    }
    if (!label || label->trimmed().isEmpty())
        return;
    try {
        d->GoToLabel(label->trimmed());
    } catch (const GuiError &e) {
        ReportError(e.Description());
    }
}
