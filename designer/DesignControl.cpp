#include "designer/DesignControl.h"

#include "designer/DesignGrid.h"
#include "designer/DesignListBox.h"
#include "controls/OptionGroup.h"
#include "controls/PictureLoader.h"
#include "controls/TabGroup.h"
#include "controls/TextBox.h"
#include "controls/ucFakeBrowser.h"
#include "controls/ucFakeMenu.h"
#include "controls/ucIHlp.h"
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

#include <algorithm>
#include <cmath>

using namespace Vocabulary;

namespace {

// The instance each control widget belongs to (faster to reach than a dynamic property, which
// is looked for among the class's own properties first).
QHash<const QWidget *, DesignControl *> &InstanceOf()
{
    static QHash<const QWidget *, DesignControl *> instances;
    return instances;
}

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

constexpr QPalette::ColorRole ForeRoles[] = {QPalette::WindowText, QPalette::Text,
                                             QPalette::ButtonText};
constexpr QPalette::ColorRole BackRoles[] = {QPalette::Window, QPalette::Base, QPalette::Button};

// `base` with the text roles in `fore` and the background roles in `back`. A form's controls
// mostly start from the same palette of their class and share a few colour pairs: each result
// is built once and then shared by every widget that asks for it.
QPalette ColouredPalette(const QPalette &base, const QColor &fore, const QColor &back)
{
    struct Key
    {
        qint64 Base;
        QRgb Fore, Back;
        bool operator==(const Key &) const = default;
    };
    struct Entry
    {
        Key Made;
        QPalette Base, Result;
    };
    // Holding the base keeps its cache key from being given to another palette.
    static QList<Entry> made;
    const Key key{base.cacheKey(), fore.rgb(), back.rgb()};
    for (const Entry &entry : std::as_const(made))
        if (entry.Made == key)
            return entry.Result;
    QPalette palette = base;
    for (QPalette::ColorRole role : ForeRoles)
        palette.setColor(role, fore);
    for (QPalette::ColorRole role : BackRoles)
        palette.setColor(role, back);
    if (made.size() >= 16)
        made.removeFirst();
    made.append({key, base, palette});
    return palette;
}

QString FirstColumn(const QString &row)
{
    return row.section(QLatin1Char('\t'), 0, 0);
}

} // namespace

DesignControl::DesignControl(int kind, QWidget *widget)
    : DesignControlBase(kind), m_widget(widget)
{
    Q_ASSERT(widget);
    InstanceOf().insert(widget, this);
    m_registered = widget;
    widget->hide();
    ApplyDesignMode();
}

DesignControl::~DesignControl()
{
    if (auto it = InstanceOf().find(m_registered); it != InstanceOf().end() && *it == this)
        InstanceOf().erase(it);
    if (!m_widget)
        return;
    // Controls still inside this one belong to their own adapters: they drop onto this
    // control's container instead of going down with its widget.
    for (QObject *child : m_widget->children())
        if (auto *w = qobject_cast<QWidget *>(child); w && InstanceOf().value(w) && InstanceOf().value(w)->m_widget.data() == w) {
            const bool shown = !w->isHidden();
            w->setParent(m_widget->parentWidget());
            w->setVisible(shown && m_widget->parentWidget());
        }
    delete m_widget.data();
}

DesignControl *DesignControl::Of(const QWidget *widget)
{
    const auto &instances = InstanceOf();
    for (const QWidget *w = widget; w; w = w->parentWidget())
        // A widget deleted under its instance leaves an entry that no longer matches.
        if (const auto it = instances.constFind(w);
            it != instances.constEnd() && (*it)->m_widget.data() == w)
            return *it;
    return nullptr;
}

void DesignControl::HoldSettings()
{
    m_held = true;
}

bool DesignControl::Hold(unsigned setting)
{
    if (!m_held)
        return false;
    m_heldSettings |= setting;
    return true;
}

void DesignControl::ApplyHeldSettings()
{
    const unsigned settings = m_heldSettings;
    m_held = false;
    m_heldSettings = 0;
    if (settings & HeldFont)
        ApplyFont();
    if (settings & HeldColours)
        ApplyColours();
    if (settings & HeldText)
        ApplyText();
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
    // Focus is never taken on a design form; out of design mode every widget gets back the
    // policy it had.
    // Contained controls have their own design mode.
    const QList<QWidget *> widgets = OwnParts();
    const auto noted = [this](const QWidget *w) {
        return std::find_if(m_ownFocus.begin(), m_ownFocus.end(),
                            [w](const auto &entry) { return entry.first == w; });
    };
    // Policies are all noted before any is changed: a widget's policy passes to its focus
    // proxy.
    if (m_designMode)
        for (QWidget *w : widgets)
            if (noted(w) == m_ownFocus.end())
                m_ownFocus.emplace_back(w, w->focusPolicy());
    for (QWidget *w : widgets) {
        if (m_designMode) {
            w->setFocusPolicy(Qt::NoFocus);
        } else if (const auto own = noted(w); own != m_ownFocus.end()) {
            w->setFocusPolicy(own->second);
            m_ownFocus.erase(own);
        }
        if (auto *view = qobject_cast<QAbstractItemView *>(w))
            if (m_designMode)
                view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        // Installing a filter again moves it to the front; it is never listed twice.
        if (m_inputFilter)
            w->installEventFilter(m_inputFilter);
    }
    if (auto *text = qobject_cast<TextBox *>(m_widget))
        text->SetReadOnly(m_designMode);
    else if (auto *combo = qobject_cast<QComboBox *>(m_widget); combo && combo->lineEdit())
        combo->lineEdit()->setReadOnly(m_designMode);
    else if (auto *grid = qobject_cast<DesignGrid *>(m_widget))
        grid->SetEditable(IsGridEditable() && !m_designMode);
}

QList<QWidget *> DesignControl::OwnParts() const
{
    QList<QWidget *> widgets;
    if (!m_widget)
        return widgets;
    widgets.append(m_widget);
    // Contained controls are parts of their own instances.
    for (QWidget *w : m_widget->findChildren<QWidget *>())
        if (DesignControl::Of(w) == this)
            widgets.append(w);
    return widgets;
}

void DesignControl::SetInputFilter(QObject *filter)
{
    // Only the filters change: focus and editing were settled when the design mode was.
    const QList<QWidget *> widgets = OwnParts();
    if (m_inputFilter)
        for (QWidget *w : widgets)
            w->removeEventFilter(m_inputFilter);
    m_inputFilter = filter;
    if (m_inputFilter)
        for (QWidget *w : widgets)
            w->installEventFilter(m_inputFilter);
}

void DesignControl::SetWaitForDownloads(bool on)
{
    m_waitForDownloads = on;
    if (auto *image = qobject_cast<ucImage *>(m_widget))
        image->SetWaitForDownloads(on);
}

void DesignControl::SetPictureResolver(PictureResolver resolver)
{
    m_resolvePicture = std::move(resolver);
    m_icons.clear();
}

void DesignControl::SetContainer(iDesignControl *container)
{
    DesignControlBase::SetContainer(container);
    // The timer's icon stays where the design form shows it (on its task-bar strip).
    if (Kind() == Type::Timer)
        return;
    auto *host = dynamic_cast<iWidgetHost *>(container);
    if (!m_widget || !host || !host->ChildArea() || host->ChildArea() == m_widget)
        return;
    if (m_widget->parentWidget() != host->ChildArea()) {
        m_widget->setParent(host->ChildArea());
        // A new parent hides the widget: show it again as the core last set it.
        m_widget->setVisible(IsVisible());
    }
}

void DesignControl::Move(int left, int top, int width, int height)
{
    DesignControlBase::Move(left, top, width, height);
    if (!m_widget)
        return;
    // Nothing of the timer shows at run time: its icon keeps its size and its place on the
    // design form's task-bar strip, wherever the item stands.
    if (Kind() == Type::Timer)
        return;
    const PlatformMetrics &metrics = PlatformMetrics::Current();
    const int x = ToPixels(left, metrics.TwipsPerPixelX);
    const int y = ToPixels(top, metrics.TwipsPerPixelY);
    m_widget->setGeometry(x, y, qMax(0, ToPixels(width, metrics.TwipsPerPixelX)),
                          qMax(0, ToPixels(height, metrics.TwipsPerPixelY)));
    PlaceHelpMarker();
}

void DesignControl::SetVisible(bool visible)
{
    DesignControlBase::SetVisible(visible);
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
    m_fontSource = nullptr;
    DesignControlBase::SetFont(font);
    if (!Hold(HeldFont))
        ApplyFont();
}

void DesignControl::SetFontFrom(const std::function<DesignFont()> &font)
{
    if (Hold(HeldFont))
        m_fontSource = font;
    else
        SetFont(font());
}

DesignFont DesignControl::Font() const
{
    if (m_fontSource) {
        const std::function<DesignFont()> source = std::move(m_fontSource);
        m_fontSource = nullptr;
        const_cast<DesignControl *>(this)->DesignControlBase::SetFont(source());
    }
    return DesignControlBase::Font();
}

void DesignControl::ApplyFont()
{
    if (!m_widget || !HasFont())
        return;
    const DesignFont font = Font();
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

void DesignControl::SetForeColor(qint32 colour)
{
    DesignControlBase::SetForeColor(colour);
    m_coloursSet = true;
    if (!Hold(HeldColours))
        ApplyColours();
}

void DesignControl::SetBackColor(qint32 colour)
{
    DesignControlBase::SetBackColor(colour);
    m_coloursSet = true;
    if (!Hold(HeldColours))
        ApplyColours();
}

void DesignControl::ApplyColours()
{
    if (!m_widget || !m_coloursSet)
        return;
    // Pictures, bars and the timer keep the look of the platform.
    if (Kind() == Type::Picture || Kind() == Type::Timer || IsFormBar(Kind())
        || Kind() == Type::BorderFrame)
        return;
    const QColor fore = ToQColor(ForeColor());
    const QColor back = ToQColor(BackColor());
    const QPalette current = m_widget->palette();
    // Loading sets both colours one after the other, each time for both: a palette that
    // already shows them is not set again (setting one costs as much as making the widget).
    const auto shown = [&] {
        if (!m_widget->autoFillBackground())
            return false;
        for (QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            for (QPalette::ColorRole role : ForeRoles)
                if (current.color(group, role) != fore)
                    return false;
            for (QPalette::ColorRole role : BackRoles)
                if (current.color(group, role) != back)
                    return false;
        }
        return true;
    };
    if (shown())
        return;
    m_widget->setPalette(ColouredPalette(current, fore, back));
    m_widget->setAutoFillBackground(true);
}

void DesignControl::SetAppearance3D(bool on)
{
    DesignControlBase::SetAppearance3D(on);
    ApplyBorder();
}

void DesignControl::SetBorder(int border)
{
    DesignControlBase::SetBorder(border);
    ApplyBorder();
}

void DesignControl::ApplyBorder()
{
    if (!m_widget)
        return;
    const int border = qBound(0, Border(), 2);
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
    } else if (IsFormBar(Kind()) || Kind() == Type::Command || Kind() == Type::Timer) {
        // Buttons and bands draw their own edges.
    } else if (auto *frame = qobject_cast<QFrame *>(m_widget)) {
        const int style = border == 0 ? QFrame::NoFrame
            : border == 1             ? QFrame::Box | QFrame::Plain
                                      : QFrame::Panel | QFrame::Sunken;
        // Loading applies the border twice (appearance, then border): a frame already drawn
        // that way is left alone, which spares its geometry update.
        if (frame->frameStyle() != style)
            frame->setFrameStyle(style);
    }
}

void DesignControl::SetHelpMarker(bool on)
{
    DesignControlBase::SetHelpMarker(on);
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
    if (!m_helpLabel || !HelpMarker() || !m_widget)
        return;
    const int side = 11;
    m_helpLabel->setGeometry(qMax(0, m_widget->width() - side), 0, side, side);
    m_helpLabel->raise();
}

void DesignControl::SetText(const QString &text)
{
    DesignControlBase::SetText(text);
    // Captions of labels, buttons and frames depend on nothing else and may wait; the text of
    // lists and combos goes with their rows.
    if (m_held
        && (qobject_cast<QLabel *>(m_widget) || qobject_cast<QAbstractButton *>(m_widget)
            || qobject_cast<QGroupBox *>(m_widget))) {
        m_heldSettings |= HeldText;
        return;
    }
    ApplyText();
}

void DesignControl::ApplyText()
{
    if (!m_widget)
        return;
    const QString text = Text();
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
    else if (auto *list = qobject_cast<DesignListBox *>(m_widget))
        list->SetPlaceholder(text);
    else if (auto *combo = qobject_cast<QComboBox *>(m_widget)) {
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else {
            const int at = combo->findText(text);
            combo->setCurrentIndex(at);
            combo->setPlaceholderText(at < 0 ? text : QString());
        }
    } else if (Kind() == Type::Timer)
        m_widget->setToolTip(text);
}

void DesignControl::SetValue(const QString &value)
{
    DesignControlBase::SetValue(value);
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
    DesignControlBase::SetAlignment(align);
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
    DesignControlBase::SetMultiLine(on);
    if (auto *box = qobject_cast<TextBox *>(m_widget)) {
        box->SetMultiLine(on);
        ApplyDesignMode();
    }
}

void DesignControl::SetVerticalScrollBar(bool on)
{
    DesignControlBase::SetVerticalScrollBar(on);
    if (auto *box = qobject_cast<TextBox *>(m_widget))
        box->SetVerticalScrollBar(on);
}

void DesignControl::SetPasswordChar(const QString &c)
{
    DesignControlBase::SetPasswordChar(c);
    if (auto *box = qobject_cast<TextBox *>(m_widget))
        box->SetPasswordChar(c);
}

void DesignControl::SetListRows(const QStringList &rows)
{
    DesignControlBase::SetListRows(rows);
    if (auto *list = qobject_cast<DesignListBox *>(m_widget)) {
        list->SetRows(rows);
        // Rows may have added columns: the widths given apply to them too.
        if (!ColumnWidths().isEmpty())
            SetColumnWidths(ColumnWidths());
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
        SetText(Text());
    } else if (auto *options = qobject_cast<OptionGroup *>(m_widget)) {
        options->SetRows(rows);
        options->SetValue(Value());
        ApplyDesignMode();
    }
}

void DesignControl::SetColumnCount(int columns)
{
    DesignControlBase::SetColumnCount(columns);
    if (auto *list = qobject_cast<DesignListBox *>(m_widget))
        list->SetColumns(columns);
}

void DesignControl::SetColumnHeadings(const QStringList &headings)
{
    DesignControlBase::SetColumnHeadings(headings);
    if (auto *list = qobject_cast<DesignListBox *>(m_widget))
        list->SetHeadings(headings);
    else if (auto *grid = qobject_cast<DesignGrid *>(m_widget))
        grid->SetHeadings(headings);
}

void DesignControl::SetColumnWidths(const QList<int> &twips)
{
    DesignControlBase::SetColumnWidths(twips);
    QList<int> pixels;
    pixels.reserve(twips.size());
    const int perPixel = PlatformMetrics::Current().TwipsPerPixelX;
    for (int w : twips)
        pixels.append(ToPixels(w, perPixel));
    if (auto *list = qobject_cast<DesignListBox *>(m_widget))
        list->SetColumnWidths(pixels);
    else if (auto *grid = qobject_cast<DesignGrid *>(m_widget))
        grid->SetColumnWidths(pixels);
}

void DesignControl::SetMultiSelect(bool on)
{
    DesignControlBase::SetMultiSelect(on);
    if (auto *list = qobject_cast<DesignListBox *>(m_widget))
        list->SetMultiSelect(on);
}

void DesignControl::SetCheckBoxes(bool on)
{
    DesignControlBase::SetCheckBoxes(on);
    if (auto *list = qobject_cast<DesignListBox *>(m_widget))
        list->SetCheckBoxes(on);
}

void DesignControl::SetGridSize(int rows, int columns)
{
    DesignControlBase::SetGridSize(rows, columns);
    if (auto *grid = qobject_cast<DesignGrid *>(m_widget)) {
        grid->SetSize(GridRows(), GridColumns());
        if (!ColumnHeadings().isEmpty())
            grid->SetHeadings(ColumnHeadings());
    }
}

void DesignControl::SetGridEditable(bool on)
{
    DesignControlBase::SetGridEditable(on);
    if (auto *grid = qobject_cast<DesignGrid *>(m_widget))
        grid->SetEditable(on && !m_designMode);
}

void DesignControl::SetHeadingRowVisible(bool on)
{
    DesignControlBase::SetHeadingRowVisible(on);
    if (auto *grid = qobject_cast<DesignGrid *>(m_widget))
        grid->SetHeadingRowVisible(on);
}

void DesignControl::SetCellText(int row, int column, const QString &text)
{
    if (row < 1 || column < 1 || row > GridRows() || column > GridColumns())
        return;
    DesignControlBase::SetCellText(row, column, text);
    if (auto *grid = qobject_cast<DesignGrid *>(m_widget))
        grid->SetCell(row - 1, column - 1, text);
}

void DesignControl::SetBarItems(const QList<DesignBarItem> &items)
{
    DesignControlBase::SetBarItems(items);
    auto *band = qobject_cast<ucFakeMenu *>(m_widget);
    if (!band)
        return;
    const int perPixel = PlatformMetrics::Current().TwipsPerPixelX;
    QList<ucFakeMenu::BandButton> buttons;
    buttons.reserve(items.size());
    bool gap = false;
    for (const DesignBarItem &item : items) {
        if (item.ItemKind == DesignBarItem::Separator) {
            gap = true;
            continue;
        }
        // A menu bar shows its titles; what they open is not on the form.
        if ((Kind() == Type::Menu || Kind() == Type::Popup) && item.Level != 1)
            continue;
        ucFakeMenu::BandButton button;
        button.Caption = item.Caption;
        if (button.Caption.isEmpty() && item.ItemKind == DesignBarItem::AutoPanel)
            button.Caption = item.PanelKeyword;
        button.Icon = Kind() == Type::Toolbar ? SmallIcon(item.Icon) : QIcon();
        // A tool with a picture needs no caption; anything else shows at least its ID.
        if (button.Caption.isEmpty() && button.Icon.isNull())
            button.Caption = item.ID;
        button.ID = item.ID;
        button.Enabled = item.Enabled;
        button.Visible = item.Visible;
        button.Gap = gap || item.GroupBreak;
        button.ToolTip = item.ToolTip;
        if (item.ItemKind == DesignBarItem::TextPanel || item.ItemKind == DesignBarItem::AutoPanel)
            button.Rule = item.PanelWidth < 0 ? ucFakeMenu::SpringWidth
                                              : ToPixels(item.PanelWidth, perPixel);
        buttons.append(button);
        gap = false;
    }
    // Laid out once for the whole bar.
    band->SetButtons(buttons);
    ApplyDesignMode();
}

void DesignControl::SetTreeNodes(const QList<DesignTreeNode> &nodes)
{
    DesignControlBase::SetTreeNodes(nodes);
    auto *tree = qobject_cast<ucTreeview *>(m_widget);
    if (!tree)
        return;
    QList<ucTreeview::Node> shown;
    shown.reserve(nodes.size());
    for (const DesignTreeNode &node : nodes)
        shown.append({node.ID, node.Level, node.Caption, node.Icon, node.State, node.Hint,
                      SmallIcon(node.Icon)});
    tree->SetNodes(shown);
}

void DesignControl::SetTabs(const QStringList &captions)
{
    DesignControlBase::SetTabs(captions);
    if (auto *tabs = qobject_cast<TabGroup *>(m_widget)) {
        tabs->SetTabs(captions);
        tabs->SetCurrentTab(CurrentTab());
        ApplyDesignMode();
    }
}

void DesignControl::SetMultiRowTabs(bool on)
{
    DesignControlBase::SetMultiRowTabs(on);
    if (auto *tabs = qobject_cast<TabGroup *>(m_widget))
        tabs->SetMultiRow(on);
}

void DesignControl::SetCurrentTab(int index)
{
    DesignControlBase::SetCurrentTab(index);
    if (auto *tabs = qobject_cast<TabGroup *>(m_widget))
        tabs->SetCurrentTab(index);
}

QIcon DesignControl::SmallIcon(const QString &name)
{
    if (name.trimmed().isEmpty())
        return {};
    if (const auto known = m_icons.constFind(name); known != m_icons.constEnd())
        return *known;
    QImage picture;
    // A URL shows its picture once it has been downloaded for this run.
    if (PictureLoader::IsUrl(name))
        picture = m_waitForDownloads ? ucIHlp::Shared()->Fetch(name).Image
                                     : ucIHlp::CheckDownloadCache(name);
    else
        picture = PictureLoader::LoadShared(m_resolvePicture ? m_resolvePicture(name)
                                                             : PictureLoader::LocalPath(name))
                      .Image;
    const int side = 16;
    QIcon icon;
    if (!picture.isNull())
        icon = QIcon(QPixmap::fromImage(
            picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    m_icons.insert(name, icon);
    return icon;
}

void DesignControl::SetPictureName(const QString &name)
{
    DesignControlBase::SetPictureName(name);
    auto *image = qobject_cast<ucImage *>(m_widget);
    if (!image)
        return;
    if (name.trimmed().isEmpty() || PictureLoader::IsUrl(name) || !m_resolvePicture)
        image->SetFilename(name);
    else
        image->SetFilename(m_resolvePicture(name));
}

void DesignControl::SetPictureScale(int mode)
{
    DesignControlBase::SetPictureScale(mode);
    if (auto *image = qobject_cast<ucImage *>(m_widget))
        image->SetImageScale(mode >= 1 && mode <= 2 ? mode : 0);
}
