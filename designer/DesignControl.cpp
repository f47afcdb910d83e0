#include "designer/DesignControl.h"

#include "controls/GridControl.h"
#include "controls/ListBox.h"
#include "controls/OptionGroup.h"
#include "controls/PictureLoader.h"
#include "controls/TabGroup.h"
#include "controls/TextBox.h"
#include "controls/ucFakeBrowser.h"
#include "controls/ucFakeMenu.h"
#include "controls/ucImage.h"
#include "controls/ucProgressBar.h"
#include "controls/ucTreeview.h"
#include "model/Vocabulary.h"
#include "support/ColourNames.h"
#include "support/PlatformMetrics.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

using namespace Vocabulary;

namespace {

const char *const ControlProperty = "corvaneDesignControl";

int ToPixels(int twips, int twipsPerPixel)
{
    return int(std::lround(double(twips) / qMax(1, twipsPerPixel)));
}

QColor ToQColor(qint32 colour)
{
    const quint32 rgb = quint32(ColourToRGB(colour));
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

// Alignment codes of the controls: 0 left, 1 right, 2 centre.
Qt::Alignment ToQtAlignment(int align)
{
    switch (align) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

// Cells are keyed by their 0-based row and column.
constexpr qint64 CellKeyBase = qint64(1) << 32;
qint64 CellKey(int row, int column)
{
    return qint64(row - 1) * CellKeyBase + (column - 1);
}

QString FirstColumn(const QString &row)
{
    return row.section(QLatin1Char('\t'), 0, 0);
}

} // namespace

DesignControl::DesignControl(int kind, QWidget *widget) : m_kind(kind), m_widget(widget)
{
    Q_ASSERT(widget);
    widget->setProperty(ControlProperty, QVariant::fromValue(static_cast<void *>(this)));
    widget->hide();
    ApplyDesignMode();
}

DesignControl::~DesignControl()
{
    if (!m_widget)
        return;
    m_widget->setProperty(ControlProperty, QVariant());
    // Controls still inside this one belong to their own adapters: they drop onto this
    // control's container instead of going down with its widget.
    for (QObject *child : m_widget->children())
        if (auto *w = qobject_cast<QWidget *>(child); w && w->property(ControlProperty).isValid()) {
            const bool shown = !w->isHidden();
            w->setParent(m_widget->parentWidget());
            w->setVisible(shown && m_widget->parentWidget());
        }
    delete m_widget.data();
}

DesignControl *DesignControl::Of(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const QVariant v = w->property(ControlProperty);
        if (v.isValid())
            return static_cast<DesignControl *>(v.value<void *>());
    }
    return nullptr;
}

void DesignControl::SetDesignMode(bool on)
{
    m_designMode = on;
    ApplyDesignMode();
}

void DesignControl::ApplyDesignMode()
{
    if (!m_widget)
        return;
    // Focus is never taken on a design form; in the runtime the widgets keep their own.
    const Qt::FocusPolicy policy = m_designMode ? Qt::NoFocus : Qt::StrongFocus;
    QList<QWidget *> widgets = m_widget->findChildren<QWidget *>();
    widgets.prepend(m_widget);
    for (QWidget *w : widgets) {
        // Contained controls have their own design mode.
        if (w != m_widget && w->property(ControlProperty).isValid())
            continue;
        if (m_designMode || w->focusPolicy() == Qt::NoFocus)
            w->setFocusPolicy(policy);
        if (auto *view = qobject_cast<QAbstractItemView *>(w))
            if (m_designMode)
                view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    if (auto *text = qobject_cast<TextBox *>(m_widget))
        text->SetReadOnly(m_designMode);
    else if (auto *combo = qobject_cast<QComboBox *>(m_widget); combo && combo->lineEdit())
        combo->lineEdit()->setReadOnly(m_designMode);
    else if (auto *grid = qobject_cast<GridControl *>(m_widget))
        grid->SetEditable(m_gridEditable && !m_designMode);
}

void DesignControl::SetPictureResolver(PictureResolver resolver)
{
    m_resolvePicture = std::move(resolver);
}

void DesignControl::SetContainer(iDesignControl *container)
{
    m_container = container;
    auto *host = dynamic_cast<iWidgetHost *>(container);
    if (!m_widget || !host || !host->ChildArea() || host->ChildArea() == m_widget)
        return;
    if (m_widget->parentWidget() != host->ChildArea()) {
        m_widget->setParent(host->ChildArea());
        // A new parent hides the widget: show it again as the core last set it.
        m_widget->setVisible(m_visible);
    }
}

void DesignControl::Move(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (!m_widget)
        return;
    const PlatformMetrics &metrics = PlatformMetrics::Current();
    const int x = ToPixels(left, metrics.TwipsPerPixelX);
    const int y = ToPixels(top, metrics.TwipsPerPixelY);
    if (m_kind == Type::Timer) {
        // The timer's icon keeps its size wherever it is put.
        m_widget->move(x, y);
        return;
    }
    m_widget->setGeometry(x, y, qMax(0, ToPixels(width, metrics.TwipsPerPixelX)),
                          qMax(0, ToPixels(height, metrics.TwipsPerPixelY)));
    PlaceHelpMarker();
}

void DesignControl::SetVisible(bool visible)
{
    m_visible = visible;
    if (m_widget)
        m_widget->setVisible(visible);
}

void DesignControl::BringToFront()
{
    if (m_widget)
        m_widget->raise();
}

void DesignControl::SetFont(const DesignFont &font)
{
    m_font = font;
    if (!m_widget || !HasFont())
        return;
    QFont qfont = m_widget->font();
    if (!font.Name.isEmpty())
        qfont.setFamily(font.Name);
    if (font.Size > 0)
        qfont.setPointSizeF(font.Size);
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    qfont.setUnderline(font.Underline);
    m_widget->setFont(qfont);
}

bool DesignControl::HasFont() const
{
    return !(m_kind == Type::Picture || m_kind == Type::Timer || m_kind == Type::Browser
             || IsFormBar(m_kind) || m_kind == Type::BorderFrame
             || m_kind == Type::SelectionSizer);
}

void DesignControl::SetForeColor(qint32 colour)
{
    m_foreColor = colour;
    m_coloursSet = true;
    ApplyColours();
}

void DesignControl::SetBackColor(qint32 colour)
{
    m_backColor = colour;
    m_coloursSet = true;
    ApplyColours();
}

void DesignControl::ApplyColours()
{
    if (!m_widget || !m_coloursSet)
        return;
    // Pictures, bars and the timer keep the look of the platform.
    if (m_kind == Type::Picture || m_kind == Type::Timer || IsFormBar(m_kind)
        || m_kind == Type::BorderFrame)
        return;
    const QColor fore = ToQColor(m_foreColor);
    const QColor back = ToQColor(m_backColor);
    QPalette palette = m_widget->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, fore);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, back);
    m_widget->setPalette(palette);
    m_widget->setAutoFillBackground(true);
}

void DesignControl::SetAppearance3D(bool on)
{
    m_appearance3D = on;
    ApplyBorder();
}

void DesignControl::SetBorder(int border)
{
    m_border = border;
    ApplyBorder();
}

void DesignControl::ApplyBorder()
{
    if (!m_widget)
        return;
    const int border = qBound(0, m_border, 2);
    if (auto *image = qobject_cast<ucImage *>(m_widget)) {
        image->SetBorderStyle(border == 0 ? 0 : 1);
        image->SetAppearance(border == 2 ? 1 : 0);
    } else if (auto *browser = qobject_cast<ucFakeBrowser *>(m_widget)) {
        browser->SetBorderStyle(border == 0 ? 0 : 1);
        browser->SetAppearance(border == 2 ? 1 : 0);
    } else if (auto *text = qobject_cast<TextBox *>(m_widget)) {
        text->SetFrameShown(border != 0);
    } else if (auto *combo = qobject_cast<QComboBox *>(m_widget)) {
        combo->setFrame(border != 0);
    } else if (auto *group = qobject_cast<QGroupBox *>(m_widget)) {
        group->setFlat(border == 0);
    } else if (IsFormBar(m_kind) || m_kind == Type::Command || m_kind == Type::Timer) {
        // Buttons and bands draw their own edges.
    } else if (auto *frame = qobject_cast<QFrame *>(m_widget)) {
        if (border == 0)
            frame->setFrameStyle(QFrame::NoFrame);
        else if (border == 1)
            frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        else
            frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
}

void DesignControl::SetHelpMarker(bool on)
{
    m_helpMarker = on;
    if (!m_widget)
        return;
    if (on && !m_helpLabel) {
        m_helpLabel = new QLabel(QStringLiteral("?"), m_widget);
        m_helpLabel->setAlignment(Qt::AlignCenter);
        m_helpLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_helpLabel->setAutoFillBackground(true);
        QPalette palette = m_helpLabel->palette();
        palette.setColor(QPalette::Window, QColor(255, 255, 192));
        palette.setColor(QPalette::WindowText, Qt::black);
        m_helpLabel->setPalette(palette);
        QFont small = m_helpLabel->font();
        small.setBold(true);
        small.setPointSizeF(7);
        m_helpLabel->setFont(small);
        m_helpLabel->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
    if (m_helpLabel) {
        m_helpLabel->setVisible(on);
        PlaceHelpMarker();
    }
}

void DesignControl::PlaceHelpMarker()
{
    if (!m_helpLabel || !m_helpMarker || !m_widget)
        return;
    const int side = 11;
    m_helpLabel->setGeometry(qMax(0, m_widget->width() - side), 0, side, side);
    m_helpLabel->raise();
}

void DesignControl::SetText(const QString &text)
{
    m_text = text;
    if (!m_widget)
        return;
    if (auto *label = qobject_cast<QLabel *>(m_widget))
        label->setText(text);
    else if (auto *box = qobject_cast<TextBox *>(m_widget))
        box->SetText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(m_widget))
        button->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(m_widget))
        group->setTitle(text);
    else if (auto *browser = qobject_cast<ucFakeBrowser *>(m_widget))
        browser->SetURL(text);
    else if (auto *list = qobject_cast<ListBox *>(m_widget))
        list->SetPlaceholder(text);
    else if (auto *combo = qobject_cast<QComboBox *>(m_widget)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else {
            const int at = combo->findText(text);
            combo->setCurrentIndex(at);
            combo->setPlaceholderText(at < 0 ? text : QString());
        }
    } else if (m_kind == Type::Timer)
        m_widget->setToolTip(text);
}

void DesignControl::SetValue(const QString &value)
{
    m_value = value;
    if (auto *check = qobject_cast<QCheckBox *>(m_widget)) {
        const int state = value.trimmed().toInt();
        check->setTristate(state == 2);
        check->setCheckState(state == 1 ? Qt::Checked
                                        : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    } else if (auto *gauge = qobject_cast<ucProgressBar *>(m_widget)) {
        gauge->SetValueText(value);
    } else if (auto *options = qobject_cast<OptionGroup *>(m_widget)) {
        options->SetValue(value);
    }
}

void DesignControl::SetAlignment(int align)
{
    m_alignment = align;
    const Qt::Alignment a = ToQtAlignment(align);
    if (auto *label = qobject_cast<QLabel *>(m_widget))
        label->setAlignment(a | Qt::AlignTop);
    else if (auto *box = qobject_cast<TextBox *>(m_widget))
        box->SetAlignment(a);
    else if (auto *check = qobject_cast<QCheckBox *>(m_widget))
        check->setLayoutDirection(align == 1 ? Qt::RightToLeft : Qt::LeftToRight);
}

void DesignControl::SetMultiLine(bool on)
{
    m_multiLine = on;
    if (auto *box = qobject_cast<TextBox *>(m_widget)) {
        box->SetMultiLine(on);
        ApplyDesignMode();
    }
}

void DesignControl::SetVerticalScrollBar(bool on)
{
    m_scrollBar = on;
    if (auto *box = qobject_cast<TextBox *>(m_widget))
        box->SetVerticalScrollBar(on);
}

void DesignControl::SetPasswordChar(const QString &c)
{
    m_passwordChar = c;
    if (auto *box = qobject_cast<TextBox *>(m_widget))
        box->SetPasswordChar(c);
}

void DesignControl::SetListRows(const QStringList &rows)
{
    m_rows = rows;
    if (auto *list = qobject_cast<ListBox *>(m_widget)) {
        list->SetRows(rows);
        // Rows may have added columns: the widths given apply to them too.
        if (!m_columnWidths.isEmpty())
            SetColumnWidths(m_columnWidths);
    } else if (auto *combo = qobject_cast<QComboBox *>(m_widget)) {
        const QSignalBlocker block(combo);
        combo->clear();
        for (const QString &row : rows) {
            combo->addItem(FirstColumn(row));
            if (row.contains(QLatin1Char('\t')))
                combo->setItemData(combo->count() - 1,
                                   QString(row).replace(QLatin1Char('\t'), QStringLiteral("  ")),
                                   Qt::ToolTipRole);
        }
        SetText(m_text);
    } else if (auto *options = qobject_cast<OptionGroup *>(m_widget)) {
        options->SetRows(rows);
        options->SetValue(m_value);
        ApplyDesignMode();
    }
}

void DesignControl::SetColumnCount(int columns)
{
    m_columnCount = columns;
    if (auto *list = qobject_cast<ListBox *>(m_widget))
        list->SetColumns(columns);
}

void DesignControl::SetColumnHeadings(const QStringList &headings)
{
    m_headings = headings;
    if (auto *list = qobject_cast<ListBox *>(m_widget))
        list->SetHeadings(headings);
    else if (auto *grid = qobject_cast<GridControl *>(m_widget))
        grid->SetHeadings(headings);
}

void DesignControl::SetColumnWidths(const QList<int> &twips)
{
    m_columnWidths = twips;
    QList<int> pixels;
    pixels.reserve(twips.size());
    const int perPixel = PlatformMetrics::Current().TwipsPerPixelX;
    for (int w : twips)
        pixels.append(ToPixels(w, perPixel));
    if (auto *list = qobject_cast<ListBox *>(m_widget))
        list->SetColumnWidths(pixels);
    else if (auto *grid = qobject_cast<GridControl *>(m_widget))
        grid->SetColumnWidths(pixels);
}

void DesignControl::SetMultiSelect(bool on)
{
    m_multiSelect = on;
    if (auto *list = qobject_cast<ListBox *>(m_widget))
        list->SetMultiSelect(on);
}

void DesignControl::SetCheckBoxes(bool on)
{
    m_checkBoxes = on;
    if (auto *list = qobject_cast<ListBox *>(m_widget))
        list->SetCheckBoxes(on);
}

void DesignControl::SetGridSize(int rows, int columns)
{
    m_gridRows = qMax(0, rows);
    m_gridColumns = qMax(0, columns);
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it.key() / CellKeyBase >= m_gridRows || it.key() % CellKeyBase >= m_gridColumns)
            it = m_cells.erase(it);
        else
            ++it;
    }
    if (auto *grid = qobject_cast<GridControl *>(m_widget)) {
        grid->SetSize(m_gridRows, m_gridColumns);
        if (!m_headings.isEmpty())
            grid->SetHeadings(m_headings);
    }
}

void DesignControl::SetGridEditable(bool on)
{
    m_gridEditable = on;
    if (auto *grid = qobject_cast<GridControl *>(m_widget))
        grid->SetEditable(on && !m_designMode);
}

void DesignControl::SetCellText(int row, int column, const QString &text)
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return;
    if (text.isEmpty())
        m_cells.remove(CellKey(row, column));
    else
        m_cells.insert(CellKey(row, column), text);
    if (auto *grid = qobject_cast<GridControl *>(m_widget))
        grid->SetCell(row - 1, column - 1, text);
}

QString DesignControl::CellText(int row, int column) const
{
    if (row < 1 || column < 1 || row > m_gridRows || column > m_gridColumns)
        return {};
    return m_cells.value(CellKey(row, column));
}

void DesignControl::SetBarItems(const QList<DesignBarItem> &items)
{
    m_barItems = items;
    auto *band = qobject_cast<ucFakeMenu *>(m_widget);
    if (!band)
        return;
    band->Clear();
    const int perPixel = PlatformMetrics::Current().TwipsPerPixelX;
    bool gap = false;
    for (const DesignBarItem &item : items) {
        if (item.ItemKind == DesignBarItem::Separator) {
            gap = true;
            continue;
        }
        // A menu bar shows its titles; what they open is not on the form.
        if ((m_kind == Type::Menu || m_kind == Type::Popup) && item.Level != 1)
            continue;
        QString caption = item.Caption;
        if (caption.isEmpty() && item.ItemKind == DesignBarItem::AutoPanel)
            caption = item.PanelKeyword;
        if (caption.isEmpty())
            caption = item.ID;
        const int index = band->AddButton(caption, item.ID);
        band->SetButtonEnabled(index, item.Enabled);
        band->SetButtonVisible(index, item.Visible);
        band->SetButtonGap(index, gap || item.GroupBreak);
        if (!item.ToolTip.isEmpty())
            band->Button(index)->setToolTip(item.ToolTip);
        if (item.ItemKind == DesignBarItem::TextPanel || item.ItemKind == DesignBarItem::AutoPanel)
            band->SetButtonWidth(index, item.PanelWidth < 0 ? ucFakeMenu::SpringWidth
                                                            : ToPixels(item.PanelWidth, perPixel));
        gap = false;
    }
    ApplyDesignMode();
}

void DesignControl::SetTreeNodes(const QList<DesignTreeNode> &nodes)
{
    m_treeNodes = nodes;
    auto *tree = qobject_cast<ucTreeview *>(m_widget);
    if (!tree)
        return;
    QList<ucTreeview::Node> shown;
    shown.reserve(nodes.size());
    for (const DesignTreeNode &node : nodes)
        shown.append({node.ID, node.Level, node.Caption, node.Icon, node.State, node.Hint});
    tree->SetNodes(shown);
}

void DesignControl::SetTabs(const QStringList &captions)
{
    m_tabs = captions;
    if (auto *tabs = qobject_cast<TabGroup *>(m_widget)) {
        tabs->SetTabs(captions);
        tabs->SetCurrentTab(m_currentTab);
        ApplyDesignMode();
    }
}

void DesignControl::SetCurrentTab(int index)
{
    m_currentTab = index;
    if (auto *tabs = qobject_cast<TabGroup *>(m_widget))
        tabs->SetCurrentTab(index);
}

void DesignControl::SetPictureName(const QString &name)
{
    m_pictureName = name;
    auto *image = qobject_cast<ucImage *>(m_widget);
    if (!image)
        return;
    if (name.trimmed().isEmpty() || PictureLoader::IsUrl(name) || !m_resolvePicture)
        image->SetFilename(name);
    else
        image->SetFilename(m_resolvePicture(name));
}
