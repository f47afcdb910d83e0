#include "designer/DesignListBox.h"

#include "controls/ListBox.h"

#include <QCoreApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace {

// The list boxes that draw the design lists: hidden windows, each set up for the list it drew
// last. The most recently used are kept, more than a form commonly shows at once (about 40 KB
// each); a list drawn again unchanged (under a rubber band, beside a dragged control) is only
// drawn.
class Drawers
{
public:
    static Drawers &Instance()
    {
        // Never destroyed: widgets may not outlive the application object, and a static one
        // would. The program's end clears it (a test program that never quits leaves it).
        static Drawers *drawers = new Drawers;
        return *drawers;
    }

    // The drawing list for `list`; `fresh` when it was made now, to be set up for this
    // version.
    ListBox &For(const DesignListBox *list, quint64 version, bool &fresh)
    {
        auto it = std::find_if(m_kept.begin(), m_kept.end(),
                               [list](const Kept &k) { return k.For == list; });
        if (it == m_kept.end() && m_kept.size() >= KeepAtMost)
            it = m_kept.begin(); // the least recently used
        if (it == m_kept.end()) {
            m_kept.push_back({});
            it = m_kept.end() - 1;
        }
        Kept kept = std::move(*it);
        m_kept.erase(it);
        // Made afresh: what a list box shows depends on the order it was told things in, and
        // a new one told this list's settings in one order draws as this list.
        fresh = !kept.List || kept.For != list || kept.Version != version;
        if (fresh) {
            kept.List = Make();
            kept.For = list;
            kept.Version = version;
        }
        m_kept.push_back(std::move(kept));
        return *m_kept.back().List;
    }

    void Forget(const DesignListBox *list)
    {
        m_kept.erase(std::remove_if(m_kept.begin(), m_kept.end(),
                                    [list](const Kept &k) { return k.For == list; }),
                     m_kept.end());
    }

    void Keep(size_t count)
    {
        KeepAtMost = std::max<size_t>(1, count);
        if (m_kept.size() > KeepAtMost)
            m_kept.erase(m_kept.begin(), m_kept.end() - std::ptrdiff_t(KeepAtMost));
    }

private:
    struct Kept
    {
        const DesignListBox *For = nullptr;
        quint64 Version = 0;
        std::unique_ptr<ListBox> List;
    };

    // A window of its own, never shown: drawing a widget lays out the whole window it is in
    // first, and under one window all the drawing lists were laid out for each.
    std::unique_ptr<ListBox> Make()
    {
        auto list = std::make_unique<ListBox>();
        list->setObjectName(QStringLiteral("DesignListDrawer"));
        list->setAttribute(Qt::WA_DontShowOnScreen);
        list->viewport()->ungrabGesture(Qt::PanGesture);
        if (!m_watching) {
            m_watching = true;
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, [this] { m_kept.clear(); });
        }
        return list;
    }

    size_t KeepAtMost = 128;
    bool m_watching = false;
    std::vector<Kept> m_kept; // the most recently used last
};

} // namespace

DesignListBox::DesignListBox(QWidget *parent) : QFrame(parent), m_version(NextVersion())
{
    // As a list box of the toolkit: a sunken panel that takes the focus.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
}

DesignListBox::~DesignListBox()
{
    Drawers::Instance().Forget(this);
}

void DesignListBox::KeepDrawers(size_t count)
{
    Drawers::Instance().Keep(count);
}

// Every change of any list gets a number of its own: a list made where a deleted one was is
// never taken for it.
quint64 DesignListBox::NextVersion()
{
    static quint64 next = 0;
    return ++next;
}

void DesignListBox::SetRows(const QStringList &rows)
{
    Set(m_rows, rows);
}

void DesignListBox::SetColumns(int count)
{
    Set(m_columns, count);
}

void DesignListBox::SetHeadings(const QStringList &headings)
{
    Set(m_headings, headings);
}

void DesignListBox::SetColumnWidths(const QList<int> &pixels)
{
    // A width not given leaves the column as it was.
    QList<int> widths = m_widths;
    if (widths.size() < pixels.size())
        widths.resize(pixels.size());
    for (int c = 0; c < pixels.size(); ++c)
        if (pixels.at(c) > 0)
            widths[c] = pixels.at(c);
    Set(m_widths, widths);
}

void DesignListBox::SetMultiSelect(bool on)
{
    Set(m_multiSelect, on);
}

void DesignListBox::SetCheckBoxes(bool on)
{
    Set(m_checkBoxes, on);
}

void DesignListBox::SetPlaceholder(const QString &text)
{
    Set(m_placeholder, text);
}

void DesignListBox::SetUp(ListBox &drawn) const
{
    drawn.SetColumns(m_columns);
    if (!m_headings.isEmpty())
        drawn.SetHeadings(m_headings);
    drawn.SetCheckBoxes(m_checkBoxes);
    drawn.SetRows(m_rows);
    drawn.SetColumnWidths(m_widths);
    drawn.SetMultiSelect(m_multiSelect);
    drawn.SetPlaceholder(m_placeholder);
}

ListBox &DesignListBox::Drawn() const
{
    bool fresh = false;
    ListBox &drawn = Drawers::Instance().For(this, m_version, fresh);
    if (fresh)
        SetUp(drawn);
    // What comes from the form and the window is taken as it is now.
    bool changed = fresh;
    const auto take = [&changed](bool differs, const auto &set) {
        if (differs) {
            set();
            changed = true;
        }
    };
    take(drawn.size() != size(), [&] { drawn.resize(size()); });
    take(drawn.font() != font(), [&] { drawn.setFont(font()); });
    // The drawing list's window is never active, and its parts draw with one colour group or
    // another: all of them show the colours this list's window shows now.
    QPalette colours = palette();
    const QPalette::ColorGroup now = isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    for (int r = 0; r < QPalette::NColorRoles; ++r) {
        const auto role = QPalette::ColorRole(r);
        const QBrush brush = colours.brush(now, role);
        colours.setBrush(QPalette::Active, role, brush);
        colours.setBrush(QPalette::Inactive, role, brush);
    }
    take(drawn.palette() != colours, [&] { drawn.setPalette(colours); });
    take(drawn.frameStyle() != frameStyle(), [&] { drawn.setFrameStyle(frameStyle()); });
    take(drawn.lineWidth() != lineWidth(), [&] { drawn.setLineWidth(lineWidth()); });
    take(drawn.midLineWidth() != midLineWidth(), [&] { drawn.setMidLineWidth(midLineWidth()); });
    take(drawn.autoFillBackground() != autoFillBackground(),
         [&] { drawn.setAutoFillBackground(autoFillBackground()); });
    take(drawn.isEnabled() != isEnabled(), [&] { drawn.setEnabled(isEnabled()); });
    take(drawn.layoutDirection() != layoutDirection(),
         [&] { drawn.setLayoutDirection(layoutDirection()); });
    if (changed)
        Settle(drawn);
    return drawn;
}

void DesignListBox::Settle(ListBox &drawn)
{
    // A list box on the screen is laid out in steps, some left for the event loop: its items
    // are laid out at its first paint, and then its scroll bars are shown or hidden for the
    // new range by a call it leaves for later. A hidden one is taken through the same steps
    // before it draws, by drawing a pixel of it and making that call.
    QImage pixel(1, 1, QImage::Format_ARGB32_Premultiplied);
    drawn.render(&pixel, QPoint(), QRegion(0, 0, 1, 1), QWidget::DrawChildren);
    QCoreApplication::sendPostedEvents(&drawn, QEvent::MetaCall);
}

QSize DesignListBox::sizeHint() const
{
    return Drawn().sizeHint();
}

QSize DesignListBox::minimumSizeHint() const
{
    return Drawn().minimumSizeHint();
}

void DesignListBox::paintEvent(QPaintEvent *event)
{
    ListBox &drawn = Drawn();
    if (sharedPainter()) {
        // Drawn as part of a scaled picture of the form: drawn at that scale on its own, then
        // put in its place through the picture's painter. (Gradients come out one level apart
        // here and there: they are worked out from where the picture starts.)
        QPainter painter(this);
        const QTransform scale = painter.deviceTransform();
        if (scale.type() > QTransform::TxTranslate) {
            QImage image(scale.mapRect(QRectF(rect())).toAlignedRect().size(),
                         QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter scaled(&image);
            scaled.scale(scale.m11(), scale.m22());
            drawn.render(&scaled, QPoint(), QRegion(), QWidget::DrawChildren);
            scaled.end();
            painter.drawImage(QRectF(rect()), image);
            return;
        }
    }
    // Onto this list itself, which sends the drawing wherever this list's paint goes: into
    // its window's picture (or a picture of the form) at this list's place there. The toolkit
    // puts the corner of the region drawn at the offset given.
    const QRegion region = event->region();
    QPoint place;
    const QPaintDevice *into = redirected(&place);
    drawn.render(this, region.boundingRect().topLeft() - (into ? place : QPoint()), region,
                 QWidget::DrawChildren);
}
