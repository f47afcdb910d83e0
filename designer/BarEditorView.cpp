#include "designer/BarEditorView.h"

#include "panels/ShortcutList.h"
#include "app/iPrompter.h"
#include "model/BarContent.h"
#include "model/clsControl.h"
#include "support/GuiError.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int IndexRole = Qt::UserRole + 1;
constexpr int ItemsCode = 26;
constexpr int VisibleCode = 9, StyleCode = 10, AlignCode = 25, IconSizeCode = 70;
}

BarEditorView::BarEditorView(iPrompter &prompter, QWidget *parent)
    : ContentEditorPage(prompter, parent), m_model(std::make_unique<BarEditorModel>(75))
{
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setMinimumWidth(200);

    m_id = new QComboBox(this);
    m_id->setEditable(true);
    m_id->setInsertPolicy(QComboBox::NoInsert);
    m_caption = new QLineEdit(this);
    m_hint = new QLineEdit(this);
    m_shortcut = new QComboBox(this);
    // Filled once: the list never changes.
    for (int row = 0; row < ShortcutList::Count(); ++row)
        m_shortcut->addItem(ShortcutList::Text(row));
    m_icon = new QLineEdit(this);
    m_icon->setPlaceholderText(tr("Enter icon file name or URL"));
    m_visible = new QCheckBox(tr("Visi&ble"), this);
    m_enabled = new QCheckBox(tr("&Enabled"), this);
    m_beginGroup = new QCheckBox(tr("Begin g&roup"), this);
    m_validation = new QCheckBox(tr("Causes &validation"), this);
    m_size = new QComboBox(this);
    m_size->setEditable(true);
    m_size->addItems({tr("Auto"), tr("Spring")});
    m_align = new QComboBox(this);
    m_align->addItems({tr("Left"), tr("Right"), tr("Center")});

    auto *fields = m_fields = new QFormLayout;
    fields->addRow(tr("I&tem ID:"), m_id);
    fields->addRow(tr("Capti&on:"), m_caption);
    fields->addRow(tr("Help hint te&xt:"), m_hint);
    fields->addRow(tr("S&hortcut:"), m_shortcut);
    fields->addRow(tr("Icon &file name or URL:"), WithIconChooser(m_icon, tr("Icon file or URL:")));
    fields->addRow(tr("Si&ze:"), m_size);
    fields->addRow(tr("A&lign:"), m_align);
    auto *checks = new QHBoxLayout;
    for (QCheckBox *box : {m_visible, m_enabled, m_beginGroup, m_validation})
        checks->addWidget(box);
    fields->addRow(checks);

    m_newItem = new QPushButton(tr("&New item"), this);
    m_newSub = new QPushButton(tr("New s&ub-menu"), this);
    m_delete = new QPushButton(tr("&Delete item"), this);
    m_up = new QPushButton(tr("Move u&p"), this);
    m_down = new QPushButton(tr("Move do&wn"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_newItem, m_newSub, m_delete, m_up, m_down})
        buttons->addWidget(b);
    buttons->addStretch(1);

    m_barBox = new QGroupBox(tr("Toolbar Properties"), this);
    m_position = new QComboBox(m_barBox);
    m_position->addItems({tr("Floating"), tr("Top"), tr("Bottom"), tr("Left"), tr("Right")});
    m_large = new QRadioButton(tr("Lar&ge icons"), m_barBox);
    m_small = new QRadioButton(tr("S&mall icons"), m_barBox);
    m_captions = new QCheckBox(tr("Show caption beside button"), m_barBox);
    m_barVisible = new QCheckBox(tr("Visible"), m_barBox);
    auto *barForm = new QFormLayout(m_barBox);
    barForm->addRow(tr("Position:"), m_position);
    auto *sizes = new QHBoxLayout;
    sizes->addWidget(m_small);
    sizes->addWidget(m_large);
    sizes->addStretch(1);
    barForm->addRow(sizes);
    barForm->addRow(m_captions);
    barForm->addRow(m_barVisible);

    auto *right = new QVBoxLayout;
    right->addWidget(m_barBox);
    right->addLayout(fields);
    right->addStretch(1);
    LayOutTreeBeside(m_tree, right, buttons);

    EditCaptionsInPlace(m_tree, IndexRole, [this](int i) { return m_model->Caption(i); },
                        [this](int i, const QString &text) {
                            if (i != m_shown)
                                return;
                            m_caption->setText(text);
                            EntryEdited();
                        });
    KeepEntryWhileIdRefused(m_tree, m_showing, m_shown, m_id, [this] { return CommitId(); },
                            [this] { ShowEntry(); });
    connect(m_id->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        // The tree and the buttons check the ID themselves when they take the focus.
        if (ChecksIdItself(QApplication::focusWidget(), m_tree,
                           {m_newItem, m_newSub, m_delete, m_up, m_down}))
            return;
        if (!m_showing && m_shown >= 0 && m_id->lineEdit()->isModified())
            CommitId();
    });
    auto edited = [this] { EntryEdited(); };
    connect(m_caption, &QLineEdit::textEdited, this, edited);
    connect(m_hint, &QLineEdit::textEdited, this, edited);
    connect(m_icon, &QLineEdit::textEdited, this, edited);
    connect(m_shortcut, &QComboBox::activated, this, edited);
    connect(m_size, &QComboBox::currentTextChanged, this, edited);
    connect(m_align, &QComboBox::activated, this, edited);
    for (QCheckBox *box : {m_visible, m_enabled, m_validation})
        connect(box, &QCheckBox::toggled, this, edited);
    connect(m_beginGroup, &QCheckBox::toggled, this, [this](bool on) {
        if (m_showing || Current() < 0)
            return;
        Rebuild(m_model->SetBeginGroup(Current(), on));
    });
    connect(m_newItem, &QPushButton::clicked, this, [this] {
        if (Current() >= 0 && !CommitId())
            return;
        Rebuild(m_model->NewItem(Current()));
        m_id->setFocus();
    });
    connect(m_newSub, &QPushButton::clicked, this, [this] {
        if (Current() >= 0 && !CommitId())
            return;
        Rebuild(m_model->NewSubItem(Current()));
        m_id->setFocus();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const int i = Current();
        if (i < 0)
            return;
        m_shown = -1;
        m_model->Delete(i);
        Rebuild(std::min(i, m_model->Count() - 1));
    });
    connect(m_up, &QPushButton::clicked, this, [this] {
        if (Current() >= 0 && CommitId())
            if (const int to = m_model->MoveUp(Current()); to >= 0)
                Rebuild(to);
    });
    connect(m_down, &QPushButton::clicked, this, [this] {
        if (Current() >= 0 && CommitId())
            if (const int to = m_model->MoveDown(Current()); to >= 0)
                Rebuild(to);
    });
}

void BarEditorView::Load(clsControl *item, int type)
{
    LoadItems(item ? item->GetProperty(ItemsCode) : QString(), type);
    BarSettingsShown shown;
    m_iconSizeSupported = m_styleSupported = type == BarContent::ToolBar;
    // A setting the bar's kind does not have is left off the page.
    auto read = [item](int code, bool *supported) -> QString {
        try {
            return item->GetProperty(code);
        } catch (const GuiError &) {
            if (supported)
                *supported = false;
            return {};
        }
    };
    if (item && !m_model->IsMenu()) {
        shown.Position = std::clamp(read(AlignCode, nullptr).toInt(), 0, 4);
        shown.Visible = read(VisibleCode, nullptr) != QLatin1String("0");
        if (m_iconSizeSupported)
            shown.Large = read(IconSizeCode, &m_iconSizeSupported) == QLatin1String("1");
        if (m_styleSupported)
            shown.Captions = read(StyleCode, &m_styleSupported) == QLatin1String("2");
    }
    m_large->setVisible(m_iconSizeSupported);
    m_small->setVisible(m_iconSizeSupported);
    m_captions->setVisible(m_styleSupported);
    m_barLoaded = shown;
    m_position->setCurrentIndex(shown.Position);
    (shown.Large ? m_large : m_small)->setChecked(true);
    m_captions->setChecked(shown.Captions);
    m_barVisible->setChecked(shown.Visible);
}

void BarEditorView::LoadItems(const QString &items, int type)
{
    m_model = std::make_unique<BarEditorModel>(type);
    const QStringList repairs = m_model->Load(items);
    m_loaded = items;
    const bool menu = m_model->IsMenu();
    m_newSub->setVisible(menu);
    m_shortcut->setEnabled(menu);
    m_validation->setVisible(type == BarContent::ToolBar);
    m_fields->setRowVisible(m_shortcut, menu);
    // Tool bars and status bars are bands of their own; menus have no band settings.
    m_barBox->setVisible(!menu);
    m_barBox->setTitle(type == BarContent::ToolBar ? tr("Toolbar Properties") : tr("Status bar properties"));

    m_fields->setRowVisible(m_size, type == BarContent::StatusBar);
    m_fields->setRowVisible(m_align, type == BarContent::StatusBar);
    m_size->setEnabled(type == BarContent::StatusBar);
    m_align->setEnabled(type == BarContent::StatusBar);
    m_id->clear();
    // Keywords a user may pick for an entry.
    QStringList keywords{QStringLiteral("-")};
    if (type == BarContent::StatusBar)
        keywords << QStringList{"*Caps", "*Num", "*Scroll", "*Date", "*Time", "*Timedate"};
    else
        keywords << QStringList{"*WINDOW", "*Exit", "*Cut", "*Copy", "*Paste", "*SelectAll",
                                "*Print", "*PrintSetup", "*Window", "*TileHoriz", "*TileVert",
                                "*Cascade", "*Help", "*About"};
    m_id->addItems(keywords);
    Rebuild(m_model->Count() > 0 ? 0 : -1);
    ShowRepairs(repairs);
}

int BarEditorView::Current() const
{
    QTreeWidgetItem *item = m_tree->currentItem();
    return item ? item->data(0, IndexRole).toInt() : -1;
}

void BarEditorView::Select(int index)
{
    QTreeWidgetItem *root = m_tree->topLevelItem(0);
    if (!root)
        return;
    if (index < 0) {
        m_tree->setCurrentItem(root);
        return;
    }
    // Walk the tree: entries are numbered in pre-order.
    std::vector<QTreeWidgetItem *> stack{root};
    while (!stack.empty()) {
        QTreeWidgetItem *item = stack.back();
        stack.pop_back();
        if (item->data(0, IndexRole).toInt() == index) {
            m_tree->setCurrentItem(item);
            return;
        }
        for (int c = item->childCount() - 1; c >= 0; --c)
            stack.push_back(item->child(c));
    }
}

void BarEditorView::Rebuild(int select)
{
    m_showing = true;
    m_tree->clear();
    auto *root = new QTreeWidgetItem(QStringList{m_model->BarTitle()});
    root->setData(0, IndexRole, -1);
    const LeveledEntries &entries = m_model->Entries();
    std::vector<QTreeWidgetItem *> parents{root};
    for (int i = 0; i < entries.Count(); ++i) {
        const int level = m_model->IsMenu() ? entries.Level(i) : 1;
        parents.resize(size_t(std::min<int>(level, int(parents.size()))));
        auto *node = new QTreeWidgetItem(parents.back(), QStringList{m_model->Label(i)});
        node->setData(0, IndexRole, i);
        node->setFlags(node->flags() | Qt::ItemIsEditable);
        node->setToolTip(0, m_model->Key(i));
        parents.push_back(node);
    }
    m_tree->addTopLevelItem(root);
    m_tree->expandAll();
    m_showing = false;
    m_shown = -1;
    Select(select);
    ShowEntry();
}

void BarEditorView::ShowEntry()
{
    m_showing = true;
    const int i = Current();
    m_shown = i;
    const bool entry = i >= 0;
    for (QWidget *w : std::initializer_list<QWidget *>{m_id, m_caption, m_hint, m_icon, m_visible,
                                                       m_enabled, m_beginGroup, m_validation,
                                                       m_delete, m_up, m_down})
        w->setEnabled(entry);
    m_shortcut->setEnabled(entry && m_model->IsMenu());
    const bool panel = entry && m_model->BarType() == BarContent::StatusBar;
    m_size->setEnabled(panel);
    m_align->setEnabled(panel);
    if (entry) {
        m_id->setEditText(m_model->Id(i));
        m_id->lineEdit()->setModified(false);
        m_caption->setText(m_model->Caption(i));
        m_hint->setText(m_model->ToolTip(i));
        m_icon->setText(m_model->Icon(i));
        m_shortcut->setCurrentIndex(ShortcutList::RowOf(m_model->ShortcutCode(i)));
        m_visible->setChecked(m_model->Visible(i));
        m_enabled->setChecked(m_model->Enabled(i));
        m_beginGroup->setChecked(m_model->BeginGroup(i));
        m_validation->setChecked(m_model->CausesValidation(i));
        const QString width = m_model->Width(i);
        m_size->setEditText(width == QLatin1String("0") ? tr("Auto")
                            : width == QLatin1String("-1") ? tr("Spring") : width);
        m_align->setCurrentIndex(m_model->Align(i));
    } else {
        m_id->setEditText(QString());
        for (QLineEdit *e : {m_caption, m_hint, m_icon})
            e->clear();
    }
    m_showing = false;
}

void BarEditorView::EntryEdited()
{
    const int i = m_shown;
    if (m_showing || i < 0)
        return;
    m_model->SetCaption(i, m_caption->text());
    m_model->SetToolTip(i, m_hint->text());
    m_model->SetIcon(i, m_icon->text());
    if (m_model->IsMenu())
        m_model->SetShortcutCode(i, ShortcutList::Code(m_shortcut->currentIndex()));
    m_model->SetVisible(i, m_visible->isChecked());
    m_model->SetEnabled(i, m_enabled->isChecked());
    if (m_model->BarType() == BarContent::ToolBar)
        m_model->SetCausesValidation(i, m_validation->isChecked());
    if (m_model->BarType() == BarContent::StatusBar) {
        m_model->SetWidth(i, m_size->currentText());
        m_model->SetAlign(i, m_align->currentIndex());
    }
    RefreshLabel(i);
}

void BarEditorView::RefreshLabel(int index)
{
    if (QTreeWidgetItem *item = m_tree->currentItem(); item && item->data(0, IndexRole).toInt() == index) {
        item->setText(0, m_model->Label(index));
        item->setToolTip(0, m_model->Key(index));
    }
}

bool BarEditorView::CommitId()
{
    const int i = m_shown;
    if (i < 0)
        return true;
    const QString id = m_id->currentText();
    if (id.trimmed() == m_model->Id(i).trimmed() && !id.trimmed().isEmpty())
        return true;
    const QString problem = m_model->CheckId(i, id);
    if (!problem.isEmpty()) {
        m_prompter.ShowMessage(problem, MessageIcon::Exclamation);
        m_id->setFocus();
        m_id->lineEdit()->selectAll();
        return false;
    }
    const bool wasSeparator = m_model->IsSeparator(i);
    m_model->SetId(i, id);
    m_id->lineEdit()->setModified(false);
    if (wasSeparator != m_model->IsSeparator(i))
        Rebuild(i);
    else
        RefreshLabel(i);
    return true;
}

bool BarEditorView::Check()
{
    if (!CommitId())
        return false;
    int index = -1;
    const QString problem = m_model->Validate(&index);
    if (problem.isEmpty())
        return true;
    m_prompter.ShowMessage(problem, MessageIcon::Exclamation);
    if (index >= 0) {
        Select(index);
        m_id->setFocus();
    }
    return false;
}

void BarEditorView::Apply(clsControl &item, clsDesigner &)
{
    const QString value = m_model->Store();
    if (value != item.GetProperty(ItemsCode))
        item.SetProperty(ItemsCode, value);
    if (m_model->IsMenu())
        return;
    // Only what the user changed: the bar keeps its stored settings otherwise.
    if (m_position->currentIndex() != m_barLoaded.Position)
        item.SetProperty(AlignCode, QString::number(m_position->currentIndex()));
    if (m_barVisible->isChecked() != m_barLoaded.Visible)
        item.SetProperty(VisibleCode, m_barVisible->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    if (m_model->BarType() == BarContent::ToolBar) {
        if (m_iconSizeSupported && m_large->isChecked() != m_barLoaded.Large)
            item.SetProperty(IconSizeCode, m_large->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        if (m_styleSupported && m_captions->isChecked() != m_barLoaded.Captions)
            item.SetProperty(StyleCode, m_captions->isChecked() ? QStringLiteral("2") : QStringLiteral("1"));
    }
}
