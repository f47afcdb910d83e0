#pragma once

#include "panels/DocumentChooserModel.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// The document chooser: a host item (host, account, file and item of the host store) or a
// local file, in one dialog with a tab for each. Open mode wants an existing document, Save
// mode also takes a new item ID or path. A view over DocumentChooserModel: a list the host
// cannot read shows the host's message in the dialog, which stays usable.
class frmDocumentChooser final : public QDialog
{
    Q_OBJECT
public:
    // Shows the local file dialog; gets the caption, the starting path, whether it is for
    // saving and the name filters; returns the path, empty when cancelled.
    using LocalFileDialog = std::function<QString(const QString &caption, const QString &start,
                                                  bool save, const QStringList &filters)>;

    frmDocumentChooser(const mvConnection &connection, const QString &title, const QString &startName,
                       QWidget *parent = nullptr);

    // Replaceable for tests; the default is Qt's file dialog.
    void SetLocalFileDialog(LocalFileDialog dialog) { m_localDialog = std::move(dialog); }

    // The chosen document name after the dialog was accepted.
    const QString &ChosenName() const { return m_chosen; }

    QTabWidget *Tabs() const { return m_tabs; }
    QComboBox *HostList() const { return m_hosts; }
    QComboBox *AccountList() const { return m_accounts; }
    QComboBox *FileList() const { return m_files; }
    QListWidget *ItemList() const { return m_items; }
    QLineEdit *ItemBox() const { return m_item; }
    QLineEdit *PathBox() const { return m_path; }
    QPushButton *BrowseButton() const { return m_browse; }
    QLabel *MessageLabel() const { return m_message; }
    QPushButton *OkButton() const { return m_ok; }

    void accept() override;

private:
    void FillHosts();
    void FillAccounts();
    void FillFiles();
    void FillItems();
    void Fill(QComboBox *box, const DocumentChooserModel::Listing &listing, const QString &current);
    void ShowListing(const DocumentChooserModel::Listing &listing);
    void SelectTypedItem(const QString &text);
    void Browse();

    DocumentChooserModel m_model;
    QString m_title;
    QString m_chosen;
    LocalFileDialog m_localDialog;
    QTabWidget *m_tabs = nullptr;
    QComboBox *m_hosts = nullptr;
    QComboBox *m_accounts = nullptr;
    QComboBox *m_files = nullptr;
    QListWidget *m_items = nullptr;
    QLineEdit *m_item = nullptr;
    QLineEdit *m_path = nullptr;
    QPushButton *m_browse = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_ok = nullptr;
};
