#include "runtime/RuntimeWidgets.h"

#include "controls/GridControl.h"
#include "controls/ListBox.h"
#include "controls/OptionGroup.h"
#include "controls/TabStrip.h"
#include "controls/TextBox.h"
#include "controls/ucFakeBrowser.h"
#include "controls/ucImage.h"
#include "controls/ucProgressBar.h"
#include "controls/ucTreeview.h"
#include "model/BarContent.h"
#include "model/TreeContent.h"
#include "model/Vocabulary.h"
#include "model/cGridWrapper.h"
#include "model/clsControl.h"
#include "support/ColourNames.h"
#include "support/GuiError.h"
#include "support/Marks.h"
#include "support/NumberFormat.h"
#include "support/PlatformMetrics.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

#include <cmath>
#include <memory>

using namespace Vocabulary;

namespace {
constexpr const char *ValidatePending = "corvaneValidate";

// Marks in what the user typed would split the rows the host reads: they become blanks.
QString Clean(QString text)
{
    for (QChar &c : text)
        if (Marks::IsMark(c))
            c = QLatin1Char(' ');
    return text;
}

// The entries of a list value; the columns of an entry are joined by a tab.
QStringList Entries(const QString &value)
{
    if (value.isEmpty())
        return {};
    QStringList rows = value.split(Marks::ValueMark());
    for (QString &row : rows)
        row.replace(Marks::SubValueMark(), QStringLiteral("\t"));
    return rows;
}

bool IsTrue(const QString &value)
{
    const QString v = value.trimmed();
    return v == QLatin1String("1") || v == QLatin1String("-1");
}

// Raises the gestures no signal reports: Context everywhere, DblClick on the kinds without a
// double-click signal, and Click on the kinds that are not buttons.
class GestureFilter final : public QObject
{
public:
    GestureFilter(QString id, bool click, bool doubleClick, iRuntimeEvents &events, QObject *parent)
        : QObject(parent), m_id(std::move(id)), m_click(click), m_doubleClick(doubleClick),
          m_events(events)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ContextMenu:
            m_events.ContextGesture(m_id, static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        case QEvent::MouseButtonDblClick:
            if (m_doubleClick)
                m_events.Raise(m_id, Event::DblClick);
            break;
        case QEvent::MouseButtonRelease:
            if (m_click && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                m_events.Raise(m_id, Event::Click);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_id;
    bool m_click;
    bool m_doubleClick;
    iRuntimeEvents &m_events;
};

void Watch(QWidget *widget, const QString &id, bool click, bool doubleClick, iRuntimeEvents &events)
{
    widget->installEventFilter(new GestureFilter(id, click, doubleClick, events, widget));
}

// A text box raises Validate when it loses the focus after the user changed it.
class ValidateFilter final : public QObject
{
public:
    ValidateFilter(QString id, TextBox *box, iRuntimeEvents &events, QObject *parent)
        : QObject(parent), m_id(std::move(id)), m_box(box), m_events(events)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut && m_box->property(ValidatePending).toBool()) {
            m_box->setProperty(ValidatePending, false);
            m_events.Raise(m_id, Event::Validate, {Clean(m_box->Text())});
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_id;
    TextBox *m_box;
    iRuntimeEvents &m_events;
};

QWidget *MakeText(const clsControl &item, QWidget *parent, iRuntimeEvents &events)
{
    const QString id = item.FullID();
    auto *box = new TextBox(parent);
    box->SetMultiLine(item.ObjType() == Type::TextMultiLine);
    if (item.ObjType() == Type::TextPassword)
        box->SetPasswordChar(QStringLiteral("*"));
    box->SetText(RuntimeWidgets::Property(item, Prop::DefVal));
    box->SetReadOnly(IsTrue(RuntimeWidgets::Property(item, Prop::ReadOnly)));
    bool ok = false;
    const int maxLen = RuntimeWidgets::Property(item, Prop::MaxLen).toInt(&ok);
    if (ok && maxLen > 0)
        box->LineEdit()->setMaxLength(maxLen);
    // The user's edits only: the value set above raised nothing.
    QObject::connect(box->LineEdit(), &QLineEdit::textEdited, box, [box, id, &events] {
        box->setProperty(ValidatePending, true);
        events.Raise(id, Event::Change);
    });
    // The kind is fixed for the run: a one-line box never makes its multi-line editor.
    if (QPlainTextEdit *multi = box->TextEdit()) {
        QObject::connect(multi, &QPlainTextEdit::textChanged, box, [box, id, &events] {
            if (!box->IsMultiLine())
                return;
            box->setProperty(ValidatePending, true);
            events.Raise(id, Event::Change);
        });
    }
    for (QWidget *inner : {static_cast<QWidget *>(box->LineEdit()), static_cast<QWidget *>(box->TextEdit())}) {
        if (!inner)
            continue;
        inner->installEventFilter(new ValidateFilter(id, box, events, inner));
        Watch(inner, id, false, true, events);
    }
    Watch(box, id, false, false, events);
    return box;
}

QWidget *MakeOption(const clsControl &item, QWidget *parent, iRuntimeEvents &events)
{
    const QString id = item.FullID();
    const QStringList entries = Entries(RuntimeWidgets::Property(item, Prop::Items));
    if (entries.isEmpty()) {
        auto *radio = new QRadioButton(RuntimeWidgets::Property(item, Prop::Caption), parent);
        QObject::connect(radio, &QRadioButton::clicked, radio,
                         [id, &events] { events.Raise(id, Event::Click, {QStringLiteral("1")}); });
        Watch(radio, id, false, true, events);
        return radio;
    }
    auto *group = new OptionGroup(parent);
    group->setTitle(RuntimeWidgets::Property(item, Prop::Caption));
    group->SetRows(entries);
    group->SetValue(RuntimeWidgets::Property(item, Prop::DefVal));
    const QList<QRadioButton *> buttons = group->Buttons();
    for (int i = 0; i < buttons.size(); ++i)
        QObject::connect(buttons[i], &QRadioButton::clicked, group,
                         [id, &events, i] { events.Raise(id, Event::Click, {QString::number(i + 1)}); });
    Watch(group, id, false, true, events);
    return group;
}

QWidget *MakeList(const clsControl &item, QWidget *parent, iRuntimeEvents &events)
{
    const QString id = item.FullID();
    auto *list = new ListBox(parent);
    list->SetColumns(std::max(1, RuntimeWidgets::Property(item, Prop::Columns).toInt()));
    const QStringList headings = Entries(RuntimeWidgets::Property(item, Prop::ColHeading));
    if (!headings.isEmpty())
        list->SetHeadings(headings);
    list->SetRows(Entries(RuntimeWidgets::Property(item, Prop::Items)));
    list->SetMultiSelect(item.ObjType() == Type::ListMulti);
    list->SetCheckBoxes(item.ObjType() == Type::ListCheck);
    auto row = [list](QTreeWidgetItem *it) { return QString::number(list->indexOfTopLevelItem(it) + 1); };
    if (item.ObjType() == Type::ListCheck)
        QObject::connect(list, &QTreeWidget::itemChanged, list,
                         [id, &events, row](QTreeWidgetItem *it) { events.Raise(id, Event::Change, {row(it)}); });
    QObject::connect(list, &QTreeWidget::itemClicked, list,
                     [id, &events, row](QTreeWidgetItem *it) { events.Raise(id, Event::Click, {row(it)}); });
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, list,
                     [id, &events, row](QTreeWidgetItem *it) { events.Raise(id, Event::DblClick, {row(it)}); });
    Watch(list, id, false, false, events);
    return list;
}

QWidget *MakeCombo(const clsControl &item, QWidget *parent, iRuntimeEvents &events)
{
    const QString id = item.FullID();
    auto *combo = new QComboBox(parent);
    combo->addItems(Entries(RuntimeWidgets::Property(item, Prop::Items)));
    if (item.ObjType() == Type::Combo) {
        combo->setEditable(true);
        combo->setEditText(RuntimeWidgets::Property(item, Prop::DefVal));
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo,
                         [id, &events] { events.Raise(id, Event::Change); });
    } else {
        combo->setCurrentIndex(-1);
    }
    QObject::connect(combo, &QComboBox::activated, combo, [id, &events](int index) {
        events.Raise(id, Event::Click, {QString::number(index + 1)});
    });
    Watch(combo, id, false, false, events);
    return combo;
}

QWidget *MakeGrid(const clsControl &item, QWidget *parent, iRuntimeEvents &events)
{
    const QString id = item.FullID();
    const QStringList headings = Entries(RuntimeWidgets::Property(item, Prop::ColHeading));
    const int columns = std::max<int>(RuntimeWidgets::Property(item, Prop::Columns).toInt(), headings.size());
    const bool editable = item.ObjType() == Type::GridEditable;
    // An editable grid that extends shows its empty input row below the data rows.
    const bool extends = editable && RuntimeWidgets::Property(item, Prop::AutoExtend) != QLatin1String("0");
    const int dataRows = std::max(RuntimeWidgets::Property(item, Prop::Rows).toInt(), 0);
    const int rows = extends ? dataRows + 1 : std::max(dataRows, 1);
    auto *grid = new GridControl(parent);
    grid->SetSize(rows, std::max(columns, 1));
    if (!headings.isEmpty())
        grid->SetHeadings(headings);
    grid->horizontalHeader()->setVisible(RuntimeWidgets::Property(item, Prop::HeadingRow) != QLatin1String("0"));
    grid->SetEditable(editable);
    grid->SetAutoExtend(extends);
    if (const auto *wrapper = dynamic_cast<const cGridWrapper *>(item.Wrapper())) {
        // Read-only columns and maximum lengths, one value for all columns or one per column.
        QList<bool> readOnly;
        QList<int> lengths;
        for (int c = 1; c <= wrapper->Content().ColumnCount(); ++c) {
            readOnly << (wrapper->Content().GetColumnProperty(Prop::ReadOnly, c) == QLatin1String("1"));
            lengths << wrapper->Content().GetColumnProperty(Prop::MaxLen, c).toInt();
        }
        grid->SetColumnReadOnly(readOnly);
        grid->SetColumnMaxLength(lengths);
    }
    auto cell = [](int row, int column) {
        return QStringList{QString::number(row + 1), QString::number(column + 1)};
    };
    QObject::connect(grid, &QTableWidget::cellClicked, grid,
                     [id, &events, cell](int r, int c) { events.Raise(id, Event::Click, cell(r, c)); });
    QObject::connect(grid, &QTableWidget::cellDoubleClicked, grid,
                     [id, &events, cell](int r, int c) { events.Raise(id, Event::DblClick, cell(r, c)); });
    QObject::connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, grid,
                     [id, &events](int c) { events.Raise(id, Event::ColClick, {QString::number(c + 1)}); });
    if (editable) {
        // Cell and row events belong to a grid the user edits: leaving a cell or a row that
        // was changed validates it first.
        auto rowChanged = std::make_shared<bool>(false);
        QObject::connect(grid, &QTableWidget::cellChanged, grid, [grid, id, &events, cell, rowChanged](int r, int c) {
            QTableWidgetItem *it = grid->item(r, c);
            *rowChanged = true;
            events.Raise(id, Event::ValidateCell, cell(r, c) << Clean(it ? it->text() : QString()));
        });
        QObject::connect(grid, &QTableWidget::currentCellChanged, grid,
                         [id, &events, cell, rowChanged](int r, int c, int pr, int pc) {
                             if (pr >= 0 && pc >= 0)
                                 events.Raise(id, Event::DeactivateCell, cell(pr, pc));
                             if (pr != r && pr >= 0) {
                                 if (*rowChanged)
                                     events.Raise(id, Event::ValidateRow, {QString::number(pr + 1)});
                                 *rowChanged = false;
                                 events.Raise(id, Event::DeactivateRow, {QString::number(pr + 1)});
                             }
                             if (pr != r && r >= 0)
                                 events.Raise(id, Event::ActivateRow, {QString::number(r + 1)});
                             if (r >= 0 && c >= 0)
                                 events.Raise(id, Event::ActivateCell, cell(r, c));
                         });
    }
    Watch(grid, id, false, false, events);
    return grid;
}

// A picture name as the widgets load it: a relative file name is taken from the runtime's
// picture folder when it knows one; URLs and absolute names are left alone.
QString PictureName(const QString &name, const iRuntimeEvents &events)
{
    if (name.trimmed().isEmpty() || PictureLoader::IsUrl(name))
        return name;
    const QString folder = events.PictureFolder();
    return folder.isEmpty() ? name : PictureLoader::LocalPath(name, folder);
}

constexpr int NodePathRole = Qt::UserRole + 2;

// A tree shows its nodes; Click and DblClick name the node by its ID path (the IDs from the
// root node down, joined by a backslash), the same text the tree's value holds.
QWidget *MakeTree(const clsControl &item, QWidget *parent, iRuntimeEvents &events)
{
    const QString id = item.FullID();
    auto *tree = new ucTreeview(parent);
    TreeContent content;
    try {
        content.SetItems(RuntimeWidgets::Property(item, Prop::Items));
    } catch (const GuiError &) {
        content = TreeContent(); // nodes that do not read show an empty tree, not half of one
    }
    QList<ucTreeview::Node> nodes;
    for (const TreeNode &node : content.Nodes()) {
        QIcon icon;
        if (!node.Icon.trimmed().isEmpty() && !PictureLoader::IsUrl(node.Icon)) {
            const QImage picture = PictureLoader::LoadFile(PictureLoader::LocalPath(node.Icon, events.PictureFolder())).Image;
            if (!picture.isNull())
                icon = QIcon(QPixmap::fromImage(picture.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        }
        nodes.append({node.Id, node.Level, node.Caption, node.Icon, node.State, node.Hint, icon});
    }
    tree->SetNodes(nodes);
    // The tree holds one item per node in pre-order, so the n-th item is the n-th node.
    int n = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        (*it)->setData(0, NodePathRole, content.NodePath(++n));
    auto path = [](QTreeWidgetItem *it) { return QStringList{it ? it->data(0, NodePathRole).toString() : QString()}; };
    QObject::connect(tree, &QTreeWidget::itemClicked, tree,
                     [id, &events, path](QTreeWidgetItem *it) { events.Raise(id, Event::Click, path(it)); });
    QObject::connect(tree, &QTreeWidget::itemDoubleClicked, tree,
                     [id, &events, path](QTreeWidgetItem *it) { events.Raise(id, Event::DblClick, path(it)); });
    Watch(tree, id, false, false, events);
    return tree;
}

// Fills a menu bar or a pop-up menu from bar items: each item sits in the menu of the nearest
// shallower item before it; an item whose successor is deeper opens a submenu.
template <class Root>
void FillMenu(Root *root, const std::vector<BarDisplayItem> &items, const QString &id, iRuntimeEvents &events)
{
    std::vector<QMenu *> open; // open[level - 1] is the menu that takes level + 1
    for (size_t i = 0; i < items.size(); ++i) {
        const BarDisplayItem &it = items[i];
        const int level = std::max(1, it.Level);
        open.resize(std::min<size_t>(open.size(), size_t(level - 1)));
        if (it.ItemKind == BarDisplayItem::Separator) {
            if (!open.empty())
                open.back()->addSeparator();
            else if constexpr (std::is_same_v<Root, QMenu>)
                root->addSeparator();
            continue;
        }
        const bool opens = i + 1 < items.size() && items[i + 1].Level > level;
        if (opens) {
            QMenu *menu = open.empty() ? root->addMenu(it.Caption) : open.back()->addMenu(it.Caption);
            menu->setObjectName(it.Id);
            menu->menuAction()->setObjectName(it.Id);
            menu->setEnabled(it.Enabled);
            open.push_back(menu);
            continue;
        }
        QAction *action = open.empty() ? root->addAction(it.Caption) : open.back()->addAction(it.Caption);
        action->setObjectName(it.Id);
        action->setEnabled(it.Enabled);
        action->setVisible(it.Visible);
        const QString itemId = it.Id;
        QObject::connect(action, &QAction::triggered, root, [id, itemId, &events] { events.Raise(id, Event::Click, {itemId}); });
    }
}

// The display model of a bar's items; throws when they do not read.
std::vector<BarDisplayItem> BarItems(const clsControl &bar)
{
    BarContent content(bar.ObjType());
    content.SetItems(RuntimeWidgets::Property(bar, Prop::Items));
    return content.DisplayModel();
}

QColor ToQColor(qint32 colour)
{
    const quint32 rgb = quint32(ColourToRGB(colour));
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}
} // namespace

QString RuntimeWidgets::Property(const clsControl &item, int code, const QString &fallback)
{
    try {
        return item.GetProperty(code);
    } catch (const GuiError &) {
        return fallback;
    }
}

int RuntimeWidgets::Pixels(int twips, bool horizontal)
{
    const PlatformMetrics &m = PlatformMetrics::Current();
    const int per = std::max(1, horizontal ? m.TwipsPerPixelX : m.TwipsPerPixelY);
    return int(std::lround(double(twips) / per));
}

QString RuntimeWidgets::ScaleText(const clsControl &item, int pixels, bool horizontal)
{
    const PlatformMetrics &m = PlatformMetrics::Current();
    const double twips = double(pixels) * (horizontal ? m.TwipsPerPixelX : m.TwipsPerPixelY);
    const double per = horizontal ? item.ScaleX() : item.ScaleY();
    return QString::number(per > 0 ? twips / per : twips, 'g', 10);
}

QWidget *RuntimeWidgets::CreateControl(const clsControl &item, QWidget *parent, iRuntimeEvents &events)
{
    const QString id = item.FullID();
    const QString caption = RuntimeWidgets::Property(item, Prop::Caption);
    QWidget *widget = nullptr;
    switch (item.ObjType()) {
    case Type::Label: {
        // A label shows its Value, as on the design surface; older projects that set only
        // the caption or the default value still show that.
        QString text = RuntimeWidgets::Property(item, Prop::Value);
        if (text.isEmpty())
            text = caption.isEmpty() ? RuntimeWidgets::Property(item, Prop::DefVal) : caption;
        auto *label = new QLabel(text, parent);
        Watch(label, id, true, true, events);
        widget = label;
        break;
    }
    case Type::Text:
    case Type::TextMultiLine:
    case Type::TextPassword:
        widget = MakeText(item, parent, events);
        break;
    case Type::Command: {
        auto *button = new QPushButton(caption, parent);
        button->setDefault(RuntimeWidgets::Property(item, Prop::Style) == QLatin1String("1"));
        QObject::connect(button, &QPushButton::clicked, button, [id, &events] { events.Raise(id, Event::Click); });
        Watch(button, id, false, true, events);
        widget = button;
        break;
    }
    case Type::Option:
        widget = MakeOption(item, parent, events);
        break;
    case Type::Check: {
        auto *check = new QCheckBox(caption, parent);
        check->setChecked(IsTrue(RuntimeWidgets::Property(item, Prop::DefVal)));
        QObject::connect(check, &QCheckBox::clicked, check, [id, &events](bool on) {
            events.Raise(id, Event::Click, {on ? QStringLiteral("1") : QStringLiteral("0")});
        });
        Watch(check, id, false, true, events);
        widget = check;
        break;
    }
    case Type::List:
    case Type::ListMulti:
    case Type::ListCheck:
        widget = MakeList(item, parent, events);
        break;
    case Type::Combo:
    case Type::DropDownList:
        widget = MakeCombo(item, parent, events);
        break;
    case Type::Frame: {
        QWidget *frame = nullptr;
        if (RuntimeWidgets::Property(item, Prop::Style) == QLatin1String("1")) {
            auto *plain = new QFrame(parent);
            plain->setFrameShape(QFrame::StyledPanel);
            frame = plain;
        } else {
            frame = new QGroupBox(caption, parent);
        }
        Watch(frame, id, true, true, events);
        widget = frame;
        break;
    }
    case Type::GridProtected:
    case Type::GridEditable:
        widget = MakeGrid(item, parent, events);
        break;
    case Type::Tabgroup: {
        auto *tabs = new TabPages(parent);
        tabs->Strip()->SetMultiRow(RuntimeWidgets::Property(item, Prop::Style) == QLatin1String("1"));
        QObject::connect(tabs, &QTabWidget::tabBarClicked, tabs, [id, &events](int index) {
            if (index >= 0)
                events.Raise(id, Event::Click, {QString::number(index + 1)});
        });
        Watch(tabs, id, false, false, events);
        widget = tabs;
        break;
    }
    case Type::Tab: {
        auto *page = new QWidget(parent);
        if (auto *tabs = qobject_cast<QTabWidget *>(parent))
            tabs->addTab(page, caption.isEmpty() ? item.ID() : caption);
        Watch(page, id, true, true, events);
        return page; // the tab widget places it
    }
    case Type::Gauge: {
        auto *bar = new ucProgressBar(parent);
        bar->SetValueText(RuntimeWidgets::Property(item, Prop::DefVal));
        Watch(bar, id, true, true, events);
        widget = bar;
        break;
    }
    case Type::Tree: {
        widget = MakeTree(item, parent, events);
        break;
    }
    case Type::Browser: {
        auto *browser = new ucFakeBrowser(parent);
        browser->SetURL(RuntimeWidgets::Property(item, Prop::Content));
        Watch(browser, id, true, true, events);
        widget = browser;
        break;
    }
    case Type::Picture:
    default: {
        auto *image = new ucImage(parent);
        bool ok = false;
        const int scale = RuntimeWidgets::Property(item, Prop::Style).toInt(&ok);
        try {
            image->SetImageScale(ok ? scale : 0);
        } catch (const GuiError &) {
        }
        image->SetFilename(PictureName(RuntimeWidgets::Property(item, Prop::Picture), events));
        Watch(image, id, true, true, events);
        widget = image;
        break;
    }
    }
    widget->setObjectName(id);
    widget->setGeometry(Pixels(item.TwipLeft(), true), Pixels(item.TwipTop(), false),
                        std::max(1, Pixels(item.TwipWidth(), true)),
                        std::max(1, Pixels(item.TwipHeight(), false)));
    widget->setEnabled(IsTrue(RuntimeWidgets::Property(item, Prop::Enabled, QStringLiteral("1"))));
    widget->setVisible(IsTrue(RuntimeWidgets::Property(item, Prop::Visible, QStringLiteral("1"))));
    const QString hint = RuntimeWidgets::Property(item, Prop::Hint);
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    ApplyLook(item, widget);
    return widget;
}

void RuntimeWidgets::AddBars(const clsControl &owner, QMainWindow &window, iRuntimeEvents &events)
{
    for (const auto &entry : owner.Children()) {
        const clsControl &bar = *entry.Value;
        const int type = bar.ObjType();
        if (!IsFormBar(type) || type == Type::Popup)
            continue;
        std::vector<BarDisplayItem> items;
        try {
            items = BarItems(bar);
        } catch (...) {
            continue; // a bar whose items do not read shows nothing rather than half
        }
        const QString id = bar.FullID();
        const bool visible = IsTrue(RuntimeWidgets::Property(bar, Prop::Visible, QStringLiteral("1")));
        if (type == Type::Statusbar) {
            QStatusBar *status = window.statusBar();
            for (const BarDisplayItem &it : items) {
                auto *panel = new QLabel(it.Caption, status);
                panel->setObjectName(it.Id);
                status->addWidget(panel, it.Width == BarDisplayItem::SpringWidth ? 1 : 0);
            }
            status->setVisible(visible);
            continue;
        }
        auto click = [id, &events](const QString &itemId) {
            return [id, itemId, &events] { events.Raise(id, Event::Click, {itemId}); };
        };
        if (type == Type::Toolbar) {
            auto *tools = window.addToolBar(bar.ID());
            tools->setObjectName(id);
            for (const BarDisplayItem &it : items) {
                if (it.ItemKind == BarDisplayItem::Separator) {
                    tools->addSeparator();
                    continue;
                }
                QAction *action = tools->addAction(it.Caption.isEmpty() ? it.Id : it.Caption);
                action->setObjectName(it.Id);
                action->setToolTip(it.ToolTip);
                action->setEnabled(it.Enabled);
                action->setVisible(it.Visible);
                QObject::connect(action, &QAction::triggered, tools, click(it.Id));
            }
            tools->setVisible(visible);
            continue;
        }
        QMenuBar *menuBar = window.menuBar();
        menuBar->setObjectName(id);
        FillMenu(menuBar, items, id, events);
        menuBar->setVisible(visible);
    }
}

QMenu *RuntimeWidgets::CreatePopup(const clsControl &popup, QWidget *parent, iRuntimeEvents &events)
{
    std::vector<BarDisplayItem> items;
    try {
        items = BarItems(popup);
    } catch (...) {
        return nullptr;
    }
    auto *menu = new QMenu(parent);
    menu->setObjectName(popup.FullID());
    FillMenu(menu, items, popup.FullID(), events);
    return menu;
}

void RuntimeWidgets::ApplyLook(const clsControl &item, QWidget *widget)
{
    if (!widget)
        return;
    const int type = item.ObjType();
    // Pictures and bars keep the look of the platform, as on the design surface.
    if (type == Type::Picture || IsFormBar(type))
        return;
    qint32 fore = 0, back = 0;
    const bool hasFore = ParseColourValue(Property(item, Prop::ForeColor), fore);
    const bool hasBack = ParseColourValue(Property(item, Prop::BackColor), back);
    if (hasFore || hasBack) {
        QPalette palette = widget->palette();
        if (hasFore)
            for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                palette.setColor(role, ToQColor(fore));
        if (hasBack)
            for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
                palette.setColor(role, ToQColor(back));
        widget->setPalette(palette);
        if (hasBack)
            widget->setAutoFillBackground(true);
    }
    const QString name = Property(item, Prop::FontName).trimmed();
    const QString size = Property(item, Prop::FontSize).trimmed();
    const QString bold = Property(item, Prop::FontBold), italic = Property(item, Prop::FontItalic),
                  underline = Property(item, Prop::FontUnderline);
    if (name.isEmpty() && size.isEmpty() && bold.isEmpty() && italic.isEmpty() && underline.isEmpty())
        return;
    QFont font = widget->font();
    if (!name.isEmpty())
        font.setFamily(name);
    bool ok = false;
    const double points = NumberFormat::ParseInvariant(size, &ok);
    if (ok && points > 0 && points < 1000)
        font.setPointSizeF(points);
    font.setBold(IsTrue(bold));
    font.setItalic(IsTrue(italic));
    font.setUnderline(IsTrue(underline));
    widget->setFont(font);
}

void iRuntimeEvents::ContextGesture(const QString &fullId, const QPoint &)
{
    Raise(fullId, Event::Context);
}

void RuntimeWidgets::SetValue(QWidget *widget, const QString &value)
{
    if (auto *box = qobject_cast<TextBox *>(widget)) {
        const QSignalBlocker block(box->TextEdit());
        box->SetText(value);
    } else if (auto *group = qobject_cast<OptionGroup *>(widget)) {
        group->SetValue(value);
    } else if (auto *check = qobject_cast<QCheckBox *>(widget))
        check->setChecked(IsTrue(value));
    else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        if (combo->isEditable())
            combo->setEditText(value);
        else
            combo->setCurrentIndex(value.toInt() - 1);
    } else if (auto *list = qobject_cast<QAbstractItemView *>(widget))
        list->clearSelection();
    else if (auto *bar = qobject_cast<ucProgressBar *>(widget))
        bar->SetValueText(value);
}
