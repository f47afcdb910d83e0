#include "designer/TreeEditorView.h"

#include "app/iPrompter.h"
#include "model/clsControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int IndexRole = Qt::UserRole + 1;
constexpr int ItemsCode = 26;
}

TreeEditorView::TreeEditorView(iPrompter &prompter, QWidget *parent)
    : ContentEditorPage(prompter, parent)
{
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setMinimumWidth(200);
    m_id = new QLineEdit(this);
    m_caption = new QLineEdit(this);
    m_hint = new QLineEdit(this);
    m_icon = new QLineEdit(this);
    m_icon->setPlaceholderText(tr("Enter icon file name or URL"));
    m_expanded = new QCheckBox(tr("Node e&xpanded"), this);
    m_selected = new QCheckBox(tr("Node initially se&lected"), this);

    auto *fields = new QFormLayout;
    fields->addRow(tr("Nod&e ID:"), m_id);
    fields->addRow(tr("Captio&n:"), m_caption);
    fields->addRow(tr("Node &help hint text:"), m_hint);
    fields->addRow(tr("Ic&on file name or URL:"), WithIconChooser(m_icon, tr("Node icon file or URL:")));
    fields->addRow(m_expanded);
    fields->addRow(m_selected);

    m_sibling = new QPushButton(tr("New si&bling node"), this);
    m_child = new QPushButton(tr("New chil&d node"), this);
    m_delete = new QPushButton(tr("Dele&te node"), this);
    m_up = new QPushButton(tr("Move u&p"), this);
    m_down = new QPushButton(tr("Move do&wn"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_sibling, m_child, m_delete, m_up, m_down})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addLayout(fields);
    right->addStretch(1);
    LayOutTreeBeside(m_tree, right, buttons);

    EditCaptionsInPlace(m_tree, IndexRole, [this](int i) { return m_model.Caption(i); },
                        [this](int i, const QString &text) {
                            if (i != m_shown)
                                return;
                            m_caption->setText(text);
                            NodeEdited();
                        });
    KeepEntryWhileIdRefused(m_tree, m_showing, m_shown, m_id, [this] { return CommitId(); },
                            [this] { ShowNode(); });
    connect(m_id, &QLineEdit::editingFinished, this, [this] {
        // The tree and the buttons check the ID themselves when they take the focus.
        if (ChecksIdItself(QApplication::focusWidget(), m_tree,
                           {m_sibling, m_child, m_delete, m_up, m_down}))
            return;
        if (!m_showing && m_id->isModified())
            CommitId();
    });
    auto edited = [this] { NodeEdited(); };
    for (QLineEdit *e : {m_caption, m_hint, m_icon})
        connect(e, &QLineEdit::textEdited, this, edited);
    for (QCheckBox *b : {m_expanded, m_selected})
        connect(b, &QCheckBox::toggled, this, edited);
    connect(m_sibling, &QPushButton::clicked, this, [this] {
        if (CommitId())
            Rebuild(m_model.NewSibling(Current()));
    });
    connect(m_child, &QPushButton::clicked, this, [this] {
        if (CommitId())
            Rebuild(m_model.NewChild(Current()));
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const int i = Current();
        if (i < 0)
            return;
        m_shown = -1;
        m_model.Delete(i);
        Rebuild(std::min(i, m_model.Count() - 1));
    });
    connect(m_up, &QPushButton::clicked, this, [this] {
        if (Current() >= 0 && CommitId())
            if (const int to = m_model.MoveUp(Current()); to >= 0)
                Rebuild(to);
    });
    connect(m_down, &QPushButton::clicked, this, [this] {
        if (Current() >= 0 && CommitId())
            if (const int to = m_model.MoveDown(Current()); to >= 0)
                Rebuild(to);
    });
}

void TreeEditorView::Load(clsControl *item, int)
{
    LoadItems(item ? item->GetProperty(ItemsCode) : QString());
}

void TreeEditorView::LoadItems(const QString &items)
{
    const QStringList repairs = m_model.Load(items);
    m_untouchedStart.clear();
    if (m_model.Count() == 0) {
        // An empty tree starts with one node to fill in; left as it is, nothing is stored.
        m_model.NewRoot();
        m_untouchedStart = m_model.Store();
    }
    Rebuild(0);
    ShowRepairs(repairs);
}

int TreeEditorView::Current() const
{
    QTreeWidgetItem *item = m_tree->currentItem();
    return item ? item->data(0, IndexRole).toInt() : -1;
}

void TreeEditorView::Select(int index)
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        if ((*it)->data(0, IndexRole).toInt() == index) {
            m_tree->setCurrentItem(*it);
            return;
        }
    }
}

void TreeEditorView::Rebuild(int select)
{
    m_showing = true;
    m_tree->clear();
    const LeveledEntries &entries = m_model.Entries();
    std::vector<QTreeWidgetItem *> parents;
    QList<QTreeWidgetItem *> roots;
    for (int i = 0; i < entries.Count(); ++i) {
        parents.resize(size_t(std::min<int>(entries.Level(i) - 1, int(parents.size()))));
        auto *node = parents.empty() ? new QTreeWidgetItem(QStringList{m_model.Label(i)})
                                     : new QTreeWidgetItem(parents.back(), QStringList{m_model.Label(i)});
        if (parents.empty())
            roots << node;
        node->setData(0, IndexRole, i);
        node->setFlags(node->flags() | Qt::ItemIsEditable);
        node->setExpanded(false);
        parents.push_back(node);
    }
    m_tree->addTopLevelItems(roots);
    // Stored expanded nodes open; the rest stay closed so a large tree shows quickly.
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if (m_model.Expanded((*it)->data(0, IndexRole).toInt()))
            (*it)->setExpanded(true);
    m_showing = false;
    m_shown = -1;
    Select(select);
    if (QTreeWidgetItem *current = m_tree->currentItem())
        for (QTreeWidgetItem *p = current->parent(); p; p = p->parent())
            p->setExpanded(true);
    ShowNode();
}

void TreeEditorView::ShowNode()
{
    m_showing = true;
    const int i = Current();
    m_shown = i;
    for (QWidget *w : std::initializer_list<QWidget *>{m_id, m_caption, m_hint, m_icon, m_expanded,
                                                       m_selected, m_delete, m_up, m_down, m_child})
        w->setEnabled(i >= 0);
    if (i >= 0) {
        m_id->setText(m_model.Id(i));
        m_id->setModified(false);
        m_caption->setText(m_model.Caption(i));
        m_hint->setText(m_model.Hint(i));
        m_icon->setText(m_model.Icon(i));
        m_expanded->setChecked(m_model.Expanded(i));
        m_selected->setChecked(m_model.Selected(i));
    }
    m_showing = false;
}

void TreeEditorView::NodeEdited()
{
    const int i = m_shown;
    if (m_showing || i < 0)
        return;
    m_model.SetCaption(i, m_caption->text());
    m_model.SetHint(i, m_hint->text());
    m_model.SetIcon(i, m_icon->text());
    m_model.SetExpanded(i, m_expanded->isChecked());
    m_model.SetSelected(i, m_selected->isChecked());
    if (QTreeWidgetItem *item = m_tree->currentItem())
        item->setText(0, m_model.Label(i));
}

bool TreeEditorView::CommitId()
{
    const int i = m_shown;
    if (i < 0)
        return true;
    const QString id = m_id->text();
    if (id.trimmed() == m_model.Id(i).trimmed() && !id.trimmed().isEmpty())
        return true;
    const QString problem = m_model.CheckId(i, id);
    if (!problem.isEmpty()) {
        m_prompter.ShowMessage(problem, MessageIcon::Exclamation);
        m_id->setFocus();
        m_id->selectAll();
        return false;
    }
    m_model.SetId(i, id);
    m_id->setModified(false);
    if (QTreeWidgetItem *item = m_tree->currentItem())
        item->setText(0, m_model.Label(i));
    return true;
}

bool TreeEditorView::Check()
{
    if (!CommitId())
        return false;
    int index = -1;
    const QString problem = m_model.Validate(&index);
    if (problem.isEmpty())
        return true;
    m_prompter.ShowMessage(problem, MessageIcon::Exclamation);
    if (index >= 0) {
        Select(index);
        m_id->setFocus();
    }
    return false;
}

void TreeEditorView::Apply(clsControl &item, clsDesigner &)
{
    QString value = m_model.Store();
    if (!m_untouchedStart.isEmpty() && value == m_untouchedStart)
        value.clear();
    if (value != item.GetProperty(ItemsCode))
        item.SetProperty(ItemsCode, value);
}
