#include "designer/frmProperties.h"

#include "controls/PictureLoader.h"

#include "designer/BarEditorView.h"
#include "designer/OptionGridView.h"
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
#include "support/NumberFormat.h"
#include "support/PlatformMetrics.h"
#include "support/ProgramTitle.h"

#include <QColorDialog>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardItemModel>
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
constexpr int ColourValueRole = Qt::UserRole + 1;
constexpr const char *CustomColourText = "Custom Color >>";
constexpr const char *ShowCreateLabel = "<frmProperties ShowCreate>";
constexpr const char *ShowModifyLabel = "<frmProperties ShowModify>";

QColor ToQColor(qint32 value)
{
    const qint32 rgb = ColourToRGB(value);
    return QColor(rgb & 255, (rgb >> 8) & 255, (rgb >> 16) & 255);
}

QIcon Swatch(const QColor &colour)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

void AddHeading(QComboBox *combo, const QString &text)
{
    combo->addItem(text);
    auto *model = qobject_cast<QStandardItemModel *>(combo->model());
    if (QStandardItem *item = model ? model->item(combo->count() - 1) : nullptr) {
        item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
}

int TwipsX() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelX); }
int TwipsY() { return qMax(1, PlatformMetrics::Current().TwipsPerPixelY); }

} // namespace

frmProperties::frmProperties(clsDesigner &designer, iPrompter &prompter, QWidget *parent)
    : QDialog(parent), m_designer(designer), m_prompter(prompter)
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
        if (auto *caption = qobject_cast<QLineEdit *>(m_fieldWidgets.value(Prop::Caption));
            caption && caption->text() != m_model.Text(Prop::Caption))
            caption->setText(m_model.Text(Prop::Caption));
        if (m_useControlId && m_useControlId->isChecked())
            m_model.SetUseControlIdAsDragId(true);
        RefreshDragDrop();
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
        clsControl *item = m_model.Apply(m_edit);
        if (!item)
            return;
        for (ContentEditorPage *editor : std::as_const(m_contentPages))
            editor->Apply(*item, m_designer);
        // The tabs the Tabs page made report what the Events page says.
        if (item->ObjType() == Type::Tabgroup)
            m_model.WriteTabEvents(*item);
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

QString frmProperties::WithAccessKey(const QString &label)
{
    if (label.contains(QLatin1Char('&')) && !label.contains(QLatin1String("&&")))
        return label;
    // The first letter not yet taken on this page (nor by the identity and the buttons).
    for (int i = 0; i < label.size(); ++i) {
        const QChar c = label[i].toLower();
        if (!c.isLetter() || m_usedKeys.contains(c))
            continue;
        m_usedKeys.append(c);
        QString out = label;
        out.insert(i, QLatin1Char('&'));
        return out;
    }
    return label;
}

void frmProperties::ClearPages()
{
    m_fieldWidgets.clear();
    m_defaultBoxes.clear();
    m_colourDescriptions.clear();
    m_eventBoxes.clear();
    m_iconPreviews.clear();
    m_pageIndex.clear();
    m_contentPages.clear();
    m_fontButton = nullptr;
    m_fontSummary = nullptr;
    m_dragSource = m_dropTarget = nullptr;
    m_dragIdEdit = nullptr;
    m_useControlId = nullptr;
    m_dropList = nullptr;
    m_dropIdCombo = nullptr;
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
        m_usedKeys = QStringLiteral("icans");
        QWidget *widget = nullptr;
        switch (page) {
        case Page::Colors: widget = BuildColoursPage(); break;
        case Page::Font: widget = BuildFontPage(); break;
        case Page::Events: widget = BuildEventsPage(); break;
        case Page::DragDrop: widget = BuildDragDropPage(); break;
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
    RefreshFont();
    RefreshEvents();
    RefreshDragDrop();
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
                QWidget *editor = FieldEditor(*field, box);
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
            form->addRow(FieldEditor(*field, widget));
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
            WithAccessKey(field->Type == Kind::Icon ? tr("Icon file:") : field->Label), widget);
        QWidget *editor = field->Type == Kind::Picture || field->Type == Kind::Icon
                              ? PictureEditor(*field, widget)
                              : FieldEditor(*field, widget);
        QWidget *focus = m_fieldWidgets.value(field->Code, editor);
        label->setBuddy(focus);
        form->addRow(label, editor);
        if (field->Code == PropertySheetModel::CacheIdCode) {
            form->addRow(QString(), new QLabel(tr("(clear to disable caching)"), widget));
        }
    }
    // A grid drawing the active cell in the selected-cell style shows no rectangle.
    auto *selectedCell =
        qobject_cast<QCheckBox *>(m_fieldWidgets.value(PropertySheetModel::SelCellStyleCode));
    QWidget *rectangle = m_fieldWidgets.value(Vocabulary::Prop::FocusStyle);
    if (selectedCell && rectangle && widget->isAncestorOf(selectedCell)) {
        rectangle->setEnabled(!selectedCell->isChecked());
        connect(selectedCell, &QCheckBox::toggled, rectangle, &QWidget::setDisabled);
    }
    outer->addStretch(1);
    return widget;
}

QWidget *frmProperties::FieldEditor(const Field &field, QWidget *parent)
{
    const int code = field.Code;
    QWidget *editor = nullptr;
    switch (field.Type) {
    case Kind::Check: {
        auto *box = new QCheckBox(WithAccessKey(field.Label), parent);
        box->setChecked(m_model.Text(code) == QLatin1String("1"));
        connect(box, &QCheckBox::toggled, this, [this, code, box](bool on) {
            m_model.SetText(code, on ? QStringLiteral("1") : QStringLiteral("0"));
            ShowDefaultMark(code, box);
        });
        editor = box;
        break;
    }
    case Kind::Choice: {
        auto *combo = new QComboBox(parent);
        const QString current = m_model.Text(code);
        int index = -1;
        for (const auto &c : field.Choices) {
            combo->addItem(c.Label, c.Value);
            if (c.Value == current)
                index = combo->count() - 1;
        }
        combo->setCurrentIndex(index < 0 ? 0 : index);
        connect(combo, &QComboBox::activated, this, [this, code, combo](int i) {
            if (code == Prop::HelpType) {
                m_model.ChooseHelpType(combo->itemData(i).toInt(), m_prompter);
                RefreshEvents();
            } else {
                m_model.SetText(code, combo->itemData(i).toString());
            }
            ShowDefaultMark(code, combo);
        });
        editor = combo;
        break;
    }
    default: {
        auto *edit = new QLineEdit(m_model.Text(code), parent);
        edit->setCursorPosition(0);
        if (!field.Word.isEmpty())
            edit->setPlaceholderText(field.Word);
        if (field.ReadOnly)
            edit->setEnabled(false);
        connect(edit, &QLineEdit::textEdited, this, [this, code, edit](const QString &text) {
            m_model.SetText(code, text);
            ShowDefaultMark(code, edit);
        });
        editor = edit;
        break;
    }
    }
    editor->setObjectName(QStringLiteral("Field") + QString::number(code));
    m_fieldWidgets.insert(code, editor);
    ShowDefaultMark(code, editor);
    return editor;
}

void frmProperties::ShowDefaultMark(int code, QWidget *editor)
{
    // A value that is only the default is shown in italics, with a tip that says so; grey
    // would read as "disabled".
    const bool isDefault = m_model.IsDefault(code);
    QFont font = editor->font();
    if (font.italic() != isDefault) {
        font.setItalic(isDefault);
        editor->setFont(font);
    }
    editor->setToolTip(isDefault ? tr("default") : QString());
}

QWidget *frmProperties::PictureEditor(const Field &field, QWidget *parent)
{
    const int code = field.Code;
    const bool icon = field.Type == Kind::Icon;
    auto *box = new QWidget(parent);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *edit = new QLineEdit(m_model.UsesDefault(code) ? QString() : m_model.Text(code), box);
    edit->setObjectName(QStringLiteral("Field") + QString::number(code));
    m_fieldWidgets.insert(code, edit);
    auto *browse = new QPushButton(WithAccessKey(tr("Browse...")), box);
    auto *clear = new QPushButton(icon || code == Prop::Logo ? WithAccessKey(tr("Clear"))
                                                              : tr("C&lear Picture"),
                                  box);
    browse->setAutoDefault(false);
    clear->setAutoDefault(false);
    grid->addWidget(edit, 0, 0);
    grid->addWidget(browse, 0, 1);
    grid->addWidget(clear, 0, 2);
    QCheckBox *useDefault = nullptr;
    if (icon) {
        grid->addWidget(new QLabel(tr("Icon image:"), box), 1, 0);
        auto *preview = new QLabel(box);
        preview->setFixedSize(36, 36);
        preview->setFrameShape(QFrame::StyledPanel);
        preview->setAlignment(Qt::AlignCenter);
        m_iconPreviews.insert(code, preview);
        grid->addWidget(preview, 1, 1);
        useDefault = new QCheckBox(WithAccessKey(tr("Default icon")), box);
        useDefault->setChecked(m_model.UsesDefault(code));
        m_defaultBoxes.insert(code, useDefault);
        grid->addWidget(useDefault, 2, 0);
        if (IsForm(m_model.OriginalType())) {
            auto *showIcon = new QCheckBox(WithAccessKey(tr("Show form icon")), box);
            showIcon->setChecked(m_model.Text(code).compare("none", Qt::CaseInsensitive) != 0);
            grid->addWidget(showIcon, 2, 1, 1, 2);
            connect(showIcon, &QCheckBox::toggled, this, [this, code, edit](bool on) {
                if (!on) {
                    edit->setText(QStringLiteral("none"));
                    m_model.SetText(code, edit->text());
                } else if (edit->text().compare("none", Qt::CaseInsensitive) == 0) {
                    edit->clear();
                    m_model.SetText(code, QString());
                    m_model.SetUseDefault(code, true);
                }
            });
        }
        connect(useDefault, &QCheckBox::toggled, this, [this, code, edit](bool on) {
            m_model.SetUseDefault(code, on);
            if (on)
                edit->clear();
        });
    }
    auto updatePreview = [this, code, edit] {
        if (QLabel *preview = m_iconPreviews.value(code)) {
            const QString file = edit->text().trimmed();
            const bool named = !file.isEmpty() && !file.startsWith(QLatin1Char('*'))
                               && file.compare(QLatin1String("none"), Qt::CaseInsensitive) != 0;
            // Read as every picture a user names: a pipe or a device is refused, not waited on.
            const QImage image = named ? PictureLoader::LoadFile(file).Image : QImage();
            preview->setPixmap(image.isNull() ? QPixmap()
                                              : QPixmap::fromImage(image.scaled(
                                                    32, 32, Qt::KeepAspectRatio,
                                                    Qt::SmoothTransformation)));
        }
    };
    updatePreview();
    connect(edit, &QLineEdit::textEdited, this, [this, code, useDefault](const QString &text) {
        m_model.SetText(code, text);
        if (useDefault)
            useDefault->setChecked(m_model.UsesDefault(code));
    });
    const auto chooser = icon ? PropertySheetModel::Chooser::Icon
                         : code == Prop::Logo ? PropertySheetModel::Chooser::Logo
                                              : PropertySheetModel::Chooser::Picture;
    connect(browse, &QPushButton::clicked, this,
            [this, code, edit, chooser, useDefault, updatePreview] {
                const QString filter = PropertySheetModel::FileFilter(chooser);
                const QString file = ChooseFile ? ChooseFile(filter)
                                                : QFileDialog::getOpenFileName(
                                                      this, windowTitle(), QString(), filter);
                if (file.isEmpty())
                    return;
                if (!PictureLoader::LoadFile(file).Ok()) {
                    m_prompter.ShowMessage(tr("The picture \"%1\" cannot be loaded.").arg(file),
                                           MessageIcon::Exclamation);
                    edit->clear();
                    m_model.SetText(code, QString());
                } else {
                    edit->setText(file);
                    m_model.SetText(code, file);
                }
                if (useDefault)
                    useDefault->setChecked(m_model.UsesDefault(code));
                updatePreview();
            });
    connect(clear, &QPushButton::clicked, this, [this, code, edit, icon, updatePreview] {
        edit->clear();
        // A cleared icon is no icon; a cleared picture is none.
        m_model.SetText(code, icon ? QStringLiteral("none") : QString());
        if (icon) {
            m_model.SetUseDefault(code, false);
            edit->setText(QStringLiteral("none"));
            if (QCheckBox *d = m_defaultBoxes.value(code))
                d->setChecked(false);
        }
        updatePreview();
    });
    return box;
}

// ---- Colours -----------------------------------------------------------------------------

QWidget *frmProperties::BuildColoursPage()
{
    auto *widget = new QWidget;
    auto *layout = new QVBoxLayout(widget);
    for (const Field *field : m_model.FieldsOn(Page::Colors)) {
        if (field->Type == Kind::Colour)
            layout->addWidget(ColourEditor(*field, widget));
        else
            layout->addWidget(FieldEditor(*field, widget));
    }
    layout->addStretch(1);
    return widget;
}

void frmProperties::FillColourCombo(QComboBox *combo, int code)
{
    combo->clear();
    AddHeading(combo, tr("Standard Colors"));
    const QStringList standard = StandardColourNames();
    const QList<qint32> standardValues = StandardColourValues();
    for (int i = 0; i < standard.size(); ++i) {
        combo->addItem(Swatch(ToQColor(standardValues[i])), standard[i]);
        combo->setItemData(combo->count() - 1, standardValues[i], ColourValueRole);
    }
    AddHeading(combo, tr("System Colors"));
    const QStringList system = SystemColourNames();
    const QList<qint32> systemValues = SystemColourValues();
    for (int i = 0; i < system.size(); ++i) {
        combo->addItem(Swatch(ToQColor(systemValues[i])), system[i]);
        combo->setItemData(combo->count() - 1, systemValues[i], ColourValueRole);
    }
    combo->addItem(QString::fromLatin1(CustomColourText));
    // The current value: its named row, or a custom row above the lists.
    qint32 value = 0;
    const bool known = ParseColourValue(m_model.Text(code), value);
    int index = -1;
    if (known)
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemData(i, ColourValueRole).isValid()
                && combo->itemData(i, ColourValueRole).toInt() == value) {
                index = i;
                break;
            }
    if (known && index < 0) {
        combo->insertItem(0, Swatch(ToQColor(value)), tr("Custom"));
        combo->setItemData(0, value, ColourValueRole);
        index = 0;
    }
    combo->setCurrentIndex(index);
}

QWidget *frmProperties::ColourEditor(const Field &field, QWidget *parent)
{
    const int code = field.Code;
    auto *group = new QGroupBox(field.Label, parent);
    auto *layout = new QGridLayout(group);
    auto *combo = new QComboBox(group);
    combo->setObjectName(QStringLiteral("Field") + QString::number(code));
    combo->setMaxVisibleItems(20);
    auto *description = new QLabel(group);
    description->setTextFormat(Qt::PlainText);
    auto *useDefault = new QCheckBox(WithAccessKey(tr("Use default color")), group);
    useDefault->setChecked(m_model.UsesDefault(code));
    auto *label = new QLabel(WithAccessKey(tr("Color:")), group);
    label->setBuddy(combo);
    layout->addWidget(label, 0, 0);
    layout->addWidget(combo, 0, 1);
    layout->addWidget(useDefault, 0, 2);
    layout->addWidget(description, 1, 1, 1, 2);
    layout->setColumnStretch(1, 1);
    m_fieldWidgets.insert(code, combo);
    m_defaultBoxes.insert(code, useDefault);
    m_colourDescriptions.insert(code, description);
    FillColourCombo(combo, code);

    auto describe = [this, code, description] {
        qint32 value = 0;
        const bool ok = ParseColourValue(m_model.Text(code), value);
        const QString text = ok ? DescribeColour(value) : QString();
        description->setText(m_model.UsesDefault(code) && ok ? text + tr(" (default)") : text);
    };
    describe();
    connect(combo, &QComboBox::activated, this, [this, code, combo, describe] {
        ColourChosen(code, combo);
        if (QCheckBox *box = m_defaultBoxes.value(code))
            box->setChecked(m_model.UsesDefault(code));
        describe();
    });
    connect(useDefault, &QCheckBox::toggled, this, [this, code, combo, describe](bool on) {
        m_model.SetUseDefault(code, on);
        combo->setEnabled(true);
        describe();
    });
    return group;
}

void frmProperties::ColourChosen(int code, QComboBox *combo)
{
    const int index = combo->currentIndex();
    if (combo->itemText(index) == QLatin1String(CustomColourText)) {
        qint32 value = 0;
        ParseColourValue(m_model.Text(code), value);
        bool chosen = false;
        if (ChooseColour) {
            chosen = ChooseColour(value);
        } else {
            const QColor colour = QColorDialog::getColor(ToQColor(value), this, windowTitle());
            if (colour.isValid()) {
                value = qint32(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
                chosen = true;
            }
        }
        if (chosen)
            m_model.SetText(code, FormatColourValue(value));
        FillColourCombo(combo, code);
        return;
    }
    const QVariant value = combo->itemData(index, ColourValueRole);
    if (value.isValid())
        m_model.SetText(code, FormatColourValue(qint32(value.toInt())));
}

// ---- Font --------------------------------------------------------------------------------

QWidget *frmProperties::BuildFontPage()
{
    auto *widget = new QWidget;
    auto *layout = new QVBoxLayout(widget);
    auto *form = new QFormLayout;
    m_fontSummary = new QLabel(widget);
    m_fontSummary->setObjectName(QStringLiteral("FontName"));
    auto *size = new QLabel(widget);
    size->setObjectName(QStringLiteral("FontSize"));
    auto *style = new QLabel(widget);
    style->setObjectName(QStringLiteral("FontStyle"));
    form->addRow(tr("Name:"), m_fontSummary);
    form->addRow(tr("Size:"), size);
    form->addRow(tr("Style:"), style);
    layout->addLayout(form);
    auto *row = new QHBoxLayout;
    const struct { int Code; const char *Label; } flags[] = {
        {Prop::FontBold, "Bold"}, {Prop::FontItalic, "Italic"}, {Prop::FontUnderline, "Underline"}};
    for (const auto &flag : flags) {
        auto *box = new QCheckBox(WithAccessKey(tr(flag.Label)), widget);
        box->setObjectName(QStringLiteral("Field") + QString::number(flag.Code));
        m_fieldWidgets.insert(flag.Code, box);
        row->addWidget(box);
        const int code = flag.Code;
        connect(box, &QCheckBox::toggled, this, [this, code](bool on) {
            if (m_model.Text(code) == (on ? QLatin1String("1") : QLatin1String("0")))
                return;
            bool ok = false;
            const double size = NumberFormat::ParseInvariant(m_model.Text(Prop::FontSize), &ok);
            m_model.SetFont(m_model.Text(Prop::FontName), ok ? size : 9,
                            code == Prop::FontBold ? on : m_model.Text(Prop::FontBold) == "1",
                            code == Prop::FontItalic ? on : m_model.Text(Prop::FontItalic) == "1",
                            code == Prop::FontUnderline ? on
                                                        : m_model.Text(Prop::FontUnderline) == "1");
            RefreshFont();
        });
    }
    row->addStretch(1);
    layout->addLayout(row);
    auto *useDefault = new QCheckBox(WithAccessKey(tr("Use default font")), widget);
    useDefault->setChecked(m_model.UsesDefault(Prop::FontName));
    m_defaultBoxes.insert(Prop::FontName, useDefault);
    m_fontButton = new QPushButton(WithAccessKey(tr("Change...")), widget);
    m_fontButton->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(useDefault);
    buttons->addStretch(1);
    buttons->addWidget(m_fontButton);
    layout->addLayout(buttons);
    layout->addStretch(1);
    m_fieldWidgets.insert(Prop::FontName, m_fontButton);

    connect(useDefault, &QCheckBox::toggled, this, [this](bool on) {
        m_model.SetUseDefault(Prop::FontName, on);
        RefreshFont();
    });
    connect(m_fontButton, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const double size = NumberFormat::ParseInvariant(m_model.Text(Prop::FontSize), &ok);
        QFont font(m_model.Text(Prop::FontName), ok ? qRound(size) : 9);
        font.setBold(m_model.Text(Prop::FontBold) == "1");
        font.setItalic(m_model.Text(Prop::FontItalic) == "1");
        font.setUnderline(m_model.Text(Prop::FontUnderline) == "1");
        bool chosen = false;
        if (ChooseFont)
            chosen = ChooseFont(font);
        else
            font = QFontDialog::getFont(&chosen, font, this, windowTitle());
        if (!chosen)
            return;
        m_model.SetFont(font.family(), font.pointSizeF() > 0 ? font.pointSizeF() : 9,
                        font.bold(), font.italic(), font.underline());
        RefreshFont();
    });
    return widget;
}

void frmProperties::RefreshFont()
{
    if (!m_fontSummary)
        return;
    const bool isDefault = m_model.UsesDefault(Prop::FontName);
    m_fontSummary->setText(m_model.Text(Prop::FontName));
    // The name is shown in the font itself, as a sample.
    bool sizeOk = false;
    const double points = NumberFormat::ParseInvariant(m_model.Text(Prop::FontSize), &sizeOk);
    QFont sample(m_model.Text(Prop::FontName));
    sample.setPointSizeF(sizeOk ? qBound(4.0, points, 36.0) : 9.0);
    sample.setBold(m_model.Text(Prop::FontBold) == "1");
    sample.setItalic(m_model.Text(Prop::FontItalic) == "1");
    sample.setUnderline(m_model.Text(Prop::FontUnderline) == "1");
    m_fontSummary->setFont(sample);
    if (auto *size = m_fontSummary->parentWidget()->findChild<QLabel *>("FontSize"))
        size->setText(m_model.Text(Prop::FontSize));
    QStringList style;
    if (m_model.Text(Prop::FontBold) == "1")
        style << tr("Bold");
    if (m_model.Text(Prop::FontItalic) == "1")
        style << tr("Italic");
    if (m_model.Text(Prop::FontUnderline) == "1")
        style << tr("Underline");
    if (auto *label = m_fontSummary->parentWidget()->findChild<QLabel *>("FontStyle"))
        label->setText((style.isEmpty() ? tr("Regular") : style.join(", "))
                       + (isDefault ? tr(" (default)") : QString()));
    for (int code : {Prop::FontBold, Prop::FontItalic, Prop::FontUnderline})
        if (auto *box = qobject_cast<QCheckBox *>(m_fieldWidgets.value(code))) {
            const QSignalBlocker block(box);
            box->setChecked(m_model.Text(code) == "1");
        }
    if (QCheckBox *box = m_defaultBoxes.value(Prop::FontName)) {
        const QSignalBlocker block(box);
        box->setChecked(isDefault);
    }
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
        auto *box = new QCheckBox(WithAccessKey(EventDisplayName(code)), group);
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
        auto *tabs = new QRadioButton(WithAccessKey(tr("Individual tabs")), apply);
        auto *whole = new QRadioButton(WithAccessKey(tr("Tab group")), apply);
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

// ---- Drag and drop -----------------------------------------------------------------------

QWidget *frmProperties::BuildDragDropPage()
{
    auto *widget = new QWidget;
    auto *layout = new QVBoxLayout(widget);
    const PropertySet &supported = SupportedProperties(WrapperKindOf(m_model.OriginalType()));

    if (supported.Has(Prop::DragID)) {
        m_dragSource = new QCheckBox(WithAccessKey(tr("Drag source (control can be dragged and "
                                                      "dropped onto matching drop target)")),
                                     widget);
        m_dragSource->setObjectName(QStringLiteral("DragSource"));
        layout->addWidget(m_dragSource);
        auto *row = new QHBoxLayout;
        auto *label = new QLabel(WithAccessKey(tr("Drag ID:")), widget);
        m_dragIdEdit = new QLineEdit(widget);
        m_dragIdEdit->setObjectName(QStringLiteral("DragId"));
        label->setBuddy(m_dragIdEdit);
        m_useControlId = new QCheckBox(WithAccessKey(tr("Use Control ID as Drag ID")), widget);
        row->addSpacing(20);
        row->addWidget(label);
        row->addWidget(m_dragIdEdit, 1);
        row->addWidget(m_useControlId);
        layout->addLayout(row);
        connect(m_dragSource, &QCheckBox::clicked, this, [this](bool on) {
            m_model.SetDragSource(on, m_prompter);
            RefreshDragDrop();
        });
        connect(m_dragIdEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
            // Typing an ID makes the control a drag source.
            m_model.SetDragSource(true, m_prompter);
            m_model.SetUseControlIdAsDragId(false);
            m_model.SetDragIdText(text);
            RefreshDragDrop();
        });
        connect(m_useControlId, &QCheckBox::clicked, this, [this](bool on) {
            m_model.SetDragSource(true, m_prompter);
            m_model.SetUseControlIdAsDragId(on);
            RefreshDragDrop();
        });
    }
    if (supported.Has(Prop::DropIDs)) {
        m_dropTarget = new QCheckBox(WithAccessKey(tr("Drop target (control allows matching "
                                                      "drag source to be dropped)")),
                                     widget);
        m_dropTarget->setObjectName(QStringLiteral("DropTarget"));
        layout->addWidget(m_dropTarget);
        auto *grid = new QGridLayout;
        auto *dropLabel = new QLabel(WithAccessKey(tr("Drop IDs:")), widget);
        m_dropList = new QListWidget(widget);
        m_dropList->setObjectName(QStringLiteral("DropIds"));
        dropLabel->setBuddy(m_dropList);
        auto *dragLabel = new QLabel(WithAccessKey(tr("Drag ID:")), widget);
        m_dropIdCombo = new QComboBox(widget);
        m_dropIdCombo->setEditable(true);
        m_dropIdCombo->setMinimumWidth(fontMetrics().averageCharWidth() * 20);
        m_dropIdCombo->addItems(m_model.ProjectDragIds());
        m_dropIdCombo->setCurrentText(QString());
        dragLabel->setBuddy(m_dropIdCombo);
        auto *add = new QPushButton(WithAccessKey(tr("Add >>")), widget);
        auto *remove = new QPushButton(WithAccessKey(tr("<< Remove")), widget);
        add->setAutoDefault(false);
        remove->setAutoDefault(false);
        grid->setColumnMinimumWidth(0, 20);
        grid->addWidget(dragLabel, 0, 1);
        grid->addWidget(m_dropIdCombo, 1, 1);
        grid->addWidget(add, 2, 1);
        grid->addWidget(remove, 3, 1);
        grid->addWidget(dropLabel, 0, 2);
        grid->addWidget(m_dropList, 1, 2, 4, 1);
        layout->addLayout(grid);
        connect(m_dropTarget, &QCheckBox::clicked, this, [this](bool on) {
            m_model.SetDropTarget(on, m_prompter);
            RefreshDragDrop();
        });
        connect(add, &QPushButton::clicked, this, [this] {
            m_model.AddDropId(m_dropIdCombo->currentText());
            m_dropIdCombo->setCurrentText(QString());
            RefreshDragDrop();
        });
        connect(remove, &QPushButton::clicked, this, [this] {
            if (QListWidgetItem *item = m_dropList->currentItem())
                m_model.RemoveDropId(item->text());
            RefreshDragDrop();
        });
    }
    layout->addStretch(1);
    return widget;
}

void frmProperties::RefreshDragDrop()
{
    if (m_dragSource) {
        const QSignalBlocker b1(m_dragSource);
        const QSignalBlocker b2(m_useControlId);
        m_dragSource->setChecked(m_model.DragSource());
        m_useControlId->setChecked(m_model.UseControlIdAsDragId());
        if (m_dragIdEdit->text() != m_model.DragIdText())
            m_dragIdEdit->setText(m_model.DragIdText());
        m_dragIdEdit->setEnabled(!m_model.UseControlIdAsDragId());
    }
    if (m_dropTarget) {
        const QSignalBlocker b(m_dropTarget);
        m_dropTarget->setChecked(m_model.DropTarget());
        const QString current = m_dropList->currentItem() ? m_dropList->currentItem()->text()
                                                          : QString();
        m_dropList->clear();
        m_dropList->addItems(m_model.DropIds());
        const auto found = m_dropList->findItems(current, Qt::MatchFixedString);
        if (!found.isEmpty())
            m_dropList->setCurrentItem(found.first());
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
    QWidget *target = code == PropertySheetModel::IdCode ? m_idEdit : m_fieldWidgets.value(code);
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
