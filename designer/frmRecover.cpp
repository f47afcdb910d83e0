#include "designer/frmRecover.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmRecover::frmRecover(const QList<Row> &rows, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRecover"));
    setWindowTitle(QStringLiteral("Recover unsaved work"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(
        QStringLiteral("The designer ended before this work was saved. Recover opens each checked "
                       "project as it was at its last autosave."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("RecoverList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Application"), QStringLiteral("Document"),
                             QStringLiteral("Last autosave")});
    const QLocale locale;
    for (const Row &row : rows) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(0, row.ApplicationID);
        item->setText(1, row.DocumentName.isEmpty() ? QStringLiteral("not saved yet") : row.DocumentName);
        item->setToolTip(1, item->text(1));
        item->setText(2, row.Time.isValid() ? locale.toString(row.Time.toLocalTime(), QLocale::ShortFormat)
                                            : QString());
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
    }
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_list->resizeColumnToContents(0);
    m_list->resizeColumnToContents(2);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    layout->addWidget(m_list, 1);

    auto *buttons = new QDialogButtonBox(this);
    m_recover = buttons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
    m_discard = buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
    m_later = buttons->addButton(QStringLiteral("&Later"), QDialogButtonBox::RejectRole);
    m_recover->setDefault(true);
    layout->addWidget(buttons);
    connect(m_recover, &QPushButton::clicked, this, [this] { Finish(Choice::Recover); });
    connect(m_discard, &QPushButton::clicked, this, [this] { Finish(Choice::Discard); });
    connect(m_later, &QPushButton::clicked, this, [this] { Finish(Choice::Later); });
    connect(m_list, &QTreeWidget::itemChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();
    m_list->setFocus();
    resize(640, 300);
}

QList<int> frmRecover::Chosen() const
{
    QList<int> chosen;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            chosen << i;
    return chosen;
}

void frmRecover::UpdateButtons()
{
    const bool any = !Chosen().isEmpty();
    m_recover->setEnabled(any);
    m_discard->setEnabled(any);
}

void frmRecover::Finish(Choice choice)
{
    m_choice = choice;
    if (choice == Choice::Later)
        QDialog::reject();
    else
        QDialog::accept();
}

void frmRecover::reject() { Finish(Choice::Later); }

frmRecover::Choice frmRecover::Ask(const QList<Row> &rows, QWidget *parent, QList<int> &chosen)
{
    frmRecover dialog(rows, parent);
    dialog.exec();
    chosen = dialog.Result() == Choice::Later ? QList<int>() : dialog.Chosen();
    return dialog.Result();
}
