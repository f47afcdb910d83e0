#include "designer/frmDesign.h"

#include "app/ErrorBoundary.h"
#include "controls/PictureLoader.h"
#include "controls/TabGroup.h"
#include "controls/TabStrip.h"
#include "controls/clsFormIcon.h"
#include "designer/DesignControl.h"
#include "designer/DesignControlFactory.h"
#include "designer/iDesignFormHost.h"
#include "designer/ucSizer.h"
#include "model/cAppWrapper.h"
#include "model/cMenuWrapper.h"
#include "model/cTabgrpWrapper.h"
#include "model/clsControl.h"
#include "model/clsItems.h"
#include "model/iControlWrapper.h"
#include "model/Vocabulary.h"
#include "panels/SizerModel.h"
#include "support/ColourNames.h"
#include "support/PlatformMetrics.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QSet>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <tuple>

using namespace Vocabulary;

namespace {

// The area's property naming the form window attached to it last.
constexpr char NewestWindow[] = "corvaneNewestFormWindow";

// Kinds that report no double click of their own: the form tells one from two clicks.
// Ctrl or Shift with a click picks several items.
bool Chooses(Qt::KeyboardModifiers modifiers)
{
    return modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
}

// Kinds whose empty spots start a rubber band over their own controls (with Ctrl or Shift:
// a plain press drags the container itself).
bool HoldsControls(int type)
{
    return type == Type::Frame || type == Type::Picture || type == Type::Tab;
}

bool EmulatesDoubleClick(int type)
{
    switch (type) {
    case Type::Check:
    case Type::Command:
    case Type::Gauge:
    case Type::List:
    case Type::ListMulti:
    case Type::ListCheck: return true;
    default: return false;
    }
}

// A colour value (RGB 0x00BBGGRR or a system colour) as the colour it shows now.
QColor ColourOf(qint32 colour)
{
    const quint32 rgb = quint32(ColourToRGB(colour));
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

int PixelsX(int twips)
{
    return int(std::lround(double(twips) / qMax(1, PlatformMetrics::Current().TwipsPerPixelX)));
}

int PixelsY(int twips)
{
    return int(std::lround(double(twips) / qMax(1, PlatformMetrics::Current().TwipsPerPixelY)));
}


} // namespace

// ---- The client area ------------------------------------------------------------------

class frmDesign::CanvasWidget final : public QWidget
{
public:
    explicit CanvasWidget(frmDesign &form) : m_form(form)
    {
        setObjectName(QStringLiteral("frmDesign"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::ClickFocus);
    }
    // The background picture scaled to the client area; null for the plain colour.
    QImage Picture;
    QColor Colour;
    // Grid dots: first column and row and the steps, in pixels; no dots while a step is 0.
    QPoint FirstDot;
    QSize DotStep;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        // Only the exposed parts are drawn, each on its own: a drag or a rubber band repaints
        // a few strips, not the rectangle around them.
        QPainter painter(this);
        painter.setPen(Qt::black);
        for (const QRect &exposed : event->region())
            Paint(painter, exposed);
    }
    void Paint(QPainter &painter, const QRect &exposed) const
    {
        if (Picture.isNull())
            painter.fillRect(exposed, Colour);
        else
            painter.drawImage(exposed.topLeft(), Picture, exposed);
        if (DotStep.width() <= 0 || DotStep.height() <= 0)
            return;
        const auto firstIn = [](int first, int step, int from) {
            return from <= first ? first : first + ((from - first + step - 1) / step) * step;
        };
        for (int y = firstIn(FirstDot.y(), DotStep.height(), exposed.top()); y <= exposed.bottom();
             y += DotStep.height())
            for (int x = firstIn(FirstDot.x(), DotStep.width(), exposed.left());
                 x <= exposed.right(); x += DotStep.width())
                painter.drawPoint(x, y);
    }
    void resizeEvent(QResizeEvent *) override
    {
        m_form.RefreshBackground();
        // The sizers' overlay covers the whole client area: the marks of a selection of
        // several are drawn on it.
        if (auto *overlay = findChild<QWidget *>(QStringLiteral("SizerOverlay"),
                                                 Qt::FindDirectChildrenOnly))
            overlay->setGeometry(rect());
    }
    // However the surface comes to be shown, its controls are complete before they paint.
    void showEvent(QShowEvent *) override { m_form.ApplyHeldSettings(); }

private:
    frmDesign &m_form;
};

// The form window as the form's wrapper sees it: its outer size (the client area is that less
// the window frame), colours, picture and font.
class frmDesign::SurfaceControl final : public DesignControl
{
public:
    SurfaceControl(frmDesign &form, int type, QWidget *canvas)
        : DesignControl(type, canvas), m_form(form)
    {
    }
    void Move(int left, int top, int width, int height) override
    {
        DesignControl::Move(left, top, width, height);
        QWidget *canvas = Widget();
        if (!canvas)
            return;
        canvas->move(0, 0);
        canvas->setFixedSize(qMax(1, PixelsX(width - clsControl::FrameWidthTwips())),
                             qMax(1, PixelsY(height - clsControl::CaptionHeightTwips())));
        m_form.FitWindow();
    }
    void SetBackColor(qint32 colour) override
    {
        DesignControl::SetBackColor(colour);
        m_form.SetBackColor(colour);
    }
    // The form's window is its own (or the MDI area's): the application's surface is only
    // remembered as the container, never made the parent.
    void SetContainer(iDesignControl *container) override { m_container = container; }
    iDesignControl *Container() const override { return m_container; }
    // The design window shows whatever the form's own Visible says at run time.
    void SetVisible(bool visible) override { m_shown = visible; }
    bool IsVisible() const override { return m_shown; }
    void SetPictureName(const QString &name) override
    {
        // A picture that cannot be loaded leaves the colour, as no picture would.
        m_form.SetBackPicture(name.isEmpty() || PictureLoader::IsUrl(name)
                                  ? QImage()
                                  : PictureLoader::LoadShared(m_form.PictureFile(name)).Image);
    }

private:
    frmDesign &m_form;
    iDesignControl *m_container = nullptr;
    bool m_shown = false;
};

// ---- Life -----------------------------------------------------------------------------

frmDesign::frmDesign(clsControl &owner, int type, iDesignFormHost *host)
    : m_owner(owner), m_type(type), m_host(host)
{
    auto *canvas = new CanvasWidget(*this);
    m_canvas = canvas;
    // The strip below the client area for what has nothing to show at run time (the timer):
    // shown in the form's window while there is such an item.
    auto *taskBar = new QFrame;
    taskBar->setObjectName(QStringLiteral("TaskBar"));
    taskBar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    taskBar->setFixedHeight(TaskBarHeight);
    taskBar->hide();
    m_taskBar = taskBar;
    m_surface = std::make_unique<SurfaceControl>(*this, type, canvas);
    const PlatformMetrics &metrics = PlatformMetrics::Current();
    m_backColor = qint32(metrics.SystemColours[15]);
    SetDoubleClickInterval(metrics.DoubleClickTime);
    m_clickTimer.setSingleShot(true);
    connect(&m_clickTimer, &QTimer::timeout, this, [this] { m_clickPending = false; });
    if (m_host)
        canvas->installEventFilter(this);
    ReadGrid();
    RefreshBackground();
}

frmDesign::~frmDesign()
{
    // Repaints still asked for by the controls go out in one pass now: a widget deleted with
    // events waiting searches the whole queue for them, which for every control of a large
    // project just opened adds up to the square of its size.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    m_sizers.clear();
    m_instances.clear();
    m_menu.reset();
    m_timer.reset();
    // The window belongs to the MDI area; it may be gone already. The surface goes inside
    // it: taking it out first would walk the focus chain of the whole main window.
    if (QMdiSubWindow *window = m_subWindow.data()) {
        window->removeEventFilter(this);
        m_surface.reset();
        delete window;
    }
    m_surface.reset();
    // Without a window the strip belongs to the form alone.
    if (m_taskBar && !m_taskBar->parent())
        delete m_taskBar.data();
}

void frmDesign::SetPictureResolver(PictureResolver resolver)
{
    m_resolvePicture = std::move(resolver);
    for (auto *control : {m_menu.get(), m_timer.get()})
        if (control)
            control->SetPictureResolver(m_resolvePicture);
    for (const auto &instance : m_instances)
        instance->SetPictureResolver(m_resolvePicture);
}

QString frmDesign::PictureFile(const QString &name) const
{
    return m_resolvePicture && !PictureLoader::IsUrl(name) ? m_resolvePicture(name)
                                                           : PictureLoader::LocalPath(name);
}

QWidget *frmDesign::Canvas() const
{
    ApplyHeldSettings();
    return m_canvas;
}

void frmDesign::ApplyHeldSettings() const
{
    if (!m_holdSettings)
        return;
    m_holdSettings = false;
    ShowTitle();
    for (const auto &instance : m_instances)
        if (instance->HoldsSettings())
            instance->ApplyHeldSettings();
}

void frmDesign::AttachTo(QMdiArea *area)
{
    if (!area || m_subWindow)
        return;
    // The window shows the client area with the task-bar strip below it.
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("FormContent"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_canvas, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_taskBar);
    m_subWindow = area->addSubWindow(content, Qt::SubWindow);
    area->setProperty(NewestWindow, QVariant::fromValue<QObject *>(m_subWindow));
    m_subWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    if (!m_icon.isNull())
        m_subWindow->setWindowIcon(m_icon);
    m_subWindow->installEventFilter(this);
    // A timer made before the form had its window shows its strip now.
    ShowTaskBar();
    // The surface shows once control returns to the event loop: a load makes the form's
    // controls first, and controls made on a hidden surface are shown and laid out in one
    // pass with it instead of each on its own, which posts events that every later post
    // searches.
    // The controls made until then set their font, colours and caption once, just before it
    // shows, instead of once per setting.
    m_canvas->hide();
    m_holdSettings = true;
    // A window that becomes active makes the area deactivate every other window, each of
    // which lays out its title again: a load of many forms would do that once per form for
    // all the forms before it. The window shows without activation (a disabled window is
    // not activated); only the newest window is activated, once the load is over. The newest
    // is the one the area names, not the last of its list of windows: making that list reads
    // every window, which a large project did once per form.
    m_subWindow->setEnabled(false);
    m_subWindow->show();
    m_subWindow->setEnabled(true);
    QMetaObject::invokeMethod(
        m_subWindow,
        [form = QPointer<frmDesign>(this), window = QPointer<QMdiSubWindow>(m_subWindow),
         canvas = QPointer<QWidget>(m_canvas), area = QPointer<QMdiArea>(area)] {
            if (form)
                form->ApplyHeldSettings();
            if (window && area
                && area->property(NewestWindow).value<QObject *>() == window.data())
                area->setActiveSubWindow(window);
            if (window && canvas && window->widget() && canvas->parentWidget() == window->widget()) {
                // The window watches its content, not the client area inside it, to activate
                // itself when it shows: showing the client area hands no activation through
                // the forms of a large project. The window was activated when it was shown.
                canvas->show();
                // The window's frame around its content; asking the window for its size hint
                // would lay out (and elide) its title once more for every form.
                if (form)
                    form->FitWindow();
            }
        },
        Qt::QueuedConnection);
}

QImage frmDesign::Grab() const
{
    ApplyHeldSettings();
    return m_canvas->grab().toImage();
}

void frmDesign::SetDoubleClickInterval(int ms)
{
    m_doubleClickInterval = ms < 50 ? 200 : ms;
}

// ---- Instances ------------------------------------------------------------------------

iDesignControl *frmDesign::CreateControlInstance(int type)
{
    if (type == Type::Timer) {
        ++m_timerItems;
        if (!m_timer) {
            m_timer = CreateDesignControl(Type::Timer, m_taskBar);
            if (m_timer)
                if (QWidget *icon = m_timer->Widget())
                    icon->move(TaskBarMargin, (TaskBarHeight - icon->height()) / 2);
            if (m_timer && m_host)
                m_timer->SetInputFilter(this);
            if (m_timer && m_resolvePicture)
                m_timer->SetPictureResolver(m_resolvePicture);
        }
        ShowTaskBar();
        return m_timer.get();
    }
    const int set = InstanceSetOf(type);
    if (set == 0)
        return nullptr;
    std::unique_ptr<DesignControl> control = CreateDesignControl(type, m_canvas);
    if (!control)
        return nullptr;
    ++m_upperBound[set];
    DesignControl *instance = control.get();
    m_instances.push_back(std::move(control));
    if (m_holdSettings)
        instance->HoldSettings();
    instance->SetContainer(m_surface.get());
    if (m_resolvePicture)
        instance->SetPictureResolver(m_resolvePicture);
    if (m_host)
        instance->SetInputFilter(this);
    else
        // A form that is only drawn is drawn at once: pictures named by URLs are fetched first.
        instance->SetWaitForDownloads(true);
    // A form that is only drawn loads with no event loop running: item views leave zero-time
    // timers and posted events behind, and Qt searches all of them whenever another one is
    // started, stopped or posted, so the load would slow down with the square of the
    // controls. Let them run now and then.
    if (!m_host && m_instances.size() % 256 == 0)
        QCoreApplication::processEvents();
    return instance;
}

void frmDesign::DeleteControlInstance(int, iDesignControl *control)
{
    if (!control)
        return;
    if (control == m_timer.get()) {
        // The one timer instance stays; the strip goes with the last timer item.
        m_timerItems = qMax(0, m_timerItems - 1);
        ShowTaskBar();
        return;
    }
    // Searched from the newest: a form's controls go last made first when the form goes.
    auto it = std::find_if(m_instances.rbegin(), m_instances.rend(),
                           [control](const auto &p) { return p.get() == control; });
    if (it == m_instances.rend())
        return;
    // The order of the set means nothing (the widgets keep the z-order): the last one fills
    // the gap, so unloading a large form stays linear.
    std::swap(*it, m_instances.back());
    m_instances.pop_back();
}

void frmDesign::ShowTaskBar()
{
    const bool shown = m_timerItems > 0 && m_subWindow;
    if (!m_taskBar || m_taskBar->isVisibleTo(m_taskBar->parentWidget()) == shown)
        return;
    m_taskBar->setVisible(shown);
    FitWindow();
}

void frmDesign::FitWindow()
{
    QMdiSubWindow *window = m_subWindow.data();
    QWidget *content = window ? window->widget() : nullptr;
    if (!content || !m_canvas->parentWidget() || m_canvas->parentWidget() != content)
        return;
    QSize size = m_canvas->size();
    if (m_taskBar && !m_taskBar->isHidden())
        size.rheight() += m_taskBar->height();
    content->setFixedSize(size);
    window->resize(size.grownBy(window->contentsMargins()).expandedTo(window->minimumSize()));
}

int frmDesign::UpperBound(int type) const
{
    return m_upperBound.value(InstanceSetOf(type));
}

iDesignControl *frmDesign::Surface()
{
    return m_surface.get();
}

iDesignControl *frmDesign::MenuControl()
{
    if (!m_menu) {
        m_menu = CreateDesignControl(Type::Menu, m_canvas);
        if (m_menu && m_resolvePicture)
            m_menu->SetPictureResolver(m_resolvePicture);
    }
    return m_menu.get();
}

void frmDesign::SetTitle(const QString &title)
{
    m_title = title;
    // Every title shown lays out the window's title bar again; a form loaded out of sight
    // shows its title once, with its controls.
    if (!m_holdSettings)
        ShowTitle();
}

void frmDesign::ShowTitle() const
{
    m_canvas->setWindowTitle(m_title);
    if (m_subWindow) {
        // The window takes its content's title when that changes: both say the same.
        if (QWidget *content = m_subWindow->widget())
            content->setWindowTitle(m_title);
        m_subWindow->setWindowTitle(m_title);
    }
}

void frmDesign::SetIcon(const QString &name)
{
    clsFormIcon icon;
    if (name.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) {
        // No icon at all: an empty picture, so the window does not fall back to another one.
        QPixmap empty(clsFormIcon::SmallSize(), clsFormIcon::SmallSize());
        empty.fill(Qt::transparent);
        m_icon = QIcon(empty);
    } else {
        // A picture that cannot be loaded shows the default icon.
        if (name.isEmpty() || !icon.LoadCustomFormIcon(PictureFile(name)))
            icon.LoadFormIcon();
        m_icon = icon.Icon();
    }
    m_canvas->setWindowIcon(m_icon);
    if (m_subWindow)
        m_subWindow->setWindowIcon(m_icon);
}

// ---- Background, grid and bars ------------------------------------------------------------

void frmDesign::SetInsets(int left, int top, int right, int bottom)
{
    m_insets[0] = left;
    m_insets[1] = top;
    m_insets[2] = right;
    m_insets[3] = bottom;
}

void frmDesign::SetBackColor(qint32 colour)
{
    // Stored as 0x00BBGGRR like every colour value.
    const QColor c = ColourOf(colour);
    m_backColor = qint32(c.red() | (c.green() << 8) | (c.blue() << 16));
    if (m_backPicture.isNull())
        RefreshBackground();
}

void frmDesign::SetBackPicture(const QImage &picture)
{
    m_backPicture = picture;
    RefreshBackground();
}

void frmDesign::ReadGrid()
{
    int gridX = 0, gridY = 0;
    if (clsControl *app = m_owner.App())
        if (auto *wrapper = dynamic_cast<cAppWrapper *>(app->Wrapper()))
            std::tie(gridX, gridY) =
                SizerModel::GridSpacing(wrapper->ScaleUnit(), wrapper->ScaleX(), wrapper->ScaleY());
    SetGrid(gridX, gridY);
}

bool frmDesign::SnapToGrid() const
{
    return m_host && m_host->SnapToGrid();
}

void frmDesign::SetGrid(int gridX, int gridY)
{
    if (gridX == m_gridX && gridY == m_gridY)
        return;
    m_gridX = gridX;
    m_gridY = gridY;
    RefreshBackground();
}

void frmDesign::SetDesignAids(bool on)
{
    m_designAids = on;
    if (!on)
        for (const auto &sizer : m_sizers)
            sizer->SetActive(false);
    RefreshBackground();
}

void frmDesign::RefreshBackground()
{
    auto *canvas = static_cast<CanvasWidget *>(m_canvas);
    const QSize size = canvas->size();
    canvas->Colour = QColor(m_backColor & 0xFF, (m_backColor >> 8) & 0xFF, (m_backColor >> 16) & 0xFF);
    // A picture is scaled once per size; one too large to hold leaves the colour showing.
    canvas->Picture = QImage();
    if (!m_backPicture.isNull() && !size.isEmpty()
        && qint64(size.width()) * size.height() <= PictureLoader::MaxPixels)
        canvas->Picture = PictureLoader::ScaledTo(m_backPicture, size).convertToFormat(QImage::Format_RGB32);
    const PlatformMetrics &m = PlatformMetrics::Current();
    const int stepX = m_gridX / qMax(1, m.TwipsPerPixelX);
    const int stepY = m_gridY / qMax(1, m.TwipsPerPixelY);
    if (m_designAids && stepX > 0 && stepY > 0) {
        canvas->DotStep = QSize(stepX, stepY);
        canvas->FirstDot = QPoint(stepX + m_insets[0] / qMax(1, m.TwipsPerPixelX),
                                  stepY + m_insets[1] / qMax(1, m.TwipsPerPixelY));
    } else {
        canvas->DotStep = QSize();
    }
    canvas->update();
    LayoutBands();
    // A bar that is being made is not registered yet: its band is placed once it is.
    if (!m_layoutPending) {
        m_layoutPending = true;
        QTimer::singleShot(0, this, [this] {
            m_layoutPending = false;
            LayoutBands();
            LayoutTabPanels();
        });
    }
}

void frmDesign::LayoutBands()
{
    // Menu bar first at the top, then tool bars docked top; status bar last at the bottom.
    const int width = qMax(0, m_surface->Width() - clsControl::FrameWidthTwips());
    const int height = qMax(0, m_surface->Height() - clsControl::CaptionHeightTwips());
    int top = 0, bottom = height, left = 0, right = width;
    std::vector<std::pair<iDesignControl *, cMenuWrapper *>> bars;
    for (const auto &instance : m_instances) {
        const int kind = instance->Kind();
        if (kind != Type::Menu && kind != Type::Toolbar && kind != Type::Statusbar)
            continue;
        clsControl *item = m_owner.Items().Find(instance->Tag());
        auto *bar = item ? dynamic_cast<cMenuWrapper *>(item->Wrapper()) : nullptr;
        if (bar && bar->Visible())
            bars.emplace_back(instance.get(), bar);
    }
    std::stable_sort(bars.begin(), bars.end(), [](const auto &a, const auto &b) {
        const auto rank = [](int kind) { return kind == Type::Menu ? 0 : kind == Type::Toolbar ? 1 : 2; };
        return rank(a.first->Kind()) < rank(b.first->Kind());
    });
    for (auto &[control, bar] : bars) {
        const int kind = control->Kind();
        const int align = bar->Position();
        if (kind == Type::Menu) {
            control->Move(0, top, width, bar->Height());
            top += bar->Height();
        } else if (kind == Type::Statusbar) {
            bottom -= bar->Height();
            control->Move(0, bottom, width, bar->Height());
        } else if (align == 2) {
            bottom -= bar->Height();
            control->Move(0, bottom, width, bar->Height());
        } else if (align == 3) {
            control->Move(left, top, bar->Width(), qMax(0, bottom - top));
            left += bar->Width();
        } else if (align == 4) {
            right -= bar->Width();
            control->Move(right, top, bar->Width(), qMax(0, bottom - top));
        } else {
            control->Move(0, top, width, bar->Height());
            top += bar->Height();
        }
        control->BringToFront();
    }
}

void frmDesign::LayoutTabPanels()
{
    for (const auto &instance : m_instances) {
        if (instance->Kind() != Type::Tabgroup)
            continue;
        auto *group = qobject_cast<TabGroup *>(instance->Widget());
        clsControl *item = m_owner.Items().Find(instance->Tag());
        auto *wrapper = item ? dynamic_cast<cTabgrpWrapper *>(item->Wrapper()) : nullptr;
        if (!group || !wrapper)
            continue;
        // The page area is the group less its row of tabs.
        const QRect page = group->rect().adjusted(0, group->Bar()->sizeHint().height(), 0, 0);
        int index = 0;
        for (const auto &entry : item->Children()) {
            if (entry.Value->ObjType() != Type::Tab)
                continue;
            ++index;
            auto *panel = dynamic_cast<DesignControl *>(entry.Value->ControlObject());
            if (QWidget *widget = panel ? panel->Widget() : nullptr) {
                // Through the design control, so it reports the area its controls have: the
                // sizer keeps them inside it.
                const QRect area = page.adjusted(2, 2, -2, -2);
                const PlatformMetrics &m = PlatformMetrics::Current();
                panel->Move(area.x() * m.TwipsPerPixelX, area.y() * m.TwipsPerPixelY,
                            area.width() * m.TwipsPerPixelX, area.height() * m.TwipsPerPixelY);
                widget->setVisible(index == wrapper->SelectedTabPanel());
            }
        }
    }
}

// ---- Sizers ---------------------------------------------------------------------------

iItemSizer *frmDesign::CreateSizer()
{
    auto sizer = std::make_unique<ucSizer>(*this);
    ConnectSizer(sizer.get());
    m_sizers.push_back(std::move(sizer));
    return m_sizers.back().get();
}

void frmDesign::DeleteSizer(iItemSizer *sizer)
{
    auto it = std::find_if(m_sizers.begin(), m_sizers.end(),
                           [sizer](const auto &p) { return p.get() == sizer; });
    if (it != m_sizers.end())
        m_sizers.erase(it);
}

ucSizer *frmDesign::SizerOf(clsControl &item)
{
    const iItemSizer *wanted = item.Sizer();
    for (const auto &sizer : m_sizers)
        if (sizer.get() == wanted)
            return sizer.get();
    return nullptr;
}

ucSizer *frmDesign::TrackingSizer() const
{
    for (const auto &sizer : m_sizers)
        if (sizer->Tracking())
            return sizer.get();
    return nullptr;
}

void frmDesign::ContainerArea(const iDesignControl *container, int &originX, int &originY,
                              int &right, int &bottom) const
{
    if (!container || container == m_surface.get()) {
        originX = m_insets[0];
        originY = m_insets[1];
        right = qMax(0, m_surface->Width() - clsControl::FrameWidthTwips()) - m_insets[2];
        bottom = qMax(0, m_surface->Height() - clsControl::CaptionHeightTwips()) - m_insets[3];
        return;
    }
    originX = originY = 0;
    right = container->Width();
    bottom = container->Height();
}

void frmDesign::ConnectSizer(ucSizer *sizer)
{
    const auto begin = [this](iDesignControl *) {
        m_moved = false;
        m_sized = false;
    };
    connect(sizer, &ucSizer::BeforeMove, this, begin);
    connect(sizer, &ucSizer::BeforeResize, this, begin);
    connect(sizer, &ucSizer::Moving, this, [this](iDesignControl *, int left, int top) {
        m_moved = true;
        iDesignFormHost::Dragged dragged;
        dragged.Position = QPoint(left, top);
        if (m_host)
            m_host->ShowGeometry(m_owner, &dragged);
    });
    connect(sizer, &ucSizer::Sizing, this,
            [this](iDesignControl *ctrl, int left, int top, int width, int height) {
                m_sized = true;
                if (!m_host)
                    return;
                iDesignFormHost::Dragged dragged;
                if (ctrl != m_surface.get()) {
                    int originX = 0, originY = 0, r = 0, b = 0;
                    ContainerArea(ctrl->Container(), originX, originY, r, b);
                    dragged.Position = QPoint(left - originX, top - originY);
                }
                dragged.Size = QSize(width, height);
                m_host->ShowGeometry(m_owner, &dragged);
            });
    const auto after = [this, sizer](iDesignControl *ctrl) {
        clsControl *item = ctrl == m_surface.get() ? &m_owner : m_owner.Items().Find(ctrl->Tag());
        const bool sized = m_sized;
        m_moved = m_sized = false;
        if (!item || !m_host)
            return;
        // A drag of a nib ends here straight from the nib's own mouse handler.
        ErrorBoundary::Run(m_host->Prompter(), QStringLiteral("<frmDesign AfterMove>"), [&] {
            const QList<ucSizer *> followers = sized ? QList<ucSizer *>() : sizer->Followers();
            if (!followers.isEmpty()) {
                // A group drag: every item where its sizer went, in one undo record.
                QList<std::pair<clsControl *, QPoint>> moves;
                const auto add = [&](clsControl &moved, const iDesignControl &control,
                                     QPoint at) {
                    int originX = 0, originY = 0, r = 0, b = 0;
                    ContainerArea(control.Container(), originX, originY, r, b);
                    moves.append({&moved, at - QPoint(originX, originY)});
                };
                for (ucSizer *follower : followers) {
                    const iDesignControl *control = follower->LinkedControl();
                    clsControl *moved = control ? m_owner.Items().Find(control->Tag()) : nullptr;
                    if (moved)
                        add(*moved, *control,
                            QPoint(follower->Rectangle().Left, follower->Rectangle().Top));
                }
                add(*item, *ctrl, QPoint(ctrl->Left(), ctrl->Top()));
                m_host->MoveItems(moves);
                return;
            }
            if (ctrl == m_surface.get()) {
                m_host->MoveItem(*item, -1, -1, ctrl->Width() - clsControl::FrameWidthTwips(),
                                 ctrl->Height() - clsControl::CaptionHeightTwips(), true);
                return;
            }
            int originX = 0, originY = 0, r = 0, b = 0;
            ContainerArea(ctrl->Container(), originX, originY, r, b);
            // Stored positions of controls placed on the form count from the client origin.
            m_host->MoveItem(*item, ctrl->Left() - originX, ctrl->Top() - originY,
                             ctrl->Width(), ctrl->Height(), sized);
        });
    };
    connect(sizer, &ucSizer::AfterMove, this, after);
    connect(sizer, &ucSizer::AfterResize, this, after);
}

// ---- Mouse ----------------------------------------------------------------------------

clsControl *frmDesign::ItemOf(QObject *object) const
{
    const auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (widget == m_canvas)
        return &m_owner;
    const DesignControl *control = DesignControl::Of(widget);
    if (!control)
        return nullptr;
    if (control == m_surface.get())
        return &m_owner;
    return m_owner.Items().Find(control->Tag());
}

bool frmDesign::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Close:
        // Design forms close only through the designer's commands.
        if (watched == m_subWindow.data()) {
            event->ignore();
            return true;
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (watched == m_subWindow.data())
            return false;
        return HandleMouse(watched, static_cast<QMouseEvent *>(event));
    case QEvent::Resize:
        if (qobject_cast<TabGroup *>(watched))
            LayoutTabPanels();
        return false;
    case QEvent::FocusIn:
        if (m_host && watched != m_subWindow.data())
            m_host->FocusProjectTree();
        return false;
    case QEvent::KeyPress:
        if (watched != m_subWindow.data() && m_host) {
            const auto *key = static_cast<QKeyEvent *>(event);
            ErrorBoundary::Run(m_host->Prompter(), QStringLiteral("<frmDesign KeyDown>"),
                               [&] { HandleKey(*key); });
        }
        return watched != m_subWindow.data();
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
        // Nothing is edited or scrolled in place on the design surface.
        return watched != m_subWindow.data();
    default:
        return false;
    }
}

bool frmDesign::HandleMouse(QObject *watched, QMouseEvent *event)
{
    // Every gesture is a command of its own: an error is reported under the handler it ends
    // in and the form stays as usable as before it.
    if (!m_host)
        return true;
    const char *label = "<frmDesign MouseMove>";
    switch (event->type()) {
    case QEvent::MouseButtonPress: label = "<frmDesign MouseDown>"; break;
    case QEvent::MouseButtonDblClick: label = "<frmDesign DblClick>"; break;
    case QEvent::MouseButtonRelease: label = "<frmDesign MouseUp>"; break;
    default: break;
    }
    ErrorBoundary::Run(m_host->Prompter(), QLatin1String(label),
                       [&] { DispatchMouse(watched, event); });
    return true;
}

void frmDesign::DispatchMouse(QObject *watched, QMouseEvent *event)
{
    clsControl *item = ItemOf(watched);
    if (!item)
        return;
    const QPoint global = event->globalPosition().toPoint();
    const bool isForm = item == &m_owner;
    const int type = item->ObjType();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool choose = Chooses(modifiers);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (m_band.Pending)
            BandTo(m_canvas->mapFromGlobal(global));
        else if (ucSizer *sizer = TrackingSizer())
            sizer->TrackTo(global);
        break;
    case QEvent::MouseButtonPress:
        m_lastDown = global;
        EndBand();
        // An empty spot of the form, or of a container with Ctrl or Shift, starts a band once
        // the mouse moves; without a move the press stays a click.
        if (event->button() == Qt::LeftButton
            && ((isForm && watched == m_canvas) || (choose && HoldsControls(type))))
            BeginBand(*item, m_canvas->mapFromGlobal(global), isForm && choose);
        if (!isForm)
            ItemMouseDown(*item, event->button(), global, modifiers);
        break;
    case QEvent::MouseButtonDblClick:
        m_lastDown = global;
        if (EmulatesDoubleClick(type) || choose)
            ItemMouseDown(*item, event->button(), global, modifiers);
        else
            ItemDblClick(*item);
        break;
    case QEvent::MouseButtonRelease:
        if (event->button() == Qt::LeftButton && m_band.Pending && EndBand())
            break;
        if (EmulatesDoubleClick(type) && !choose) {
            if (m_clickPending) {
                m_clickPending = false;
                m_clickTimer.stop();
                ItemDblClick(*item);
            } else {
                m_clickPending = true;
                m_clickTimer.start(m_doubleClickInterval);
                ItemMouseUp(*item, event->button());
            }
        } else if (type == Type::Tabgroup) {
            TabMouseUp(*item, qobject_cast<QWidget *>(watched), event->button(), modifiers);
        } else {
            ItemMouseUp(*item, event->button(), modifiers);
        }
        break;
    default: break;
    }
}

void frmDesign::SelectItem(clsControl &item)
{
    // The application's scale unit may have changed since the last selection.
    ReadGrid();
    if (m_host)
        m_host->SelectItem(item);
}

void frmDesign::ItemDblClick(clsControl &item)
{
    if (ucSizer *sizer = SizerOf(item); sizer && sizer->Active())
        sizer->StopTracking();
    if (m_host)
        m_host->ShowModify(item);
}

QList<ucSizer *> frmDesign::FollowersOf(const clsControl &item)
{
    QList<ucSizer *> followers;
    if (!m_host)
        return followers;
    const QList<clsControl *> selection = m_host->Selection();
    if (selection.size() < 2)
        return followers;
    const QSet<const clsControl *> selected(selection.cbegin(), selection.cend());
    // An item inside a selected container moves with its container already.
    const auto inSelected = [&](const clsControl *c) {
        for (const clsControl *p = c->Parent(); p && p != &m_owner; p = p->Parent())
            if (selected.contains(p))
                return true;
        return false;
    };
    for (clsControl *other : selection) {
        // Only what is laid out on the form moves: not the timer, not a tab panel.
        const int type = other->ObjType();
        if (other == &item || other->Form() != &m_owner || !IsControl(type)
            || type == Type::Timer || type == Type::Tab || inSelected(other))
            continue;
        if (ucSizer *sizer = SizerOf(*other))
            followers.append(sizer);
    }
    return followers;
}

void frmDesign::ItemMouseDown(clsControl &item, Qt::MouseButton button, QPoint global,
                              Qt::KeyboardModifiers modifiers)
{
    // With Ctrl or Shift the release decides what the click does to the selection.
    if (button != Qt::LeftButton || Chooses(modifiers))
        return;
    ucSizer *sizer = SizerOf(item);
    if (!sizer)
        return;
    // A press on a control that is not selected yet selects it, so one gesture both picks a
    // control and drags it. A press on one of several selected makes it the primary, and
    // its drag moves them all.
    if (sizer->Secondary() && m_host) {
        ReadGrid();
        m_host->AddToSelection(item);
    } else if (!sizer->Active()) {
        SelectItem(item);
    }
    if (sizer->Active() && sizer->AllowMove)
        sizer->StartTracking(global, FollowersOf(item));
}

void frmDesign::ItemMouseUp(clsControl &item, Qt::MouseButton button,
                            Qt::KeyboardModifiers modifiers)
{
    if (button == Qt::LeftButton && Chooses(modifiers)) {
        // Ctrl+click toggles the item in the selection, Shift+click adds it; the designer
        // refuses what cannot be selected together.
        ReadGrid();
        if (m_host) {
            if (modifiers & Qt::ControlModifier)
                m_host->ToggleSelection(item);
            else
                m_host->AddToSelection(item);
        }
        return;
    }
    const bool several = m_host && m_host->Selection().size() > 1
                         && m_host->Selection().contains(&item);
    if (button == Qt::LeftButton) {
        ucSizer *sizer = SizerOf(item);
        if (sizer && sizer->Tracking() && !sizer->Followers().isEmpty()) {
            // A group drag keeps the selection; a click without a move picks the item alone.
            if (!sizer->StopTracking())
                SelectItem(item);
            return;
        }
    } else if (button == Qt::RightButton && several && m_host) {
        // The context menu acts on the whole selection, the item its primary.
        m_host->AddToSelection(item);
        m_host->ShowContextMenu(item);
        return;
    }
    SelectItem(item);
    if (button == Qt::LeftButton) {
        if (ucSizer *sizer = SizerOf(item))
            sizer->StopTracking();
    } else if (button == Qt::RightButton && m_host) {
        m_host->ShowContextMenu(item);
    }
}

void frmDesign::TabMouseUp(clsControl &group, QWidget *widget, Qt::MouseButton button,
                           Qt::KeyboardModifiers modifiers)
{
    // A click on a tab makes it the current one and selects its panel.
    const auto *groupControl = dynamic_cast<const DesignControl *>(group.ControlObject());
    QWidget *groupWidget = groupControl ? groupControl->Widget() : nullptr;
    QTabBar *bar = groupWidget ? groupWidget->findChild<QTabBar *>() : nullptr;
    if (!bar)
        bar = qobject_cast<QTabBar *>(widget);
    auto *wrapper = dynamic_cast<cTabgrpWrapper *>(group.Wrapper());
    if (bar && wrapper) {
        const QPoint at = bar->mapFromGlobal(m_lastDown);
        const auto *strip = qobject_cast<const TabStrip *>(bar);
        const int tab = strip ? strip->TabIndexAt(at) : bar->tabAt(at); // rows of tabs too
        if (tab >= 0) {
            if (ucSizer *sizer = SizerOf(group))
                sizer->StopTracking();
            wrapper->SetSelectedTabPanel(tab + 1);
            LayoutTabPanels();
            if (const clsControl *panel = wrapper->SelectedPanel()) {
                ItemMouseUp(*const_cast<clsControl *>(panel), button, modifiers);
                return;
            }
        }
    }
    ItemMouseUp(group, button, modifiers);
}

// ---- Several items ----------------------------------------------------------------------

QList<clsControl *> frmDesign::LaidOutControls(const clsControl &container)
{
    QList<clsControl *> controls;
    controls.reserve(container.Children().Count());
    for (const auto &entry : container.Children()) {
        clsControl *child = entry.Value;
        const int type = child->ObjType();
        if (IsControl(type) && type != Type::Timer && type != Type::Tab)
            controls.append(child);
    }
    return controls;
}

bool frmDesign::SelectAllControls()
{
    const QList<clsControl *> all = LaidOutControls(m_owner);
    if (!m_host || all.isEmpty())
        return false;
    const QList<clsControl *> selection = m_host->Selection();
    clsControl *primary = selection.isEmpty() ? nullptr : selection.back();
    ReadGrid();
    return m_host->SelectItems(all, all.contains(primary) ? primary : nullptr);
}

bool frmDesign::NudgeSelection(int dx, int dy, bool resize)
{
    if (!m_host || (dx == 0 && dy == 0))
        return false;
    QList<clsControl *> items;
    for (clsControl *item : m_host->Selection())
        if (item->Form() == &m_owner && IsControl(item->ObjType())
            && item->ObjType() != Type::Timer)
            items.append(item);
    if (items.isEmpty())
        return false;
    clsControl *primary = items.back();
    ReadGrid();
    const PlatformMetrics &m = PlatformMetrics::Current();
    const bool grid = SnapToGrid() && m_gridX > 0 && m_gridY > 0;
    const int stepX = grid ? m_gridX : qMax(1, m.TwipsPerPixelX);
    const int stepY = grid ? m_gridY : qMax(1, m.TwipsPerPixelY);
    m_host->Nudge(items, *primary, dx * stepX, dy * stepY, resize);
    return true;
}

bool frmDesign::HandleKey(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (event.key()) {
    case Qt::Key_A:
        if (shift)
            return false;
        SelectAllControls();
        return true;
    case Qt::Key_Left: NudgeSelection(-1, 0, shift); return true;
    case Qt::Key_Right: NudgeSelection(1, 0, shift); return true;
    case Qt::Key_Up: NudgeSelection(0, -1, shift); return true;
    case Qt::Key_Down: NudgeSelection(0, 1, shift); return true;
    default: return false;
    }
}

// ---- The rubber band --------------------------------------------------------------------

QRect frmDesign::RubberBand() const
{
    return m_band.Active ? m_band.Shown : QRect();
}

void frmDesign::ShowBand(const QRect &band)
{
    // Four thin bands, one an edge: a band drawn over hundreds of controls repaints only its
    // edges as it grows, never the controls inside it (one band's translucent inside would
    // repaint them all on every move).
    m_band.Shown = band;
    for (auto &edge : m_bandEdges)
        if (!edge) {
            edge = new QRubberBand(QRubberBand::Line, m_canvas);
            edge->setObjectName(QStringLiteral("SelectionBand"));
            ucSizer::KeepBelowOverlay(edge);
        }
    const int t = 1;
    const QRect edges[] = {QRect(band.left(), band.top(), band.width(), t),
                           QRect(band.left(), band.bottom() - t + 1, band.width(), t),
                           QRect(band.left(), band.top(), t, band.height()),
                           QRect(band.right() - t + 1, band.top(), t, band.height())};
    for (size_t i = 0; i < m_bandEdges.size(); ++i) {
        m_bandEdges[i]->setGeometry(edges[i]);
        if (m_bandEdges[i]->isHidden()) {
            m_bandEdges[i]->raise();
            m_bandEdges[i]->show();
        }
    }
}

QRect frmDesign::ChildAreaOnCanvas(const clsControl &container) const
{
    if (&container == &m_owner) {
        const PlatformMetrics &m = PlatformMetrics::Current();
        return m_canvas->rect().adjusted(m_insets[0] / qMax(1, m.TwipsPerPixelX),
                                         m_insets[1] / qMax(1, m.TwipsPerPixelY),
                                         -m_insets[2] / qMax(1, m.TwipsPerPixelX),
                                         -m_insets[3] / qMax(1, m.TwipsPerPixelY));
    }
    const auto *control = dynamic_cast<const DesignControl *>(container.ControlObject());
    QWidget *area = control ? control->ChildArea() : nullptr;
    if (!area)
        return {};
    return {area->mapTo(m_canvas, QPoint(0, 0)), area->size()};
}

void frmDesign::BeginBand(clsControl &container, QPoint canvasPoint, bool adds)
{
    m_band = Band();
    m_band.Pending = true;
    m_band.Adds = adds;
    m_band.Container = &container;
    m_band.Start = canvasPoint;
}

void frmDesign::BandTo(QPoint canvasPoint)
{
    if (!m_band.Active) {
        if ((canvasPoint - m_band.Start).manhattanLength() < QApplication::startDragDistance())
            return;
        m_band.Active = true;
        m_band.Area = ChildAreaOnCanvas(*m_band.Container);
        if (m_band.Adds && m_host)
            for (clsControl *item : m_host->Selection())
                if (item->Form() == &m_owner && IsControl(item->ObjType()))
                    m_band.Base.append(item);
    }
    const QRect band = QRect(m_band.Start, canvasPoint).normalized() & m_band.Area;
    ShowBand(band.isEmpty() ? QRect(m_band.Start, QSize(1, 1)) : band);
    // Every control of the container the band touches, in the container's order.
    QList<clsControl *> touched;
    clsControl *nearest = nullptr;
    int nearestDistance = 0;
    for (clsControl *item : LaidOutControls(*m_band.Container)) {
        const auto *control = dynamic_cast<const DesignControl *>(item->ControlObject());
        const QWidget *widget = control ? control->Widget() : nullptr;
        if (!widget || widget->isHidden())
            continue;
        const QRect at(widget->mapTo(m_canvas, QPoint(0, 0)), widget->size());
        if (!at.intersects(band))
            continue;
        touched.append(item);
        // The primary is the control nearest to where the band started.
        const int distance = (at.center() - m_band.Start).manhattanLength();
        if (!nearest || distance < nearestDistance) {
            nearest = item;
            nearestDistance = distance;
        }
    }
    if (m_band.Chosen && touched == m_band.Touched)
        return;
    m_band.Chosen = true;
    m_band.Touched = touched;
    QList<clsControl *> chosen = m_band.Base;
    const QSet<const clsControl *> base(chosen.cbegin(), chosen.cend());
    for (clsControl *item : std::as_const(touched))
        if (!base.contains(item))
            chosen.append(item);
    if (chosen.isEmpty()) {
        // Nothing touched: the container, as a click on it selects it.
        SelectItem(*m_band.Container);
        return;
    }
    ReadGrid();
    if (m_host)
        m_host->SelectItems(chosen, m_band.Base.isEmpty() ? nearest : m_band.Base.back());
}

bool frmDesign::EndBand()
{
    const bool active = m_band.Active;
    m_band = Band();
    for (auto &edge : m_bandEdges)
        if (edge)
            edge->hide();
    return active;
}
