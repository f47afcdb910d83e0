#include "designer/DrawnFrame.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

namespace {

// The widgets that draw the design controls: hidden windows, each set up for the control it
// drew last. The most recently used are kept, more than a form commonly shows at once (about
// 40-60 KB each); a control drawn again unchanged (under a rubber band, beside a dragged
// control) is only drawn.
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

    // The drawer for `control`; `fresh` when it was made now, to be set up for this version.
    QAbstractScrollArea &For(const DrawnFrame *control, quint64 version, bool &fresh,
                             const std::function<std::unique_ptr<QAbstractScrollArea>()> &make)
    {
        auto it = std::find_if(m_kept.begin(), m_kept.end(),
                               [control](const Kept &k) { return k.For == control; });
        if (it == m_kept.end() && m_kept.size() >= KeepAtMost)
            it = m_kept.begin(); // the least recently used
        if (it == m_kept.end()) {
            m_kept.push_back({});
            it = m_kept.end() - 1;
        }
        Kept kept = std::move(*it);
        m_kept.erase(it);
        // Made afresh: what a list or a grid shows depends on the order it was told things
        // in, and a new one told this control's settings in one order draws as this control.
        fresh = !kept.Drawer || kept.For != control || kept.Version != version;
        if (fresh) {
            kept.Drawer = Prepared(make());
            kept.For = control;
            kept.Version = version;
        }
        m_kept.push_back(std::move(kept));
        return *m_kept.back().Drawer;
    }

    void Forget(const DrawnFrame *control)
    {
        m_kept.erase(std::remove_if(m_kept.begin(), m_kept.end(),
                                    [control](const Kept &k) { return k.For == control; }),
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
        const DrawnFrame *For = nullptr;
        quint64 Version = 0;
        std::unique_ptr<QAbstractScrollArea> Drawer;
    };

    // A window of its own, never shown: drawing a widget lays out the whole window it is in
    // first, and under one window all the drawers were laid out for each.
    std::unique_ptr<QAbstractScrollArea> Prepared(std::unique_ptr<QAbstractScrollArea> drawer)
    {
        drawer->setObjectName(QStringLiteral("DesignDrawer"));
        drawer->setAttribute(Qt::WA_DontShowOnScreen);
        drawer->viewport()->ungrabGesture(Qt::PanGesture);
        if (!m_watching) {
            m_watching = true;
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, [this] { m_kept.clear(); });
        }
        return drawer;
    }

    size_t KeepAtMost = 256;
    bool m_watching = false;
    std::vector<Kept> m_kept; // the most recently used last
};

} // namespace

DrawnFrame::DrawnFrame(QWidget *parent) : QFrame(parent), m_version(NextVersion())
{
    // As a list or a grid of the toolkit: a sunken panel that takes the focus.
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
}

DrawnFrame::~DrawnFrame()
{
    Drawers::Instance().Forget(this);
}

void DrawnFrame::KeepDrawers(size_t count)
{
    Drawers::Instance().Keep(count);
}

// Every change of any control gets a number of its own: a control made where a deleted one
// was is never taken for it.
quint64 DrawnFrame::NextVersion()
{
    static quint64 next = 0;
    return ++next;
}

void DrawnFrame::Changed()
{
    m_version = NextVersion();
    update();
}

QAbstractScrollArea &DrawnFrame::Drawer() const
{
    bool fresh = false;
    QAbstractScrollArea &drawn =
        Drawers::Instance().For(this, m_version, fresh, [this] { return MakeDrawer(); });
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
    // The drawer's window is never active, and its parts draw with one colour group or
    // another: all of them show the colours this control's window shows now.
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

void DrawnFrame::Settle(QAbstractScrollArea &drawer)
{
    // A list or a grid on the screen is laid out in steps, some left for the event loop: its
    // items are laid out at its first paint, and then its scroll bars are shown or hidden for
    // the new range by a call it leaves for later. A hidden one is taken through the same
    // steps before it draws, by drawing a pixel of it and making that call.
    QImage pixel(1, 1, QImage::Format_ARGB32_Premultiplied);
    drawer.render(&pixel, QPoint(), QRegion(0, 0, 1, 1), QWidget::DrawChildren);
    QCoreApplication::sendPostedEvents(&drawer, QEvent::MetaCall);
}

QSize DrawnFrame::sizeHint() const
{
    return Drawer().sizeHint();
}

QSize DrawnFrame::minimumSizeHint() const
{
    return Drawer().minimumSizeHint();
}

void DrawnFrame::paintEvent(QPaintEvent *event)
{
    QAbstractScrollArea &drawn = Drawer();
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
    // Onto this control itself, which sends the drawing wherever this control's paint goes:
    // into its window's picture (or a picture of the form) at this control's place there. The
    // toolkit puts the corner of the region drawn at the offset given.
    const QRegion region = event->region();
    QPoint place;
    const QPaintDevice *into = redirected(&place);
    drawn.render(this, region.boundingRect().topLeft() - (into ? place : QPoint()), region,
                 QWidget::DrawChildren);
}
