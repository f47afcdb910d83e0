#pragma once

#include "controls/PictureLoader.h"

#include <QFrame>
#include <QImage>
#include <QVariant>

class QLabel;
class ucIHlp;

// The picture control: shows a picture from a file or an http/https URL in one of four
// scaling modes. A picture that cannot be loaded leaves the control empty with the reason
// written inside it.
class ucImage : public QFrame
{
    Q_OBJECT
public:
    explicit ucImage(QWidget *parent = nullptr);

    // Loads the picture of a file path or URL (downloaded in the background); an empty name
    // clears the picture.
    void SetFilename(const QString &name);
    // Whether the picture will be drawn at once (a rendered form): its download starts at
    // once like any other, and the one who draws waits for all downloads together with
    // ucIHlp::WaitForDownloads, so that many URLs cost the slowest, not their sum.
    void SetWaitForDownloads(bool on) { m_waitForDownloads = on; }
    bool WaitsForDownloads() const { return m_waitForDownloads; }
    QString Filename() const { return m_filename; }
    void SetPicture(const QImage &picture);
    QImage Picture() const { return m_picture; }
    // The picture's natural size; 0 without a picture.
    int ImageWidth() const { return m_picture.width(); }
    int ImageHeight() const { return m_picture.height(); }
    // 0 no scaling, 1 preserve aspect, 2 scale to fit, 3 auto resize; error 380 otherwise.
    void SetImageScale(int mode);
    int ImageScale() const { return int(m_scale); }
    // 0 flat, 1 3-D; error 380 otherwise.
    void SetAppearance(int appearance);
    int Appearance() const { return m_appearance; }
    // 0 none, 1 single; error 380 otherwise.
    void SetBorderStyle(int style);
    int BorderStyle() const { return m_borderStyle; }
    QVariant TagVariant() const { return m_tag; }
    void SetTagVariant(const QVariant &tag) { m_tag = tag; }
    // Why the last name gave no picture; empty when it did (or while it downloads).
    QString LoadError() const { return m_error; }
    // Whether the picture is missing for lack of memory rather than for its file.
    bool LackOfMemory() const { return m_lackOfMemory; }
    // The inner element that shows the picture.
    QLabel *ImageElement() const { return m_image; }

Q_SIGNALS:
    void PictureChanged();
    void LoadFailed(const QString &message);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void ShowError(const QString &message, bool lackOfMemory = false);
    void ApplyFrame();
    void Layout();

    QString m_filename;
    QImage m_picture; // shared with every control showing the same file
    QString m_error;
    bool m_lackOfMemory = false;
    PictureLoader::Scale m_scale = PictureLoader::Scale::None;
    int m_appearance = 1;
    int m_borderStyle = 1;
    QVariant m_tag;
    QLabel *m_image;
    ucIHlp *m_downloader = nullptr; // shared, not owned
    bool m_waitForDownloads = false;
};
