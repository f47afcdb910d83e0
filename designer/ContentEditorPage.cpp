#include "designer/ContentEditorPage.h"

#include "panels/PropertySheetModel.h"
#include "app/iPrompter.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

class CaptionDelegate final : public QStyledItemDelegate
{
public:
    CaptionDelegate(QObject *parent, int role, std::function<QString(int)> caption,
                    std::function<void(int, const QString &)> setCaption)
        : QStyledItemDelegate(parent), m_role(role), m_caption(std::move(caption)),
          m_setCaption(std::move(setCaption))
    {
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
            edit->setText(m_caption(index.data(m_role).toInt()));
            edit->selectAll();
        }
    }
    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        // The page updates its fields and the label; the tree's own text is never the caption.
        if (auto *edit = qobject_cast<QLineEdit *>(editor))
            m_setCaption(index.data(m_role).toInt(), edit->text());
    }

private:
    int m_role;
    std::function<QString(int)> m_caption;
    std::function<void(int, const QString &)> m_setCaption;
};

} // namespace

void ContentEditorPage::EditCaptionsInPlace(QTreeWidget *tree, int indexRole,
                                            std::function<QString(int)> caption,
                                            std::function<void(int, const QString &)> setCaption)
{
    tree->setItemDelegate(new CaptionDelegate(tree, indexRole, std::move(caption), std::move(setCaption)));
    tree->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    tree->setExpandsOnDoubleClick(false);
}

void ContentEditorPage::ShowRepairs(const QStringList &messages)
{
    constexpr int Shown = 10;
    for (int i = 0; i < messages.size() && i < Shown; ++i)
        m_prompter.ShowMessage(messages[i], MessageIcon::Exclamation);
    if (messages.size() > Shown)
        m_prompter.ShowMessage(QString::number(messages.size() - Shown)
                                   + QStringLiteral(" more items were repaired the same way."),
                               MessageIcon::Exclamation);
}

QString ContentEditorPage::ChooseIcon(const QString &caption)
{
    const QString filter = PropertySheetModel::FileFilter(PropertySheetModel::Chooser::Icon);
    return ChooseFile ? ChooseFile(caption, filter)
                      : QFileDialog::getOpenFileName(this, caption, QString(), filter);
}

QWidget *ContentEditorPage::WithIconChooser(QLineEdit *field, const QString &caption)
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field, 1);
    auto *browse = new QPushButton(QStringLiteral("..."), row);
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    browse->setToolTip(caption);
    layout->addWidget(browse);
    connect(browse, &QPushButton::clicked, field, [this, field, caption] {
        const QString file = ChooseIcon(caption);
        if (file.isEmpty())
            return;
        field->setText(file);
        Q_EMIT field->textEdited(file);
    });
    return row;
}

void ContentEditorPage::LayOutTreeBeside(QTreeWidget *tree, QLayout *fields, QLayout *buttons)
{
    auto *top = new QHBoxLayout;
    top->addWidget(tree, 1);
    top->addLayout(fields, 1);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addLayout(top, 1);
    outer->addLayout(buttons);
}

void ContentEditorPage::KeepEntryWhileIdRefused(QTreeWidget *tree, bool &showing,
                                                const int &shown, QWidget *idField,
                                                std::function<bool()> commitId,
                                                std::function<void()> showEntry)
{
    connect(tree, &QTreeWidget::currentItemChanged, this,
            [tree, &showing, &shown, idField, commitId = std::move(commitId),
             showEntry = std::move(showEntry)](QTreeWidgetItem *, QTreeWidgetItem *previous) {
                if (showing)
                    return;
                if (previous && shown >= 0 && !commitId()) {
                    // Going back is not a change of entry: nothing is checked or shown.
                    showing = true;
                    tree->setCurrentItem(previous);
                    showing = false;
                    idField->setFocus();
                    return;
                }
                showEntry();
            });
}

bool ContentEditorPage::ChecksIdItself(const QWidget *next, const QTreeWidget *tree,
                                       std::initializer_list<const QWidget *> buttons)
{
    return next == tree || std::find(buttons.begin(), buttons.end(), next) != buttons.end();
}
