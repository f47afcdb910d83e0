#pragma once

#include <QVariant>
#include <QWidget>

class QLabel;

// Stands for an embedded browser on a design form: a framed box with a browser icon and a
// title (the URL, or "Web browser" while there is none).
class ucFakeBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit ucFakeBrowser(QWidget *parent = nullptr);

    // -1 (as the container), 0 flat, 1 3-D; anything else raises error 380 and keeps the
    // old value.
    int Appearance() const { return m_appearance; }
    void SetAppearance(int appearance);
    // 0 none, 1 single line; anything else raises error 380 and keeps the old value.
    int BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(int style);
    QString URL() const { return m_url; }
    void SetURL(const QString &url);
    QString HTML() const { return m_html; }
    void SetHTML(const QString &html);
    QVariant TagVariant() const { return m_tag; }
    void SetTagVariant(const QVariant &tag) { m_tag = tag; }
    // The whole title; the box shows it cut to its width.
    QString Title() const;

Q_SIGNALS:
    void PropertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString FullTitle() const;
    void UpdateTitle();

    int m_appearance = 1;
    int m_borderStyle = 1;
    QString m_url;
    QString m_html;
    QVariant m_tag;
    QLabel *m_icon;
    QLabel *m_title;
};
