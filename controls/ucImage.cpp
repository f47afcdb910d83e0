#include "controls/ucImage.h"

#include "controls/ucIHlp.h"
#include "support/GuiError.h"

#include <QLabel>
#include <QPainter>

#include <functional>

namespace {
// The inner element draws its part of the shared picture itself: turned into a pixmap of its
// own, a picture would be copied once per control that shows it. A scaled picture is made
// when it is first drawn, at the size the control has by then, and shared by every control
// of that size.
class PictureElement : public QLabel
{
public:
    using QLabel::QLabel;
    void Show(const QImage &picture, QSize size, QPoint origin)
    {
        m_picture = picture;
        m_size = size;
        m_origin = origin;
        if (m_scaled.size() != size)
            m_scaled = QImage();
        update();
    }
    std::function<void()> OnNoMemory;

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_picture.isNull())
            return;
        if (m_size != m_picture.size() && m_scaled.isNull()) {
            m_scaled = PictureLoader::ScaledShared(m_picture, m_size);
            if (m_scaled.isNull()) {
                m_picture = QImage();
                if (OnNoMemory)
                    QMetaObject::invokeMethod(this, OnNoMemory, Qt::QueuedConnection);
                return;
            }
        }
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), m_size == m_picture.size() ? m_picture : m_scaled,
                          QRect(m_origin, size()));
    }

private:
    QImage m_picture;
    QImage m_scaled;
    QSize m_size;
    QPoint m_origin;
};
} // namespace

ucImage::ucImage(QWidget *parent) : QFrame(parent), m_image(new PictureElement(this))
{
    static_cast<PictureElement *>(m_image)->OnNoMemory = [this] {
        // No memory for the scaled copy: the control says so instead of showing nothing.
        m_picture = QImage();
        m_image->hide();
        ShowError(PictureLoader::NoMemory(m_filename).Error, true);
    };
    // The picture is part of the control: its mouse events are the control's.
    m_image->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_image->hide();
    ApplyFrame();
}

void ucImage::SetFilename(const QString &name)
{
    m_filename = name;
    if (!m_error.isEmpty() && toolTip() == m_error)
        setToolTip(QString());
    m_error.clear();
    m_lackOfMemory = false;
    if (name.trimmed().isEmpty()) {
        SetPicture({});
        return;
    }
    if (PictureLoader::IsUrl(name)) {
        const QString url = name.trimmed();
        if (const QImage cached = ucIHlp::CheckDownloadCache(url); !cached.isNull()) {
            SetPicture(cached);
            return;
        }
        SetPicture({});
        // Downloads run side by side, also for a form drawn at once: whoever draws it waits
        // for them all together (ucIHlp::WaitForDownloads).
        if (!m_downloader) {
            m_downloader = ucIHlp::Shared();
            connect(m_downloader, &ucIHlp::Downloaded, this, [this](const QString &u, const QImage &image) {
                if (u == m_filename.trimmed())
                    SetPicture(image);
            });
            connect(m_downloader, &ucIHlp::Failed, this, [this](const QString &u, const QString &message) {
                if (u == m_filename.trimmed())
                    ShowError(message);
            });
        }
        m_downloader->DownloadImage(url);
        return;
    }
    const PictureLoader::Result result = PictureLoader::LoadShared(PictureLoader::LocalPath(name));
    SetPicture(result.Image);
    if (!result.Ok())
        ShowError(result.Error, result.OutOfMemory);
}

void ucImage::SetPicture(const QImage &picture)
{
    m_picture = picture;
    if (!picture.isNull() && !m_error.isEmpty()) {
        if (toolTip() == m_error)
            setToolTip(QString());
        m_error.clear();
        m_lackOfMemory = false;
    }
    if (m_scale == PictureLoader::Scale::AutoResize && !picture.isNull())
        resize(picture.size() + QSize(frameWidth() * 2, frameWidth() * 2));
    Layout();
    update();
    Q_EMIT PictureChanged();
}

void ucImage::ShowError(const QString &message, bool lackOfMemory)
{
    m_error = message;
    m_lackOfMemory = lackOfMemory;
    setToolTip(message);
    update();
    Q_EMIT LoadFailed(message);
}

void ucImage::SetImageScale(int mode)
{
    if (mode < 0 || mode > 3)
        throw GuiError(GuiErrors::InvalidPropertyValue);
    m_scale = PictureLoader::Scale(mode);
    if (m_scale == PictureLoader::Scale::AutoResize && !m_picture.isNull())
        resize(m_picture.size() + QSize(frameWidth() * 2, frameWidth() * 2));
    Layout();
}

void ucImage::SetAppearance(int appearance)
{
    if (appearance < 0 || appearance > 1)
        throw GuiError(GuiErrors::InvalidPropertyValue);
    m_appearance = appearance;
    ApplyFrame();
}

void ucImage::SetBorderStyle(int style)
{
    if (style < 0 || style > 1)
        throw GuiError(GuiErrors::InvalidPropertyValue);
    m_borderStyle = style;
    ApplyFrame();
}

void ucImage::ApplyFrame()
{
    if (m_borderStyle == 0)
        setFrameStyle(QFrame::NoFrame);
    else
        setFrameStyle(m_appearance == 1 ? QFrame::Panel | QFrame::Sunken
                                        : QFrame::Box | QFrame::Plain);
    Layout();
}

void ucImage::Layout()
{
    auto *element = static_cast<PictureElement *>(m_image);
    const QRect inner = contentsRect();
    QRect place = PictureLoader::Placement(m_picture.size(), inner.size(), m_scale);
    place.translate(inner.topLeft());
    // Pictures larger than the control are clipped by the control, not scaled.
    const QRect visible = place & inner;
    if (m_picture.isNull() || visible.isEmpty()) {
        m_image->hide();
        element->Show({}, {}, {});
        return;
    }
    m_image->setGeometry(visible);
    element->Show(m_picture, place.size(), visible.topLeft() - place.topLeft());
    m_image->show();
}

void ucImage::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    Layout();
}

void ucImage::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_error.isEmpty() || !m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    QFont small = font();
    small.setPointSizeF(qMax(6.0, small.pointSizeF() * 0.85));
    painter.setFont(small);
    painter.drawText(contentsRect().adjusted(3, 3, -3, -3),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_error);
}
