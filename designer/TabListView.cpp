#include "designer/TabListView.h"

#include "app/clsDesigner.h"
#include "app/iPrompter.h"
#include "model/clsControl.h"
#include "model/clsItems.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
constexpr int TabType = 31;
constexpr int EnabledCode = 8, VisibleCode = 9, CaptionCode = 22, HintCode = 49, IconCode = 56;
}

TabListView::TabListView(iPrompter &prompter, QWidget *parent) : ContentEditorPage(prompter, parent)
{
    m_strip = new QTabBar(this);
    m_strip->setExpanding(false);
    m_strip->setDrawBase(true);
    m_position = new QLabel(this);
    m_count = new QSpinBox(this);
    m_count->setRange(0, 999);
    m_count->setKeyboardTracking(false);
    m_id = new QLineEdit(this);
    m_caption = new QLineEdit(this);
    m_hint = new QLineEdit(this);
    m_icon = new QLineEdit(this);
    m_icon->setPlaceholderText(tr("Enter icon file name or URL"));
    m_visible = new QCheckBox(tr("&Visible"), this);
    m_enabled = new QCheckBox(tr("&Enabled"), this);
    auto *fields = new QFormLayout;
    fields->addRow(tr("N&umber of tabs:"), m_count);
    fields->addRow(m_position);
    fields->addRow(tr("Ta&b ID:"), m_id);
    fields->addRow(tr("Tab ca&ption:"), m_caption);
    fields->addRow(tr("Tab &help hint:"), m_hint);
    fields->addRow(tr("Tab ic&on:"), WithIconChooser(m_icon, tr("Tab icon file or URL:")));
    auto *checks = new QHBoxLayout;
    checks->addWidget(m_visible);
    checks->addWidget(m_enabled);
    checks->addStretch(1);
    fields->addRow(checks);
    m_add = new QPushButton(tr("Add &tab"), this);
    m_insert = new QPushButton(tr("I&nsert tab"), this);
    m_delete = new QPushButton(tr("&Delete tab"), this);
    m_left = new QPushButton(tr("Move &left"), this);
    m_right = new QPushButton(tr("Move &right"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_add, m_insert, m_delete, m_left, m_right})
        buttons->addWidget(b);
    buttons->addStretch(1);
    // Until the sheet says otherwise, an ID is taken when an item of the group's form has it.
    m_model.SetTakenElsewhere([this](const QString &id) { return Taken(id); });

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_strip);
    outer->addLayout(fields);
    outer->addStretch(1);
    outer->addLayout(buttons);

    connect(m_strip, &QTabBar::currentChanged, this, [this](int) {
        if (m_filling)
            return;
        if (m_shown >= 0 && !CommitId()) {
            m_filling = true;
            m_strip->setCurrentIndex(m_shown);
            m_filling = false;
            return;
        }
        ShowTab();
    });
    connect(m_count, &QSpinBox::valueChanged, this, [this](int count) {
        if (!m_filling)
            SetCount(count);
    });
    auto edited = [this] { TabEdited(); };
    for (QLineEdit *e : {m_caption, m_hint, m_icon})
        connect(e, &QLineEdit::textEdited, this, edited);
    for (QCheckBox *b : {m_visible, m_enabled})
        connect(b, &QCheckBox::toggled, this, edited);
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (CommitId())
            Fill(m_model.Add());
    });
    connect(m_insert, &QPushButton::clicked, this, [this] {
        if (CommitId())
            Fill(m_model.Insert(std::max(0, m_strip->currentIndex())));
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const int i = m_strip->currentIndex();
        if (i < 0)
            return;
        const QString question = m_model.DeleteQuestion(i);
        if (!question.isEmpty()
            && m_prompter.Ask(question, iPrompter::Buttons::YesNo, MessageIcon::Exclamation)
                   != iPrompter::Answer::Yes)
            return;
        m_shown = -1;
        m_model.Delete(i);
        Fill(std::min(i, m_model.Count() - 1));
    });
    connect(m_left, &QPushButton::clicked, this, [this] {
        if (CommitId())
            if (const int to = m_model.MoveUp(m_strip->currentIndex()); to >= 0)
                Fill(to);
    });
    connect(m_right, &QPushButton::clicked, this, [this] {
        if (CommitId())
            if (const int to = m_model.MoveDown(m_strip->currentIndex()); to >= 0)
                Fill(to);
    });
}

void TabListView::Load(clsControl *item, int)
{
    m_group = item;
    std::vector<TabListModel::Tab> tabs;
    if (item) {
        for (const auto &entry : item->Children()) {
            const clsControl *panel = entry.Value;
            if (panel->ObjType() != TabType)
                continue;
            TabListModel::Tab tab;
            tab.Id = panel->ID();
            tab.Caption = panel->GetProperty(CaptionCode);
            tab.Icon = panel->GetProperty(IconCode);
            tab.Hint = panel->GetProperty(HintCode);
            tab.Enabled = panel->GetProperty(EnabledCode) != QLatin1String("0");
            tab.Visible = panel->GetProperty(VisibleCode) != QLatin1String("0");
            tab.HoldsControls = !panel->Children().IsEmpty();
            tabs.push_back(tab);
        }
    }
    m_model.Load(std::move(tabs));
    Fill(0);
}

void TabListView::Fill(int select)
{
    m_filling = true;
    while (m_strip->count() > 0)
        m_strip->removeTab(0);
    for (const auto &tab : m_model.Tabs())
        m_strip->addTab(tab.Caption.isEmpty() ? tab.Id : tab.Caption);
    m_strip->setCurrentIndex(std::clamp(select, -1, m_model.Count() - 1));
    m_count->setValue(m_model.Count());
    m_filling = false;
    ShowTab();
}

void TabListView::SetCount(int count)
{
    if (!CommitId()) {
        Fill(m_strip->currentIndex());
        return;
    }
    const int before = m_model.Count();
    if (count > before) {
        m_model.SetCount(count);
        Fill(before);
        return;
    }
    while (m_model.Count() > count) {
        const int last = m_model.Count() - 1;
        const QString question = m_model.DeleteQuestion(last);
        if (!question.isEmpty()
            && m_prompter.Ask(question, iPrompter::Buttons::YesNo, MessageIcon::Exclamation)
                   != iPrompter::Answer::Yes)
            break;
        m_shown = -1;
        m_model.Delete(last);
    }
    Fill(std::min(m_strip->currentIndex(), m_model.Count() - 1));
}

void TabListView::ShowTab()
{
    m_filling = true;
    const int i = m_strip->currentIndex();
    m_shown = i;
    const bool any = i >= 0;
    for (QWidget *w : std::initializer_list<QWidget *>{m_id, m_caption, m_hint, m_icon, m_visible,
                                                       m_enabled, m_delete, m_left, m_right})
        w->setEnabled(any);
    m_position->setText(any ? m_model.Position(i) : tr("No tabs"));
    if (any) {
        const auto &tab = m_model.At(i);
        m_id->setText(tab.Id);
        m_id->setModified(false);
        m_caption->setText(tab.Caption);
        m_hint->setText(tab.Hint);
        m_icon->setText(tab.Icon);
        m_visible->setChecked(tab.Visible);
        m_enabled->setChecked(tab.Enabled);
    }
    m_filling = false;
}

void TabListView::TabEdited()
{
    const int i = m_shown;
    if (m_filling || i < 0)
        return;
    m_model.SetCaption(i, m_caption->text());
    m_model.SetHint(i, m_hint->text());
    m_model.SetIcon(i, m_icon->text());
    m_model.SetVisible(i, m_visible->isChecked());
    m_model.SetEnabled(i, m_enabled->isChecked());
    m_strip->setTabText(i, m_caption->text().isEmpty() ? m_model.At(i).Id : m_caption->text());
}

bool TabListView::Taken(const QString &id) const
{
    if (!m_group || !m_group->Form())
        return false;
    return m_group->Items().Contains(m_group->Form()->FullID() + QLatin1Char('*') + id);
}

bool TabListView::CommitId()
{
    const int i = m_shown;
    if (i < 0 || m_id->text().trimmed() == m_model.At(i).Id)
        return true;
    const QString problem = m_model.CheckId(i, m_id->text());
    if (!problem.isEmpty()) {
        m_prompter.ShowMessage(problem, MessageIcon::Exclamation);
        m_id->setFocus();
        m_id->selectAll();
        return false;
    }
    m_model.SetId(i, m_id->text());
    return true;
}

bool TabListView::Check()
{
    if (!CommitId())
        return false;
    int index = -1;
    const QString problem = m_model.Validate({}, &index);
    if (problem.isEmpty())
        return true;
    m_prompter.ShowMessage(problem, MessageIcon::Exclamation);
    if (index >= 0) {
        Fill(index);
        m_id->setFocus();
    }
    return false;
}

void TabListView::Apply(clsControl &group, clsDesigner &designer)
{
    const TabListModel::Plan plan = m_model.MakePlan();
    const QString formId = group.Form() ? group.Form()->FullID() : QString();
    auto fullId = [&formId](const QString &id) { return formId + QLatin1Char('*') + id; };
    // Only the group's own panels are ever written: an ID that names another object of the
    // form leaves that object alone.
    auto ownPanel = [&](const QString &id) -> clsControl * {
        clsControl *panel = group.Items().Find(fullId(id));
        return panel && panel->Parent() == &group && panel->ObjType() == TabType ? panel : nullptr;
    };
    for (const QString &id : plan.Removed)
        if (ownPanel(id))
            designer.RemoveControl(fullId(id));
    // Renames go through a free name first, so two tabs may swap their IDs.
    for (const auto &[from, to] : plan.Renamed)
        if (clsControl *panel = ownPanel(from))
            panel->RenameItem(from + QStringLiteral("~renaming"));
    for (const auto &[from, to] : plan.Renamed)
        if (clsControl *panel = ownPanel(from + QStringLiteral("~renaming")))
            panel->RenameItem(to);
    auto write = [](clsControl &panel, int code, const QString &value) {
        if (panel.GetProperty(code) != value)
            panel.SetProperty(code, value);
    };
    std::vector<std::pair<int, clsControl *>> written;
    for (int i : plan.Added)
        if (clsControl *panel = designer.AddControl(TabType, fullId(m_model.At(i).Id), group.ID(),
                                                    {}, {}, {}, {}))
            written.emplace_back(i, panel);
    for (int i : plan.Changed)
        if (clsControl *panel = ownPanel(m_model.At(i).Id))
            written.emplace_back(i, panel);
    for (const auto &[i, panel] : written) {
        const auto &tab = m_model.At(i);
        write(*panel, CaptionCode, tab.Caption);
        write(*panel, HintCode, tab.Hint);
        write(*panel, IconCode, tab.Icon);
        write(*panel, EnabledCode, tab.Enabled ? QStringLiteral("1") : QStringLiteral("0"));
        write(*panel, VisibleCode, tab.Visible ? QStringLiteral("1") : QStringLiteral("0"));
    }
    if (plan.Reordered)
        for (int i = 1; i < m_model.Count(); ++i)
            if (clsControl *panel = ownPanel(m_model.At(i).Id))
                panel->RepositionItem(m_model.At(i - 1).Id, true);
}
