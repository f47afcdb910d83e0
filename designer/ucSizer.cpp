#include "designer/ucSizer.h"

#include "app/Arrangement.h"
#include "designer/DesignControl.h"
#include "designer/frmDesign.h"
#include "model/clsControl.h"
#include "model/iDesignControl.h"
#include "support/GuiError.h"
#include "support/PlatformMetrics.h"

#include <QGuiApplication>
#include <QHash>
#include <QBackingStore>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Marks the nib and outline widgets, which sit above the controls of the canvas.
constexpr const char *SizerPartProperty = "corvaneSizerPart";

int PixelsX(int twips)
{
    return int(std::lround(double(twips) / qMax(1, PlatformMetrics::Current().TwipsPerPixelX)));
}

int PixelsY(int twips)
{
    return int(std::lround(double(twips) / qMax(1, PlatformMetrics::Current().TwipsPerPixelY)));
}

// One nib: a small filled square that reports its drags to the sizer. Qt gives a pressed
// widget every mouse move until the release, which is the capture the drag needs.
class SizerNib final : public QWidget
{
public:
    SizerNib(ucSizer &sizer, int index, QWidget *parent)
        : QWidget(parent), m_sizer(sizer), m_index(index)
    {
        setObjectName(QStringLiteral("Nib%1").arg(index));
        setProperty(SizerPartProperty, true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        const bool diagonal = index == 6 || index == 9 || index == 5 || index == 10;
        setCursor(!diagonal ? ((index & 3) ? Qt::SizeVerCursor : Qt::SizeHorCursor)
                  : (index == 6 || index == 9) ? Qt::SizeFDiagCursor
                                               : Qt::SizeBDiagCursor);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 0, 128));
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        m_sizer.NibMouseDown(*event, mapTo(parentWidget(), event->position().toPoint()));
        if (event->button() == Qt::LeftButton)
            m_sizer.NibPress(m_index, event->globalPosition().toPoint());
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        m_sizer.NibMove(m_index, event->globalPosition().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        const bool resized = event->button() == Qt::LeftButton && m_sizer.NibRelease(m_index);
        m_sizer.NibMouseUp(*event, mapTo(parentWidget(), event->position().toPoint()), resized);
    }
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        // The second press of a double click is a press as well.
        mousePressEvent(event);
        if (event->button() == Qt::LeftButton)
            m_sizer.NibDoubleClick();
    }

private:
    ucSizer &m_sizer;
    int m_index;
};

// A segment of the outline: a one-pixel line that ignores the mouse, so clicks on the
// control under it still reach the control.
QWidget *OutlineSegment(QWidget *parent)
{
    auto *segment = new QWidget(parent);
    segment->setAttribute(Qt::WA_TransparentForMouseEvents);
    segment->setProperty(SizerPartProperty, true);
    segment->setAutoFillBackground(true);
    QPalette palette = segment->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    segment->setPalette(palette);
    segment->hide();
    return segment;
}

constexpr int NibIndexes[] = {6, 4, 5, 2, 1, 10, 8, 9};

// The one-pixel outline of a rectangle in canvas pixels.
std::array<QRect, 4> OutlineOf(const QRect &b)
{
    return {QRect(b.x(), b.y(), b.width(), 1), QRect(b.x(), b.bottom(), b.width(), 1),
            QRect(b.x(), b.y(), 1, b.height()), QRect(b.right(), b.y(), 1, b.height())};
}

// The eight nibs of a rectangle, n pixels a nib.
std::array<QRect, 8> NibsOf(const QRect &b, int n)
{
    const int w = b.width(), h = b.height();
    std::array<QRect, 8> nibs;
    int i = 0;
    for (const QPoint at : {QPoint(0, 0), QPoint(0, (h - n) / 2), QPoint(0, h - n),
                            QPoint((w - n) / 2, 0), QPoint((w - n) / 2, h - n), QPoint(w - n, 0),
                            QPoint(w - n, (h - n) / 2), QPoint(w - n, h - n)})
        nibs[size_t(i++)] = QRect(b.x() + at.x(), b.y() + at.y(), n, n);
    return nibs;
}

// The outline and the nibs of a rectangle in canvas pixels, n pixels a nib.
QRegion SizerParts(const QRect &box, int n)
{
    if (box.isEmpty())
        return {};
    QRegion parts;
    for (const QRect &r : OutlineOf(box))
        parts += r;
    for (const QRect &r : NibsOf(box, n))
        parts += r;
    return parts;
}

// The outline and small hollow nibs of a selected item that is not the primary selection.
const QColor MarkColour(96, 96, 96);

int MarkNib(int n)
{
    return qMax(4, n - 1);
}

const QColor SizerColour(0, 0, 128);

// Copies `height` rows of `width` 32-bit pixels, each buffer with its own length of a row.
void CopyRows(uchar *to, qsizetype toLine, const uchar *from, qsizetype fromLine, int width,
              int height)
{
    if (width == 1) {
        for (int y = 0; y < height; ++y, to += toLine, from += fromLine)
            *reinterpret_cast<quint32 *>(to) = *reinterpret_cast<const quint32 *>(from);
        return;
    }
    for (int y = 0; y < height; ++y, to += toLine, from += fromLine)
        std::memcpy(to, from, size_t(width) * 4);
}

// Copies a rectangle of pixels between two images of one 32-bit format, at one pixel a device
// pixel; false, copying nothing, when either rectangle leaves its image.
bool CopyPixels(QImage &to, const QRect &into, const QImage &from, const QRect &source)
{
    if (into.isEmpty() || into.size() != source.size() || !to.rect().contains(into)
        || !from.rect().contains(source) || to.depth() != 32 || from.depth() != 32)
        return false;
    const qsizetype toLine = to.bytesPerLine(), fromLine = from.bytesPerLine();
    CopyRows(to.bits() + into.y() * toLine + into.x() * 4, toLine,
             from.constBits() + source.y() * fromLine + source.x() * 4, fromLine, into.width(),
             into.height());
    return true;
}

// Whether `inner` lies within `outer`, an empty one anywhere.
inline bool Within(const QRect &inner, const QRect &outer)
{
    return inner.isEmpty()
           || (inner.left() >= outer.left() && inner.top() >= outer.top()
               && inner.right() <= outer.right() && inner.bottom() <= outer.bottom());
}

// The common part of two rectangles, worked out inline: a group drag's frame clips thousands.
inline QRect Clip(const QRect &a, const QRect &b)
{
    const int left = std::max(a.left(), b.left()), top = std::max(a.top(), b.top());
    const int right = std::min(a.right(), b.right()), bottom = std::min(a.bottom(), b.bottom());
    return left > right || top > bottom ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Draws a move drag's sizer and the marks of the secondary selection. Moving a child of the
// canvas makes Qt recompute which parts of the canvas its opaque children cover, a walk over
// every control; so while a drag runs the nib and outline widgets are hidden and this widget,
// which covers the canvas and never moves, paints them instead and repaints only the thin
// strips that change. The marks of the other selected items are drawn here all the time, so
// selecting hundreds of controls makes no widget. It ignores the mouse, and it is shared by
// the sizers of a canvas and stays shown, so a drag's start does not repaint the whole form.
//
// While a group drag runs the overlay shows a picture of the form taken at its start and
// becomes opaque: a step repaints the overlay alone, never the controls below it, however
// many marks move. That picture must not show the marks, which lie over the controls in what
// the window shows; so while there are marks the overlay keeps a copy of what lies under it,
// taken from the window's backing store each time it paints, before its marks go over it.
// Every repaint of the canvas passes through the overlay, which covers the canvas and is not
// opaque, so the copy is as fresh as the window, and a drag of hundreds of selected controls
// starts with a copy of pixels instead of drawing the whole form again.
class SizerOverlay final : public QWidget
{
public:
    explicit SizerOverlay(QWidget *canvas) : QWidget(canvas)
    {
        setObjectName(QStringLiteral("SizerOverlay"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(canvas->rect());
        show();
    }

    static SizerOverlay *Of(QWidget *canvas)
    {
        // From the newest child back: the overlay comes after the controls of a loaded form,
        // and a selection of hundreds makes a sizer for each.
        const QObjectList &children = canvas->children();
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            if (auto *overlay = dynamic_cast<SizerOverlay *>(*it))
                return overlay;
        return new SizerOverlay(canvas);
    }

    // Made ready for a drag or a mark: as big as the canvas and above every control.
    void Prepare()
    {
        QWidget *canvas = parentWidget();
        if (geometry() != canvas->rect())
            setGeometry(canvas->rect());
        // Raising repaints the whole canvas, so only when a control has come above it since;
        // the sizers' own widgets may lie above it, they are hidden during a drag.
        const QObjectList &children = canvas->children();
        for (auto it = children.crbegin(); it != children.crend(); ++it) {
            if (*it == this)
                return;
            const auto *w = qobject_cast<const QWidget *>(*it);
            if (w && !w->isHidden() && !w->property(SizerPartProperty).toBool()) {
                raise();
                return;
            }
        }
    }

    void SetBox(const QRect &box, int n)
    {
        if (box == m_box && n == m_nib)
            return;
        const QRegion old = SizerParts(m_box, m_nib);
        m_box = box;
        m_nib = n;
        const QRegion now = SizerParts(m_box, m_nib);
        if (m_snapshot.isNull())
            update(old.subtracted(now) + now.subtracted(old));
    }

    // The mark of a secondary selection; an empty box takes it away.
    void SetMark(const void *key, const QRect &box, int n)
    {
        const auto it = m_marks.find(key);
        // During a group drag the whole overlay repaints once a step.
        const bool paint = m_snapshot.isNull();
        // A mark's whole box is repainted: one rectangle each keeps the region a selection of
        // hundreds makes simple, where its strips and nibs would make it thousands.
        const QRect old = it != m_marks.end() ? it->Box : QRect();
        if (it != m_marks.end() && it->Box == box && it->Nib == n)
            return;
        if (box.isEmpty()) {
            if (it == m_marks.end())
                return;
            m_marks.erase(it);
            if (m_marks.isEmpty())
                ForgetClean();
        } else if (it != m_marks.end()) {
            *it = Mark{box, n};
        } else {
            Prepare();
            m_marks.insert(key, Mark{box, n});
        }
        if (!paint)
            return;
        if (!old.isEmpty())
            Dirty(old);
        if (!box.isEmpty())
            Dirty(box);
    }

    // A group drag begins: from now on the overlay shows the form as it is, with the boxes
    // and marks over it, and only the overlay repaints.
    void BeginSnapshot()
    {
        if (!m_snapshot.isNull())
            return;
        Prepare();
        // What waits to be painted is painted first, so that the window and the copy of what
        // lies under the marks show the form as it is.
        if (window()->backingStore())
            QCoreApplication::sendPostedEvents(window(), QEvent::UpdateRequest);
        QRegion redraw;
        m_frame = {};
        m_shown.clear();
        m_underKept = false;
        const StoreFrame frame = WindowStore();
        if (frame.Store && !m_clean.isNull() && m_clean.format() == frame.Store->format()) {
            // The copy kept as the window painted is the form without the marks. Where it
            // has not seen the window shows the controls as they are, for the overlay draws
            // only where it has seen; what the window hides is drawn afresh.
            const QRegion shown = visibleRegion();
            m_snapshot = std::exchange(m_clean, QImage());
            for (const QRect &r : shown - m_cleanSeen)
                CopyPixels(m_snapshot, r, *frame.Store, r.translated(frame.At));
            m_cleanSeen = {};
            redraw = QRegion(rect()) - shown;
            // The window shows that picture with the marks and the sizer over it: the first
            // step puts back what they cover.
            m_frame = frame;
            for (const Mark &mark : std::as_const(m_marks))
                AppendParts(m_shown, mark.Box, MarkNib(mark.Nib), 0);
            AppendParts(m_shown, m_box, m_nib, 0);
        } else {
            // What the window shows is copied; what it does not show and what the marks and
            // the box cover is drawn afresh.
            m_snapshot = OnScreen(redraw);
            if (m_snapshot.isNull()) {
                m_snapshot = QImage(size() * devicePixelRatioF(),
                                    QImage::Format_ARGB32_Premultiplied);
                m_snapshot.setDevicePixelRatio(devicePixelRatioF());
                redraw = rect();
            } else {
                redraw += m_box;
                for (const Mark &mark : std::as_const(m_marks))
                    redraw += mark.Box;
            }
        }
        DrawAfresh(redraw & rect());
        m_group = rect();
        setAttribute(Qt::WA_OpaquePaintEvent, true);
    }
    bool Snapshot() const { return !m_snapshot.isNull(); }
    // A group drag's step: what the outlines covered before and cover now is repainted.
    void RepaintGroup()
    {
        const QRect now = GroupBox();
        m_requested = (now | m_group) & rect();
        update(m_requested);
        m_group = now;
    }
    void EndSnapshot()
    {
        if (m_snapshot.isNull())
            return;
        // The picture's pixels serve as the copy of what lies under the marks again: the
        // repaint below fills in what it will show.
        if (m_clean.isNull() && !m_marks.isEmpty() && m_snapshot.size() == size()
            && m_snapshot.devicePixelRatio() == 1)
            m_clean = std::move(m_snapshot);
        m_cleanSeen = {};
        m_snapshot = QImage();
        m_shown.clear();
        m_frame = {};
        setAttribute(Qt::WA_OpaquePaintEvent, false);
        // Elsewhere the window shows the form as the snapshot did; the controls that moved
        // repaint where they were and where they are.
        update(m_group | GroupBox());
    }

protected:
    void resizeEvent(QResizeEvent *) override
    {
        // The marks stay in the store where they were: the copy keeps what it knows.
        if (!m_clean.isNull()) {
            m_clean = m_clean.copy(rect());
            m_cleanSeen &= rect();
        }
    }

    void paintEvent(QPaintEvent *event) override
    {
        if (m_hidden)
            return;
        m_dirtyMarks = 0;
        m_dirtyBounds = {};
        QPainter painter(this);
        if (!m_snapshot.isNull()) {
            PaintGroupFrame(painter, event->region());
            return;
        }
        KeepClean(painter, event->region());
        PaintMarks(painter, event->region());
    }

private:
    struct Mark
    {
        QRect Box;
        int Nib = 0;
    };
    // A rectangle of one colour a group frame put in the window's store.
    struct Strip
    {
        QRect Box;
        QRgb Colour = 0;
    };
    // Where the overlay paints in the window's backing store: an image of 32-bit pixels at
    // one pixel a device pixel, the overlay at `At`. No store when painting elsewhere (a
    // grab) or at another scale.
    struct StoreFrame
    {
        const QImage *Store = nullptr;
        const uchar *Bits = nullptr;
        QSize Size;
        QPoint At;
        bool operator==(const StoreFrame &) const = default;
    };
    // A box's outline and nibs, n pixels a nib, as strips of one colour.
    static void AppendParts(QList<Strip> &strips, const QRect &box, int n, QRgb colour)
    {
        if (box.isEmpty())
            return;
        for (const QRect &r : OutlineOf(box))
            strips.append({r, colour});
        for (const QRect &r : NibsOf(box, n))
            strips.append({r, colour});
    }
    // A group drag's frame: the marks' outlines over the picture of the form, and the
    // leader's sizer. Drawn in full where the window's store may not hold the last frame; else
    // only what moved is put right, in the store's pixels: the picture back where the
    // outlines were, the outlines where they are now. Hundreds of one-pixel strips cost a
    // frame's time through a painter, and a fraction of it as plain stores.
    void PaintGroupFrame(QPainter &painter, const QRegion &region)
    {
        QList<Strip> now;
        now.reserve(4 * m_marks.size() + 12);
        for (const Mark &mark : std::as_const(m_marks))
            for (const QRect &r : OutlineOf(mark.Box))
                now.append({r, MarkColour.rgb()});
        AppendParts(now, m_box, m_nib, SizerColour.rgb());
        const StoreFrame frame = StoreFrameOf(painter);
        const bool continues = frame.Store && frame == m_frame;
        const QRect clip =
            frame.Store ? m_requested & frame.Store->rect().translated(-frame.At) : QRect();
        if (continues && !m_requested.isEmpty() && region == QRegion(m_requested)
            && m_snapshot.format() == frame.Store->format() && Within(ShownBounds(), clip)) {
            Restore(frame);
            Cover(frame, now, clip);
        } else {
            const qreal ratio = m_snapshot.devicePixelRatio();
            for (const QRect &r : region)
                painter.drawImage(r, m_snapshot, QRectF(r.topLeft() * ratio, r.size() * ratio));
            const QRect area = region.boundingRect();
            for (const Strip &strip : std::as_const(now))
                if (strip.Box.intersects(area))
                    painter.fillRect(strip.Box, QColor(strip.Colour));
            m_shown = std::move(now);
            m_underKept = false;
        }
        // A later frame may count on the store when this one painted the whole overlay, or
        // all that changed since a frame it could count on, at the same place in the store.
        const bool whole = region.contains(rect())
                           || (continues && region.contains(m_requested | m_group));
        m_frame = whole ? frame : StoreFrame{};
        m_requested = {};
    }

    // The pixels under the strips of the last frame put back: those kept as the strips
    // covered them, last covered first back, or the picture's.
    void Restore(const StoreFrame &frame)
    {
        auto *store = const_cast<QImage *>(frame.Store);
        const qsizetype line = store->bytesPerLine();
        uchar *bits = store->bits();
        if (!m_underKept) {
            for (const Strip &strip : std::as_const(m_shown)) {
                const QRect r = Clip(strip.Box, rect());
                if (!r.isEmpty())
                    CopyPixels(*store, r.translated(frame.At), m_snapshot, r);
            }
            return;
        }
        const quint32 *under = m_under.data() + m_under.size();
        for (auto it = m_shown.crbegin(); it != m_shown.crend(); ++it) {
            const QRect r = it->Box.translated(frame.At);
            under -= qsizetype(r.width()) * r.height();
            CopyRows(bits + r.y() * line + r.x() * 4, line, reinterpret_cast<const uchar *>(under),
                     r.width() * 4, r.width(), r.height());
        }
    }
    // The strips of this frame put into the store within `clip`, the pixels under each kept.
    void Cover(const StoreFrame &frame, const QList<Strip> &strips, const QRect &clip)
    {
        auto *store = const_cast<QImage *>(frame.Store);
        const qsizetype line = store->bytesPerLine();
        uchar *bits = store->bits();
        m_shown.clear();
        m_under.clear();
        for (const Strip &strip : strips) {
            const QRect box = Clip(strip.Box, clip);
            if (box.isEmpty())
                continue;
            m_shown.append({box, strip.Colour});
            const QRect r = box.translated(frame.At);
            const int w = r.width();
            uchar *row = bits + r.y() * line + r.x() * 4;
            const size_t kept = m_under.size();
            m_under.resize(kept + size_t(w) * size_t(r.height()));
            CopyRows(reinterpret_cast<uchar *>(m_under.data() + kept), w * 4, row, line, w,
                     r.height());
            for (int y = 0; y < r.height(); ++y, row += line)
                std::fill_n(reinterpret_cast<quint32 *>(row), w, strip.Colour);
        }
        m_underKept = true;
    }

    QRect ShownBounds() const
    {
        QRect bounds;
        for (const Strip &strip : m_shown)
            bounds |= strip.Box;
        return bounds;
    }

    void PaintMarks(QPainter &painter, const QRegion &region)
    {
        const QRect area = region.boundingRect();
        // A band's strips cross few of the marks inside their bounds.
        const bool fewParts = region.rectCount() <= 64;
        // The outlines' strips filled in one batch, the nibs over every strip, each in the
        // order the marks come.
        QList<QRect> strips, nibs;
        strips.reserve(4 * m_marks.size());
        for (const Mark &mark : std::as_const(m_marks)) {
            if (!mark.Box.intersects(area) || (fewParts && !region.intersects(mark.Box)))
                continue;
            for (const QRect &r : OutlineOf(mark.Box))
                strips.append(r);
            for (const QRect &r : NibsOf(mark.Box, MarkNib(mark.Nib)))
                nibs.append(r);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(MarkColour);
        painter.drawRects(strips);
        for (const QRect &nib : std::as_const(nibs)) {
            painter.fillRect(nib, MarkColour);
            painter.fillRect(nib.adjusted(1, 1, -1, -1), Qt::white);
        }
        const QRegion parts = SizerParts(m_box, m_nib) & region;
        for (const QRect &r : parts)
            painter.fillRect(r, SizerColour);
    }

    StoreFrame StoreFrameOf(QPainter &painter) const
    {
        const QImage *image = StoreImage();
        if (!image || !PaintsInto(painter, image))
            return {};
        const QTransform t = painter.deviceTransform();
        if (t.type() > QTransform::TxTranslate)
            return {};
        return {image, image->constBits(), image->size(), QPoint(int(t.dx()), int(t.dy()))};
    }
    static bool PaintsInto(QPainter &painter, const QImage *store)
    {
        return painter.paintEngine() && painter.paintEngine()->paintDevice() == store;
    }
    // The same outside a paint.
    StoreFrame WindowStore() const
    {
        const QImage *image = StoreImage();
        if (!image || !isVisible() || image->devicePixelRatio() != 1)
            return {};
        return {image, image->constBits(), image->size(), mapTo(window(), QPoint())};
    }
    // The window's backing store when it is an image, as on every raster platform.
    const QImage *StoreDevice() const
    {
        QBackingStore *store = window()->backingStore();
        QPaintDevice *device = store ? store->paintDevice() : nullptr;
        return device && device->devType() == QInternal::Image
                   ? static_cast<const QImage *>(device)
                   : nullptr;
    }
    // The same when the overlay can read and write its pixels as they are.
    const QImage *StoreImage() const
    {
        const QImage *image = StoreDevice();
        // A store shared with another image would be copied by a write.
        if (!image || !image->isDetached()
            || !(image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32
                 || image->format() == QImage::Format_ARGB32_Premultiplied))
            return nullptr;
        return image;
    }

    QRect m_box;
    int m_nib = 0;
    // The canvas as the window shows it now, copied from the window's backing store: a copy
    // of pixels, where drawing hundreds of controls again costs a frame. Null when the store
    // is not a plain image; what the window does not show goes to `missing`.
    QImage OnScreen(QRegion &missing)
    {
        const QImage *image = StoreDevice();
        if (!image || !isVisible())
            return {};
        const qreal ratio = image->devicePixelRatio();
        const QRect inWindow(mapTo(window(), QPoint()) * ratio, size() * ratio);
        const QRegion seen = visibleRegion();
        if (seen.isEmpty())
            return {};
        QImage picture = image->copy(inWindow);
        picture.setDevicePixelRatio(ratio);
        missing = QRegion(rect()) - seen;
        return picture;
    }

    QRect GroupBox() const
    {
        QRect box = m_box;
        for (const Mark &mark : std::as_const(m_marks))
            box |= mark.Box;
        return box;
    }

    // A mark's box to repaint. When hundreds of marks change at once (an undo of a group's
    // move, a selection of all) their common bounds are repainted: a region of hundreds of
    // small rectangles costs more to keep and to paint through than the area it leaves out.
    void Dirty(const QRect &box)
    {
        if (++m_dirtyMarks <= 64) {
            update(box);
            return;
        }
        m_dirtyBounds |= box;
        update(m_dirtyBounds);
    }

    // What the controls painted into the window's backing store under `region`, copied before
    // the marks go over it. Only while there are marks: without them the window shows the
    // controls as they are. A paint into anything but the store (a grab, a render) copies
    // nothing.
    void KeepClean(QPainter &painter, const QRegion &region)
    {
        if (m_marks.isEmpty())
            return;
        const StoreFrame frame = StoreFrameOf(painter);
        if (!frame.Store) {
            // Marks that go into the store untracked leave it no longer clean everywhere.
            if (const QImage *store = StoreDevice(); store && PaintsInto(painter, store))
                m_untracked = true;
            return;
        }
        // The first marks find the window showing the controls clean everywhere, and all it
        // shows is copied; later paints copy what they repaint.
        const bool first = m_clean.isNull() && !m_untracked;
        if (first || m_clean.size() != size() || m_clean.format() != frame.Store->format()) {
            m_clean = QImage(size(), frame.Store->format());
            m_cleanSeen = {};
        }
        for (const QRect &r : first ? visibleRegion() : region & rect())
            if (CopyPixels(m_clean, r, *frame.Store, r.translated(frame.At)))
                m_cleanSeen += r;
    }
    void ForgetClean()
    {
        m_clean = QImage();
        m_cleanSeen = {};
        m_untracked = false;
    }

    // The form under the overlay drawn into the snapshot, without the overlay.
    void DrawAfresh(const QRegion &area)
    {
        if (area.isEmpty())
            return;
        m_hidden = true;
        parentWidget()->render(&m_snapshot, area.boundingRect().topLeft(), area);
        m_hidden = false;
    }

    QHash<const void *, Mark> m_marks;
    QImage m_snapshot;
    // The canvas without the marks as the window last painted it, and where it has.
    QImage m_clean;
    QRegion m_cleanSeen;
    // Marks were painted into the store without a copy of what they cover.
    bool m_untracked = false;
    // Marks whose boxes were given to repaint since the last paint, and the bounds of those
    // beyond the first few.
    int m_dirtyMarks = 0;
    QRect m_dirtyBounds;
    // A group drag's last frame in the window's store, the strips it put there, and the area
    // its step asked to repaint.
    StoreFrame m_frame;
    QList<Strip> m_shown;
    QRect m_requested;
    // The pixels under m_shown, strip after strip and row after row; or none, when the
    // picture has them.
    std::vector<quint32> m_under;
    bool m_underKept = false;
    // What a group drag's boxes covered at its last step.
    QRect m_group;
    bool m_hidden = false;
};

} // namespace

ucSizer::ucSizer(frmDesign &form) : m_form(form)
{
    m_overlay = SizerOverlay::Of(form.Canvas());
    MinWidth = MinHeight = 2 * m_nibSize;
}

ucSizer::~ucSizer()
{
    if (auto *overlay = static_cast<SizerOverlay *>(m_overlay.data()))
        overlay->SetMark(this, {}, 0);
    // The canvas may already have taken its children with it.
    for (auto &w : m_nibs)
        delete w.data();
    for (auto &w : m_outline)
        delete w.data();
}

void ucSizer::KeepBelowOverlay(QWidget *widget)
{
    widget->setProperty(SizerPartProperty, true);
}

bool ucSizer::SnapToGrid() const
{
    return m_form.SnapToGrid();
}

int ucSizer::GridX() const
{
    return m_form.GridX();
}

int ucSizer::GridY() const
{
    return m_form.GridY();
}

bool ucSizer::MakeParts() const
{
    // Made when the sizer first shows as the primary: a selection of hundreds of controls
    // makes a sizer for each, which only the overlay draws.
    if (m_partsMade)
        return m_nibs[1] != nullptr; // false once the canvas took them with it
    m_partsMade = true;
    QWidget *canvas = m_form.Canvas();
    auto *self = const_cast<ucSizer *>(this);
    for (int index : NibIndexes)
        self->m_nibs[size_t(index)] = new SizerNib(*self, index, canvas);
    for (auto &segment : self->m_outline)
        segment = OutlineSegment(canvas);
    return true;
}

quintptr ucSizer::hWnd() const
{
    MakeParts();
    return quintptr(m_outline[0].data());
}

QWidget *ucSizer::Nib(int index) const
{
    MakeParts();
    return index >= 1 && index <= 10 ? m_nibs[size_t(index)] : nullptr;
}

void ucSizer::EndOverlay()
{
    // The widgets take over from the overlay where the drag left the sizer; the control's
    // move, if any, then places them over the control.
    m_tracking = false;
    if (auto *overlay = static_cast<SizerOverlay *>(m_overlay.data())) {
        overlay->SetBox({}, 0);
        // A group's picture stays until its items have moved: their marks then move under
        // it without repainting strip by strip.
        if (m_followers.isEmpty())
            overlay->EndSnapshot();
    }
    if (m_linked)
        Place(m_current);
    ShowParts(m_active && m_linked);
}

void ucSizer::Detach()
{
    if (m_tracking) {
        m_linked = nullptr;
        EndOverlay();
        EndFollowers();
    }
    m_nibDrag = 0;
    SetActive(false);
    m_linked = nullptr;
    ShowMark();
}

void ucSizer::SetSecondary(bool secondary)
{
    if (m_secondary == secondary)
        return;
    m_secondary = secondary;
    if (secondary) {
        ShowParts(false);
        Track();
    }
    ShowMark();
}

void ucSizer::ShowMark()
{
    auto *overlay = static_cast<SizerOverlay *>(m_overlay.data());
    if (!overlay)
        return;
    if (m_secondary && m_linked && !LinkedIsForm())
        Place(m_current);
    else
        overlay->SetMark(this, {}, 0);
}

void ucSizer::SetActive(bool active)
{
    m_active = active;
    if (active && m_linked)
        Track();
    ShowParts(active && m_linked);
}

void ucSizer::ShowParts(bool shown)
{
    const bool form = LinkedIsForm();
    // During a move drag the overlay draws the sizer; it draws a secondary selection's mark.
    shown = shown && !m_tracking && !m_secondary;
    if (!(shown || m_partsMade) || !MakeParts())
        return;
    for (int index : NibIndexes) {
        QWidget *nib = m_nibs[size_t(index)];
        // A form's top and left edges stay where the window puts them.
        nib->setVisible(shown && !(form && (index & (SizerModel::Top | SizerModel::Left))));
        if (shown)
            nib->raise();
    }
    for (const auto &segment : m_outline) {
        segment->setVisible(shown && !form);
        if (shown)
            segment->raise();
    }
}

void ucSizer::SetLinkedControl(iDesignControl *control)
{
    m_linked = control;
    if (!control) {
        ShowParts(false);
        ShowMark();
        return;
    }
    Track();
    ShowParts(m_active);
}

void ucSizer::SetNibSize(int twips)
{
    m_nibSize = qMax(15, twips);
    Track();
}

bool ucSizer::LinkedIsForm() const
{
    return m_linked && m_linked == m_form.Surface();
}

SizerModel::Rect ucSizer::LinkedRect() const
{
    if (!m_linked)
        return {};
    if (LinkedIsForm())
        return {0, 0, qMax(0, m_linked->Width() - clsControl::FrameWidthTwips()),
                qMax(0, m_linked->Height() - clsControl::CaptionHeightTwips())};
    return {m_linked->Left(), m_linked->Top(), m_linked->Width(), m_linked->Height()};
}

void ucSizer::Track()
{
    // During a drag the sizer shows the drag's rectangle, not the control's.
    if (!m_linked || m_tracking || m_nibDrag)
        return;
    m_current = LinkedRect();
    Place(m_current);
}

QPoint ucSizer::ContainerOffset() const
{
    QWidget *canvas = m_form.Canvas();
    if (canvas && m_linked && !LinkedIsForm())
        if (const auto *container = dynamic_cast<const DesignControl *>(m_linked->Container()))
            if (QWidget *client = container->ChildArea(); client && client != canvas)
                return client->mapTo(canvas, QPoint(0, 0));
    return {};
}

void ucSizer::Place(const SizerModel::Rect &rect)
{
    PlaceAt(ContainerOffset(), rect);
}

void ucSizer::PlaceAt(QPoint offset, const SizerModel::Rect &rect)
{
    if (!m_form.Canvas())
        return;
    const int x = offset.x() + PixelsX(rect.Left);
    const int y = offset.y() + PixelsY(rect.Top);
    const int w = qMax(1, PixelsX(rect.Width));
    const int h = qMax(1, PixelsY(rect.Height));
    const int n = qMax(3, PixelsX(m_nibSize));
    if (m_tracking || m_secondary) {
        if (auto *overlay = static_cast<SizerOverlay *>(m_overlay.data())) {
            if (m_tracking)
                overlay->SetBox(QRect(x, y, w, h), n);
            else
                overlay->SetMark(this, QRect(x, y, w, h), n);
        }
        return;
    }
    if (!(m_active || m_partsMade) || !MakeParts())
        return;
    const auto put = [&](int index, int left, int top) {
        m_nibs[size_t(index)]->setGeometry(x + left, y + top, n, n);
    };
    put(6, 0, 0);
    put(4, 0, (h - n) / 2);
    put(5, 0, h - n);
    put(2, (w - n) / 2, 0);
    put(1, (w - n) / 2, h - n);
    put(10, w - n, 0);
    put(8, w - n, (h - n) / 2);
    put(9, w - n, h - n);
    m_outline[0]->setGeometry(x, y, w, 1);
    m_outline[1]->setGeometry(x, y + h - 1, w, 1);
    m_outline[2]->setGeometry(x, y, 1, h);
    m_outline[3]->setGeometry(x + w - 1, y, 1, h);
}

SizerModel::Settings ucSizer::DragSettings() const
{
    SizerModel::Settings s;
    s.SnapToGrid = SnapToGrid();
    s.GridX = GridX();
    s.GridY = GridY();
    s.MinWidth = MinWidth;
    s.MinHeight = MinHeight;
    s.AllowMove = AllowMove;
    if (LinkedIsForm()) {
        // A form is bounded by the screen.
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QSize size = screen ? screen->size() : QSize(1920, 1080);
        const PlatformMetrics &m = PlatformMetrics::Current();
        s.ContainerWidth = size.width() * m.TwipsPerPixelX;
        s.ContainerHeight = size.height() * m.TwipsPerPixelY;
    } else {
        m_form.ContainerArea(m_linked ? m_linked->Container() : nullptr, s.OriginX, s.OriginY,
                             s.ContainerWidth, s.ContainerHeight);
    }
    return s;
}

QPoint ucSizer::Delta(QPoint globalCursor) const
{
    const PlatformMetrics &m = PlatformMetrics::Current();
    const QPoint d = globalCursor - m_cursorStart;
    return {d.x() * m.TwipsPerPixelX, d.y() * m.TwipsPerPixelY};
}

void ucSizer::SetTracking(bool tracking)
{
    if (tracking)
        StartTracking(QCursor::pos());
    else
        StopTracking();
}

void ucSizer::StartTracking(QPoint globalCursor, const QList<ucSizer *> &followers)
{
    if (!AllowMove)
        throw GuiError(380);
    if (!m_active || !m_linked || LinkedIsForm())
        return;
    m_followers.clear();
    m_groupBoxes.clear();
    m_groupAreas.clear();
    m_start = m_current = LinkedRect();
    // The group's boxes in their containers' client coordinates, read once for the drag:
    // the leader first, then each follower with the area it must stay in.
    QList<const iDesignControl *> containers;
    const auto addBox = [&](const ucSizer &sizer) {
        const SizerModel::Settings s = sizer.DragSettings();
        const SizerModel::Rect &r = sizer.m_start;
        const iDesignControl *container = sizer.m_linked->Container();
        qsizetype key = containers.indexOf(container);
        if (key < 0) {
            key = containers.size();
            containers.append(container);
        }
        m_groupBoxes.append({r.Left - s.OriginX, r.Top - s.OriginY, r.Width, r.Height});
        m_groupAreas.append({s.ContainerWidth - s.OriginX, s.ContainerHeight - s.OriginY, int(key)});
    };
    for (ucSizer *follower : followers)
        if (follower && follower != this && follower->m_linked && !follower->LinkedIsForm()
            && !follower->m_tracking) {
            follower->m_start = follower->m_current = follower->LinkedRect();
            follower->m_offset = follower->ContainerOffset();
            if (m_followers.isEmpty())
                addBox(*this);
            addBox(*follower);
            m_followers.append(follower);
        }
    m_cursorStart = globalCursor;
    m_changed = false;
    m_tracking = true;
    if (auto *overlay = static_cast<SizerOverlay *>(m_overlay.data())) {
        overlay->Prepare();
        Place(m_current);
        ShowParts(false);
    }
}

void ucSizer::TrackTo(QPoint globalCursor)
{
    if (!m_tracking || !m_linked)
        return;
    const QPoint d = Delta(globalCursor);
    SizerModel::Rect next;
    QPoint offset;
    if (m_followers.isEmpty()) {
        next = SizerModel::MoveDrag(m_start, m_current, d.x(), d.y(), DragSettings());
    } else {
        // The group moves as one: the leader snapped as alone, held back so no item leaves
        // its container.
        offset = Arrangement::GroupMove(m_groupBoxes, m_groupAreas, 0, d.x(), d.y(), GridX(),
                                        GridY(), SnapToGrid());
        next = m_start;
        next.Left += offset.x();
        next.Top += offset.y();
    }
    if (next.Left == m_current.Left && next.Top == m_current.Top) {
        Q_EMIT MouseMove(1, 0, d.x(), d.y());
        return;
    }
    auto *overlay = static_cast<SizerOverlay *>(m_overlay.data());
    if (!m_changed) {
        m_changed = true;
        if (overlay && !m_followers.isEmpty())
            overlay->BeginSnapshot();
        Q_EMIT BeforeMove(m_linked);
    }
    m_current = next;
    Place(m_current);
    if (!m_followers.isEmpty()) {
        for (const QPointer<ucSizer> &follower : std::as_const(m_followers))
            if (follower)
                follower->Follow(offset.x(), offset.y());
        if (overlay && overlay->Snapshot())
            overlay->RepaintGroup();
    }
    const SizerModel::Settings s = DragSettings();
    Q_EMIT Moving(m_linked, m_current.Left - s.OriginX, m_current.Top - s.OriginY);
}

bool ucSizer::StopTracking()
{
    if (!m_tracking)
        return false;
    EndOverlay();
    if (!m_changed || !m_linked) {
        EndFollowers();
        return false;
    }
    m_changed = false;
    m_linked->Move(m_current.Left, m_current.Top, m_linked->Width(), m_linked->Height());
    Q_EMIT AfterMove(m_linked);
    // The followers show where their items are now, moved or not.
    EndFollowers();
    return true;
}

QList<ucSizer *> ucSizer::Followers() const
{
    QList<ucSizer *> followers;
    followers.reserve(m_followers.size());
    for (const QPointer<ucSizer> &follower : m_followers)
        if (follower)
            followers.append(follower.data());
    return followers;
}

void ucSizer::Follow(int dx, int dy)
{
    if (!m_linked)
        return;
    SizerModel::Rect next = m_start;
    next.Left += dx;
    next.Top += dy;
    if (next == m_current)
        return;
    m_current = next;
    // Its container does not move during the drag: where it lies on the canvas was read as
    // the drag began.
    PlaceAt(m_offset, m_current);
}

void ucSizer::EndFollowers()
{
    const QList<ucSizer *> followers = Followers();
    m_followers.clear();
    for (ucSizer *follower : followers)
        follower->Track();
    if (auto *overlay = static_cast<SizerOverlay *>(m_overlay.data()))
        overlay->EndSnapshot();
}

void ucSizer::NibPress(int index, QPoint globalCursor)
{
    if (!m_linked || !AllowSize || m_tracking)
        return;
    if (!AllowMove && (index == 2 || index == 4 || index == 6))
        return;
    m_cursorStart = globalCursor;
    m_start = m_current = LinkedRect();
    m_nibDrag = index;
    m_changed = false;
}

void ucSizer::NibMove(int index, QPoint globalCursor)
{
    if (m_nibDrag != index || !m_linked)
        return;
    const QPoint d = Delta(globalCursor);
    const SizerModel::Rect next =
        SizerModel::NibDrag(index, m_start, m_current, d.x(), d.y(), DragSettings());
    if (next == m_current)
        return;
    if (!m_changed) {
        m_changed = true;
        Q_EMIT BeforeResize(m_linked);
    }
    m_current = next;
    Place(m_current);
    int width = m_current.Width, height = m_current.Height;
    if (LinkedIsForm()) {
        width += clsControl::FrameWidthTwips();
        height += clsControl::CaptionHeightTwips();
    }
    Q_EMIT Sizing(m_linked, m_current.Left, m_current.Top, width, height);
}

bool ucSizer::NibRelease(int index)
{
    if (m_nibDrag != index)
        return false;
    m_nibDrag = 0;
    if (!m_changed || !m_linked)
        return false;
    m_changed = false;
    if (LinkedIsForm())
        m_linked->Move(m_linked->Left(), m_linked->Top(),
                       m_current.Width + clsControl::FrameWidthTwips(),
                       m_current.Height + clsControl::CaptionHeightTwips());
    else
        m_linked->Move(m_current.Left, m_current.Top, m_current.Width, m_current.Height);
    Q_EMIT AfterResize(m_linked);
    return true;
}

namespace {

int ButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int ShiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
           | (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

QPoint ucSizer::SizerPoint(QPoint canvasPoint) const
{
    // The top left nib stands at the sizer's own corner.
    const QPoint corner = m_nibs[6] ? m_nibs[6]->pos() : QPoint();
    const PlatformMetrics &m = PlatformMetrics::Current();
    return {(canvasPoint.x() - corner.x()) * m.TwipsPerPixelX,
            (canvasPoint.y() - corner.y()) * m.TwipsPerPixelY};
}

void ucSizer::NibMouseDown(const QMouseEvent &event, QPoint canvasPoint)
{
    const QPoint at = SizerPoint(canvasPoint);
    m_clickButton = event.button();
    Q_EMIT MouseDown(ButtonCode(event.button()), ShiftCode(event.modifiers()), at.x(), at.y());
}

void ucSizer::NibMouseUp(const QMouseEvent &event, QPoint canvasPoint, bool resized)
{
    const QPoint at = SizerPoint(canvasPoint);
    Q_EMIT MouseUp(ButtonCode(event.button()), ShiftCode(event.modifiers()), at.x(), at.y());
    // A press and release of the left button that resized nothing is a click on the sizer.
    const bool click = event.button() == Qt::LeftButton && m_clickButton == Qt::LeftButton
                       && !resized;
    m_clickButton = Qt::NoButton;
    if (click)
        Q_EMIT Click();
}

void ucSizer::NibDoubleClick()
{
    Q_EMIT DblClick();
}
