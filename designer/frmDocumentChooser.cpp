#include "designer/frmDocumentChooser.h"

#include "host/mvConnection.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QLabel *BuddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

constexpr int HostTab = 0;
constexpr int LocalTab = 1;
} // namespace

frmDocumentChooser::frmDocumentChooser(const mvConnection &connection, const QString &title,
                                       const QString &startName, QWidget *parent)
    : QDialog(parent), m_model(connection, DocumentChooserModel::ModeForTitle(title)), m_title(title)
{
    setObjectName(QStringLiteral("frmDocumentChooser"));
    setWindowTitle(title);
    m_model.Start(startName);
    const bool saving = m_model.ChooserMode() == DocumentChooserModel::Mode::Save;

    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    layout->addWidget(m_tabs, 1);

    auto *hostPage = new QWidget(m_tabs);
    auto *form = new QFormLayout(hostPage);
    m_hosts = new QComboBox(hostPage);
    form->addRow(BuddyLabel(QStringLiteral("&Host:"), m_hosts, hostPage), m_hosts);
    m_accounts = new QComboBox(hostPage);
    form->addRow(BuddyLabel(QStringLiteral("A&ccount:"), m_accounts, hostPage), m_accounts);
    m_files = new QComboBox(hostPage);
    form->addRow(BuddyLabel(QStringLiteral("&File:"), m_files, hostPage), m_files);
    m_items = new QListWidget(hostPage);
    m_items->setMinimumHeight(160);
    form->addRow(BuddyLabel(QStringLiteral("I&tems:"), m_items, hostPage), m_items);
    m_item = new QLineEdit(hostPage);
    m_item->setPlaceholderText(saving ? QStringLiteral("an existing item or a new item ID")
                                      : QStringLiteral("the item to open"));
    form->addRow(BuddyLabel(QStringLiteral("Item &ID:"), m_item, hostPage), m_item);
    for (QComboBox *box : {m_hosts, m_accounts, m_files})
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_tabs->addTab(hostPage, QStringLiteral("Host ite&m"));

    auto *localPage = new QWidget(m_tabs);
    auto *localLayout = new QVBoxLayout(localPage);
    auto *pathRow = new QHBoxLayout;
    m_path = new QLineEdit(m_model.LocalPath, localPage);
    m_browse = new QPushButton(QStringLiteral("&Browse..."), localPage);
    m_browse->setAutoDefault(false);
    pathRow->addWidget(BuddyLabel(QStringLiteral("&Path:"), m_path, localPage));
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);
    localLayout->addLayout(pathRow);
    auto *hint = new QLabel(DocumentChooserModel::IsCodeTitle(title)
                                ? QStringLiteral("A program file on this computer.")
                                : QStringLiteral("A project file on this computer."),
                            localPage);
    hint->setEnabled(false);
    localLayout->addWidget(hint);
    localLayout->addStretch(1);
    m_tabs->addTab(localPage, QStringLiteral("&Local file"));

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #a00000"));
    m_message->setTextFormat(Qt::PlainText);
    layout->addWidget(m_message);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(saving ? QStringLiteral("&Save") : QStringLiteral("&Open"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmDocumentChooser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const QString startItem = m_model.Item;
    FillHosts();
    m_item->setText(startItem);
    m_model.Item = startItem;
    SelectTypedItem(startItem);

    connect(m_hosts, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        m_message->clear();
        m_model.Host = text;
        FillAccounts();
    });
    connect(m_accounts, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        m_message->clear();
        m_model.Account = text;
        FillFiles();
    });
    connect(m_files, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        m_message->clear();
        m_model.File = text;
        FillItems();
    });
    connect(m_items, &QListWidget::currentTextChanged, this, [this](const QString &text) {
        if (text.isEmpty())
            return;
        const QSignalBlocker block(m_item);
        m_item->setText(text);
        m_model.Item = text;
    });
    connect(m_items, &QListWidget::itemActivated, this, [this](QListWidgetItem *) { accept(); });
    connect(m_item, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_model.Item = text;
        SelectTypedItem(text);
    });
    connect(m_browse, &QPushButton::clicked, this, &frmDocumentChooser::Browse);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int tab) {
        m_message->clear();
        // An empty host list says why when the user turns to it.
        if (tab == HostTab && m_hosts->count() == 0)
            FillHosts();
        (tab == LocalTab ? static_cast<QWidget *>(m_path) : m_item)->setFocus();
    });

    m_tabs->setCurrentIndex(m_model.Local ? LocalTab : HostTab);
    (m_model.Local ? static_cast<QWidget *>(m_path) : m_item)->setFocus();
    if (saving) {
        // Typing replaces the offered name and keeps the folder and the suffix.
        const QString path = m_path->text();
        const qsizetype name = path.lastIndexOf(u'/') + 1;
        qsizetype suffix = path.lastIndexOf(u'.');
        if (suffix <= name)
            suffix = path.size();
        m_path->setSelection(int(name), int(suffix - name));
        m_item->selectAll();
    }
    resize(520, 440);
}

void frmDocumentChooser::ShowListing(const DocumentChooserModel::Listing &listing)
{
    if (!listing.Error.isEmpty())
        m_message->setText(listing.Error);
}

void frmDocumentChooser::Fill(QComboBox *box, const DocumentChooserModel::Listing &listing,
                              const QString &current)
{
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(listing.Names);
    int index = listing.Names.indexOf(current);
    if (index < 0)
        for (int i = 0; i < listing.Names.size() && index < 0; ++i)
            if (listing.Names[i].compare(current, Qt::CaseInsensitive) == 0)
                index = i;
    box->setCurrentIndex(index < 0 && !listing.Names.isEmpty() ? 0 : index);
    ShowListing(listing);
}

void frmDocumentChooser::FillHosts()
{
    const DocumentChooserModel::Listing hosts = m_model.Hosts();
    Fill(m_hosts, hosts, m_model.Host);
    m_model.Host = m_hosts->currentText();
    if (hosts.Names.isEmpty() && hosts.Error.isEmpty())
        m_message->setText(QStringLiteral("The host store %1 holds no hosts yet; choose a local file instead.")
                               .arg(QDir::toNativeSeparators(m_model.StoreRoot())));
    FillAccounts();
}

void frmDocumentChooser::FillAccounts()
{
    Fill(m_accounts, m_model.Accounts(), m_model.Account);
    m_model.Account = m_accounts->currentText();
    FillFiles();
}

void frmDocumentChooser::FillFiles()
{
    Fill(m_files, m_model.Files(), m_model.File);
    m_model.File = m_files->currentText();
    FillItems();
}

void frmDocumentChooser::FillItems()
{
    const DocumentChooserModel::Listing items = m_model.Items();
    {
        const QSignalBlocker block(m_items);
        m_items->clear();
        m_items->addItems(items.Names);
    }
    ShowListing(items);
    SelectTypedItem(m_item->text());
}

// Typing an item ID moves the list to the first item that begins with it; the typed text
// itself stays as typed.
void frmDocumentChooser::SelectTypedItem(const QString &text)
{
    const QSignalBlocker block(m_items);
    m_items->setCurrentItem(nullptr);
    m_items->clearSelection();
    if (text.isEmpty())
        return;
    QListWidgetItem *match = nullptr;
    for (int i = 0; i < m_items->count() && !match; ++i)
        if (m_items->item(i)->text() == text)
            match = m_items->item(i);
    for (int i = 0; i < m_items->count() && !match; ++i)
        if (m_items->item(i)->text().startsWith(text, Qt::CaseInsensitive))
            match = m_items->item(i);
    if (match) {
        m_items->setCurrentItem(match);
        m_items->scrollToItem(match);
    }
}

void frmDocumentChooser::Browse()
{
    const bool saving = m_model.ChooserMode() == DocumentChooserModel::Mode::Save;
    const QStringList filters = DocumentChooserModel::LocalFilters(m_title);
    const QString start = m_path->text().trimmed();
    QString path;
    if (m_localDialog) {
        path = m_localDialog(m_title, start, saving, filters);
    } else {
        QFileDialog dialog(this, m_title, start);
        dialog.setNameFilters(filters);
        dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The save command asks its own question before it replaces a document.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, saving);
        if (saving)
            dialog.setDefaultSuffix(DocumentChooserModel::IsCodeTitle(m_title) ? QStringLiteral("bas")
                                                                              : QStringLiteral("gui"));
        if (dialog.exec() == QDialog::Accepted)
            path = dialog.selectedFiles().value(0);
    }
    if (path.isEmpty())
        return;
    m_path->setText(QDir::toNativeSeparators(path));
    accept();
}

void frmDocumentChooser::accept()
{
    m_model.Local = m_tabs->currentIndex() == LocalTab;
    m_model.LocalPath = m_path->text();
    m_model.Item = m_item->text();
    const DocumentChooserModel::Choice choice = m_model.Accept();
    if (choice.Name.isEmpty()) {
        m_message->setText(choice.Problem);
        QApplication::beep();
        switch (choice.At) {
        case DocumentChooserModel::Field::Host: m_hosts->setFocus(); break;
        case DocumentChooserModel::Field::Account: m_accounts->setFocus(); break;
        case DocumentChooserModel::Field::File: m_files->setFocus(); break;
        case DocumentChooserModel::Field::LocalPath: m_path->setFocus(); break;
        default: m_item->setFocus(); m_item->selectAll(); break;
        }
        return;
    }
    m_chosen = choice.Name;
    QDialog::accept();
}
