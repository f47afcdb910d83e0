#include "designer/frmProperties.h"

#include "designer/BarEditorView.h"
#include "designer/OptionGridView.h"
#include "designer/SheetColoursPage.h"
#include "designer/SheetDragDropPage.h"
#include "designer/SheetFontPage.h"
#include "designer/SheetPictureEditor.h"
#include "designer/TabListView.h"
#include "designer/TreeEditorView.h"
#include "designer/ucListProps.h"

#include "designer/ucExtProps.h"

#include "app/EditCommands.h"
#include "app/ErrorBoundary.h"
#include "app/clsDesigner.h"
#include "app/clsDesignerSettings.h"
#include "app/iPrompter.h"
#include "model/ExtensionProfile.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "support/ColourNames.h"
#include "support/GuiError.h"
#include "support/PlatformMetrics.h"
#include "support/ProgramTitle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace Vocabulary;
using Page = PropertySheetModel::Page;
using Kind = PropertySheetModel::Kind;
using Field = PropertySheetModel::Field;

namespace {

constexpr int NotStored = -2147483647;
constexpr const char *ShowCreateLabel = "<frmProperties ShowCreate>";
constexpr const char *ShowModifyLabel = "<frmProperties ShowModify>";

int TwipsX() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelX); }
int TwipsY() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelY); }

} // namespace

frmProperties::frmProperties(clsDesigner &designer, iPrompter &prompter, QWidget *parent)
    : QDialog(parent), m_designer(designer), m_prompter(prompter),
      m_editors(m_model, prompter, *this, {ChooseColour, ChooseFont, ChooseFile})
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QString::fromUtf8(ProgramTitle));
    setModal(true);
    BuildColourTables();

    auto *identity = new QGridLayout;
    m_typeLabel = new QLabel(this);
    m_typeLabel->setObjectName(QStringLiteral("ControlType"));
    QFont bold = m_typeLabel->font();
    bold.setBold(true);
    m_typeLabel->setFont(bold);
    identity->addWidget(new QLabel(tr("Control type"), this), 0, 0);
    identity->addWidget(m_typeLabel, 0, 1);
    m_appIdLabel = new QLabel(tr("App ID"), this);
    m_appIdText = new QLabel(this);
    m_appIdText->setTextFormat(Qt::PlainText);
    identity->addWidget(m_appIdLabel, 1, 0);
    identity->addWidget(m_appIdText, 1, 1);
    m_formIdLabel = new QLabel(tr("Form ID"), this);
    m_formIdText = new QLabel(this);
    m_formIdText->setTextFormat(Qt::PlainText);
    identity->addWidget(m_formIdLabel, 2, 0);
    identity->addWidget(m_formIdText, 2, 1);
    m_idLabel = new QLabel(this);
    m_idEdit = new QLineEdit(this);
    m_idEdit->setObjectName(QStringLiteral("IdEdit"));
    m_idEdit->setMaxLength(PropertySheetModel::MaxIdLength * 4);
    m_idEdit->installEventFilter(this);
    m_idLabel->setBuddy(m_idEdit);
    identity->addWidget(m_idLabel, 3, 0);
    identity->addWidget(m_idEdit, 3, 1);
    m_styleLabel = new QLabel(tr("&Style:"), this);
    m_styleCombo = new QComboBox(this);
    m_styleCombo->setObjectName(QStringLiteral("StyleCombo"));
    m_styleLabel->setBuddy(m_styleCombo);
    identity->addWidget(m_styleLabel, 4, 0);
    identity->addWidget(m_styleCombo, 4, 1);
    identity->setColumnStretch(1, 1);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("Pages"));
    m_tabs->setUsesScrollButtons(true);

    m_confirm = new QPushButton(tr("&Create"), this);
    m_confirm->setObjectName(QStringLiteral("Confirm"));
    m_confirm->setDefault(true);
    m_confirm->setAutoDefault(true);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    m_cancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(identity);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    connect(m_idEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_model.SetIdText(text);
        // A caption that follows the new object's ID shows it as it is typed.
        if (auto *caption = qobject_cast<QLineEdit *>(m_editors.Field(Prop::Caption));
            caption && caption->text() != m_model.Text(Prop::Caption))
            caption->setText(m_model.Text(Prop::Caption));
        if (m_dragDropPage)
            m_dragDropPage->IdChanged();
    });
    connect(m_styleCombo, &QComboBox::activated, this, [this](int index) {
        m_model.SetStyleIndex(index);
        RefreshEvents();
    });
    connect(m_confirm, &QPushButton::clicked, this, &frmProperties::Confirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 520);
}

frmProperties::~frmProperties() = default;

void frmProperties::SetExtensionProfile(std::shared_ptr<const ExtensionProfile> profile)
{
    m_model.SetExtensionProfile(std::move(profile));
}

int frmProperties::PageIndex(Page page) const { return m_pageIndex.value(int(page), -1); }

// ---- Show --------------------------------------------------------------------------------

frmProperties::Result frmProperties::ShowCreate(int type, clsControl *app, clsControl *form,
                                                const QString &defaultId)
{
    const QString label = QString::fromLatin1(ShowCreateLabel);
    if (!ErrorBoundary::Run(m_designer.Prompter(), label, [&] {
            m_model.SetupCreate(m_designer, type, app, form, m_designer.CurrentItem(),
                                defaultId);
            if (const std::optional<QPoint> point = std::exchange(m_createPoint, std::nullopt))
                m_model.SetCreatePosition(point->x(), point->y());
        }))
        return {};
    return Run(label);
}

frmProperties::Result frmProperties::ShowModify(const QString &fullId)
{
    if (fullId.isEmpty())
        return {};
    clsControl *item = m_designer.Items().Find(fullId);
    if (!item || item->ObjType() == Type::Root)
        return {};
    const QString label = QString::fromLatin1(ShowModifyLabel);
    if (!ErrorBoundary::Run(m_designer.Prompter(), label,
                            [&] { m_model.SetupModify(m_designer, *item); }))
        return {};
    return Run(label);
}

frmProperties::Result frmProperties::Run(const QString &label)
{
    Rebuild();
    struct CloseModel
    {
        PropertySheetModel &Model;
        ~CloseModel() { Model.Close(); }
    } closeModel{m_model};
    if (exec() != QDialog::Accepted)
        return {};
    const bool create = m_model.SheetMode() == PropertySheetModel::Mode::Create;
    Result result;
    ErrorBoundary::Run(m_designer.Prompter(), label, [&] {
        // The content editors write inside the sheet's change, so that both are one record.
        clsControl *item = m_model.Apply(m_edit, [&](clsControl &target) {
            for (ContentEditorPage *editor : std::as_const(m_contentPages))
                editor->Apply(target, m_designer);
            // The tabs the Tabs page made report what the Events page says.
            if (target.ObjType() == Type::Tabgroup)
                m_model.WriteTabEvents(target);
        });
        if (!item)
            return;
        result.Confirmed = true;
        result.FullId = item->FullID();
        if (create) {
            clsControl *selected = item;
            // A new tab group shows its first tab.
            if (item->ObjType() == Type::Tabgroup)
                for (const auto &entry : item->Children())
                    if (entry.Value->ObjType() == Type::Tab) {
                        selected = entry.Value;
                        break;
                    }
            m_designer.SelectItem(selected);
        }
    });
    // An object made before a later step failed exists all the same: say so, so that the
    // command that asked for it treats it as created.
    clsControl *made = create && !result.Confirmed ? m_model.Item() : nullptr;
    if (made && m_designer.Items().Find(m_model.FullId()) == made) {
        result.Confirmed = true;
        result.FullId = made->FullID();
    }
    if (m_refresh)
        m_refresh();
    return result;
}

void frmProperties::showEvent(QShowEvent *event)
{
    if (!m_positionRestored && m_settings) {
        m_positionRestored = true;
        const int left = m_settings->ReadInt(QStringLiteral("PropertiesLeft"), NotStored);
        const int top = m_settings->ReadInt(QStringLiteral("PropertiesTop"), NotStored);
        if (left > NotStored && top > NotStored) {
            const QPoint where(left / TwipsX(), top / TwipsY());
            // A position on a screen that is gone is not used.
            if (QGuiApplication::screenAt(where + QPoint(20, 20)))
                move(where);
        }
    }
    QDialog::showEvent(event);
}

void frmProperties::hideEvent(QHideEvent *event)
{
    if (m_settings) {
        m_settings->WriteInt(QStringLiteral("PropertiesLeft"), x() * TwipsX());
        m_settings->WriteInt(QStringLiteral("PropertiesTop"), y() * TwipsY());
    }
    QDialog::hideEvent(event);
}

bool frmProperties::eventFilter(QObject *watched, QEvent *event)
{
    // The ID field selects its whole text when it gains the focus, whichever way it came.
    if (watched == m_idEdit && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_idEdit, [edit = m_idEdit] { edit->selectAll(); });
    return QDialog::eventFilter(watched, event);
}

// ---- Building the pages --------------------------------------------------------------------

void frmProperties::ClearPages()
{
    m_editors.Clear();
    m_eventBoxes.clear();
    m_pageIndex.clear();
    m_contentPages.clear();
    m_fontPage = nullptr;
    m_dragDropPage = nullptr;
    m_extGrid = nullptr;
    m_privateGrid = nullptr;
    while (m_tabs->count() > 0) {
        QWidget *page = m_tabs->widget(0);
        m_tabs->removeTab(0);
        delete page;
    }
}

void frmProperties::Rebuild()
{
    ClearPages();
    m_confirm->setText(m_model.ConfirmLabel());
    m_typeLabel->setText(m_model.Caption());

    const bool isApp = IsApplication(m_model.OriginalType());
    m_appIdLabel->setVisible(!isApp);
    m_appIdText->setVisible(!isApp);
    m_appIdText->setText(m_model.AppIdText());
    const bool showForm = !m_model.EditsFormId() && !m_model.FormIdText().isEmpty();
    m_formIdLabel->setVisible(showForm);
    m_formIdText->setVisible(showForm);
    m_formIdText->setText(m_model.FormIdText());
    m_idLabel->setText(QStringLiteral("%1").arg(m_model.IdLabel()).replace(
        QLatin1String("ID"), QLatin1String("&ID")).replace(QLatin1String("App Name"),
                                                            QLatin1String("App &Name")));
    m_idEdit->setText(m_model.IdText());

    m_styleLabel->setText(
        m_model.StyleLabel().replace(QLatin1String("Style:"), QLatin1String("&Style:"))
            .replace(QLatin1String("style:"), QLatin1String("&style:")));
    m_styleCombo->clear();
    for (const auto &option : m_model.StyleOptions())
        m_styleCombo->addItem(option.Label);
    if (m_styleCombo->count() == 0) {
        m_styleCombo->addItem(tr("no styles available"));
        m_styleCombo->setEnabled(false);
    } else {
        m_styleCombo->setEnabled(true);
        m_styleCombo->setCurrentIndex(qMax(0, m_model.StyleIndex()));
    }

    for (Page page : m_model.Pages()) {
        // Letters the identity area and the buttons use are never given to a page's fields.
        m_editors.StartPage();
        QWidget *widget = nullptr;
        switch (page) {
        case Page::Colors: widget = new SheetColoursPage(m_editors); break;
        case Page::Font: widget = m_fontPage = new SheetFontPage(m_editors); break;
        case Page::Events: widget = BuildEventsPage(); break;
        case Page::DragDrop: widget = m_dragDropPage = new SheetDragDropPage(m_editors); break;
        case Page::Custom: widget = BuildCustomPage(); break;
        case Page::Private: widget = BuildPrivatePage(); break;
        default: widget = BuildFieldsPage(page); break;
        }
        AddContentEditor(page, widget);
        QString title = PropertySheetModel::PageTitle(page);
        if (page == Page::Custom && m_model.Extension()
            && !m_model.Extension()->Caption().isEmpty())
            title = m_model.Extension()->Caption();
        widget->setObjectName(QStringLiteral("Page") + QString::number(int(page)));
        m_pageIndex.insert(int(page), m_tabs->addTab(widget, title));
    }
    m_tabs->setCurrentIndex(0);
    // The pages are built after the buttons; Tab still runs from the identity through the
    // pages' fields to the buttons.
    QWidget *last = m_tabs;
    for (int i = 0; i < m_tabs->count(); ++i)
        for (QWidget *child : m_tabs->widget(i)->findChildren<QWidget *>())
            if (child->focusPolicy() & Qt::TabFocus)
                last = child;
    setTabOrder(last, m_confirm);
    setTabOrder(m_confirm, m_cancel);
    if (m_fontPage)
        m_fontPage->Refresh();
    RefreshEvents();
    if (m_dragDropPage)
        m_dragDropPage->Refresh();
    m_idEdit->setFocus();
    m_idEdit->selectAll();
}

void frmProperties::AddContentEditor(Page page, QWidget *widget)
{
    ContentEditorPage *editor = nullptr;
    switch (page) {
    case Page::Menu: editor = new BarEditorView(m_prompter, widget); break;
    case Page::Tree: editor = new TreeEditorView(m_prompter, widget); break;
    case Page::Options: editor = new OptionGridView(m_prompter, widget); break;
    case Page::List: editor = new ucListProps(m_prompter, widget); break;
    case Page::Tabs: editor = new TabListView(m_prompter, widget); break;
    default: return;
    }
    // Above the page's closing stretch, taking the room; the tab strip's editor goes above
    // the switch that says how the strip lays its tabs out.
    if (auto *outer = qobject_cast<QVBoxLayout *>(widget->layout()))
        outer->insertWidget(page == Page::Tabs ? 0 : outer->count() - 1, editor, 100);
    m_contentPages.insert(int(page), editor);
    // A new group's tabs are checked against the form too: the group is not there yet.
    if (auto *tabs = dynamic_cast<TabListView *>(editor))
        tabs->Model().SetTakenElsewhere(
            [this](const QString &id) { return m_model.IdTakenOnForm(id); });
    // Column widths are shown and entered in the application's scale unit.
    if (auto *list = dynamic_cast<ucListProps *>(editor)) {
        int unit = 0;
        if (clsControl *app = m_model.Application()) {
            try {
                unit = app->GetProperty(Prop::Scale).toInt();
            } catch (const GuiError &) {
            }
        }
        list->SetScaleMode(unit);
    }
    // Content the editor cannot read is reported; the page then starts empty.
    const bool modify = m_model.SheetMode() == PropertySheetModel::Mode::Modify;
    ErrorBoundary::Run(m_designer.Prompter(),
                       QString::fromLatin1(modify ? ShowModifyLabel : ShowCreateLabel),
                       [&] { editor->Load(modify ? m_model.Item() : nullptr, m_model.OriginalType()); });
}

QWidget *frmProperties::BuildFieldsPage(Page page)
{
    auto *widget = new QWidget;
    auto *outer = new QVBoxLayout(widget);
    if (page == Page::Menu && !m_model.PageHeading().isEmpty()) {
        auto *heading = new QLabel(m_model.PageHeading(), widget);
        QFont f = heading->font();
        f.setBold(true);
        heading->setFont(f);
        outer->addWidget(heading);
    }
    QHash<QString, QWidget *> groups;
    QFormLayout *plain = nullptr;
    QGridLayout *checks = nullptr;
    int checkCount = 0;
    for (const Field *field : m_model.FieldsOn(page)) {
        QFormLayout *form = nullptr;
        if (!field->Group.isEmpty()) {
            QWidget *box = groups.value(field->Group);
            if (!box) {
                auto *group = new QGroupBox(QString(field->Group).replace("&&", "&&"), widget);
                if (field->Type == Kind::Check) {
                    checks = new QGridLayout(group);
                    checkCount = 0;
                } else {
                    auto *fl = new QFormLayout(group);
                    fl->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
                }
                groups.insert(field->Group, group);
                outer->addWidget(group);
                box = group;
            }
            if (field->Type == Kind::Check) {
                QWidget *editor = m_editors.FieldEditor(*field, box);
                checks = qobject_cast<QGridLayout *>(box->layout());
                checks->addWidget(editor, checkCount / 3, checkCount % 3);
                ++checkCount;
                continue;
            }
            form = qobject_cast<QFormLayout *>(box->layout());
        } else {
            if (!plain) {
                plain = new QFormLayout;
                plain->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
                outer->addLayout(plain);
            }
            form = plain;
        }
        if (field->Type == Kind::Check) {
            form->addRow(m_editors.FieldEditor(*field, widget));
            continue;
        }
        if (field->Type == Kind::Icon) {
            auto *heading = new QLabel(field->Label, widget);
            QFont f = heading->font();
            f.setBold(true);
            heading->setFont(f);
            form->addRow(heading);
        }
        auto *label = new QLabel(
            m_editors.WithAccessKey(field->Type == Kind::Icon ? tr("Icon file:") : field->Label),
            widget);
        QWidget *editor = field->Type == Kind::Picture || field->Type == Kind::Icon
                              ? new SheetPictureEditor(m_editors, *field, widget)
                              : m_editors.FieldEditor(*field, widget);
        QWidget *focus = m_editors.Field(field->Code);
        if (!focus)
            focus = editor;
        label->setBuddy(focus);
        form->addRow(label, editor);
        if (field->Code == PropertySheetModel::CacheIdCode) {
            form->addRow(QString(), new QLabel(tr("(clear to disable caching)"), widget));
        }
    }
    // A grid drawing the active cell in the selected-cell style shows no rectangle.
    auto *selectedCell =
        qobject_cast<QCheckBox *>(m_editors.Field(PropertySheetModel::SelCellStyleCode));
    QWidget *rectangle = m_editors.Field(Vocabulary::Prop::FocusStyle);
    if (selectedCell && rectangle && widget->isAncestorOf(selectedCell)) {
        rectangle->setEnabled(!selectedCell->isChecked());
        connect(selectedCell, &QCheckBox::toggled, rectangle, &QWidget::setDisabled);
    }
    // Choosing an HTML help type may switch the Help event on.
    if (auto *helpType = qobject_cast<QComboBox *>(m_editors.Field(Prop::HelpType));
        helpType && widget->isAncestorOf(helpType))
        connect(helpType, &QComboBox::activated, this, &frmProperties::RefreshEvents);
    outer->addStretch(1);
    return widget;
}

// ---- Events ------------------------------------------------------------------------------

QWidget *frmProperties::BuildEventsPage()
{
    auto *widget = new QWidget;
    auto *layout = new QVBoxLayout(widget);
    auto *group = new QGroupBox(tr("Events"), widget);
    auto *grid = new QGridLayout(group);
    int n = 0;
    const std::vector<int> events = m_model.Events();
    const int rows = qMax(1, int((events.size() + 2) / 3));
    for (int code : events) {
        auto *box = new QCheckBox(m_editors.WithAccessKey(EventDisplayName(code)), group);
        box->setObjectName(QStringLiteral("Event") + QString::number(code));
        m_eventBoxes.insert(code, box);
        grid->addWidget(box, n % rows, n / rows);
        ++n;
        connect(box, &QCheckBox::toggled, this, [this, code](bool on) {
            m_model.SetEvent(code, on);
            RefreshEvents();
        });
    }
    layout->addWidget(group);
    if (m_model.OriginalType() == Type::Tabgroup) {
        auto *apply = new QGroupBox(tr("Events apply to:"), widget);
        auto *row = new QHBoxLayout(apply);
        auto *tabs = new QRadioButton(m_editors.WithAccessKey(tr("Individual tabs")), apply);
        auto *whole = new QRadioButton(m_editors.WithAccessKey(tr("Tab group")), apply);
        (m_model.TabEventsOnGroup() ? whole : tabs)->setChecked(true);
        row->addWidget(tabs);
        row->addWidget(whole);
        row->addStretch(1);
        layout->addWidget(apply);
        connect(whole, &QRadioButton::toggled, this,
                [this](bool on) { m_model.SetTabEventsOnGroup(on); });
    }
    layout->addStretch(1);
    return widget;
}

void frmProperties::RefreshEvents()
{
    // Events the object must always report are ticked and cannot be unticked.
    for (auto it = m_eventBoxes.begin(); it != m_eventBoxes.end(); ++it) {
        const QSignalBlocker block(it.value());
        it.value()->setChecked(m_model.EventOn(it.key()) || m_model.EventLocked(it.key()));
        it.value()->setEnabled(!m_model.EventLocked(it.key()));
    }
}

// ---- Custom (extension) page -------------------------------------------------------------

QWidget *frmProperties::BuildCustomPage()
{
    ExtPropsPage *ext = m_model.Extension();
    if (!ext)
        return new QWidget;
    auto *page = new ucExtProps(*ext);
    m_extGrid = page->Grid();
    return page;
}

QWidget *frmProperties::BuildPrivatePage()
{
    ExtPropsPage *ext = m_model.PrivateExtension();
    if (!ext)
        return new QWidget;
    auto *page = new ucExtProps(*ext);
    page->Grid()->setObjectName(QStringLiteral("PrivateGrid"));
    m_privateGrid = page->Grid();
    return page;
}

// ---- Confirm -----------------------------------------------------------------------------

void frmProperties::FocusField(int code)
{
    QWidget *target = code == PropertySheetModel::IdCode ? m_idEdit : m_editors.Field(code);
    if (!target)
        return;
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->widget(i)->isAncestorOf(target))
            m_tabs->setCurrentIndex(i);
    target->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        edit->selectAll();
}

void frmProperties::Confirm()
{
    m_model.SetIdText(m_idEdit->text());
    if (const auto problem = m_model.Validate()) {
        m_prompter.ShowMessage(problem->Message, MessageIcon::Exclamation);
        FocusField(problem->Code);
        return;
    }
    for (auto it = m_contentPages.cbegin(); it != m_contentPages.cend(); ++it) {
        m_tabs->setCurrentIndex(m_pageIndex.value(it.key(), m_tabs->currentIndex()));
        if (!it.value()->Check())
            return;
    }
    accept();
}
