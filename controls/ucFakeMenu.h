#pragma once

#include <QFrame>
#include <QIcon>
#include <QVariant>

class QLabel;
class QPushButton;

// Stands for a menu bar, tool bar or status bar on a design form: a raised band of push
// buttons, one per menu title, tool or panel, side by side from the left in the order added.
// Buttons are numbered from 1; each is as wide as its caption plus a margin unless given a
// width of its own (a status panel), and a spring button takes the room the others leave.
class ucFakeMenu : public QFrame
{
    Q_OBJECT
public:
    // Width rules of a button besides a fixed width in pixels.
    static constexpr int AutoWidth = 0;
    static constexpr int SpringWidth = -1;

    explicit ucFakeMenu(QWidget *parent = nullptr);

    // One button of a whole set given at once.
    struct BandButton
    {
        QString Caption;
        QString ID;
        bool Enabled = true;
        bool Visible = true;
        bool Gap = false;
        int Rule = AutoWidth;
        QIcon Icon;
        QString ToolTip;
    };

    // Removes every button.
    void Clear();
    // Replaces every button with these, laid out once: a bar of thousands of titles costs
    // what its titles cost, not their square.
    void SetButtons(const QList<BandButton> &buttons);
    int ButtonCount() const { return int(m_buttons.size()); }
    // Adds a button after the last one; returns its number.
    int AddButton(const QString &caption, const QString &id);
    QString ButtonCaption(int index) const;
    void SetButtonCaption(int index, const QString &caption);
    bool ButtonEnabled(int index) const;
    void SetButtonEnabled(int index, bool on);
    bool ButtonVisible(int index) const;
    void SetButtonVisible(int index, bool on);
    QString ButtonID(int index) const;
    void SetButtonID(int index, const QString &id);
    // AutoWidth, SpringWidth or pixels.
    void SetButtonWidth(int index, int rule);
    // A picture beside the caption (a tool button's icon); a null icon removes it.
    void SetButtonIcon(int index, const QIcon &icon);
    // A gap before the button (a group break).
    void SetButtonGap(int index, bool on);
    QPushButton *Button(int index) const;

    // Places the band across its parent at `top` (pixels), as high as BandHeight().
    void SetTop(int top);
    // The band's height: the caption font's line height and a margin that follows the
    // screen's resolution.
    int BandHeight() const;
    QVariant TagVariant() const { return m_tag; }
    void SetTagVariant(const QVariant &tag) { m_tag = tag; }

Q_SIGNALS:
    void ButtonClick(int index);
    void ButtonDblClk(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        QPushButton *Widget = nullptr;
        QString ID;
        bool Visible = true;
        int Rule = AutoWidth;
        bool Gap = false;
    };
    const Entry *At(int index) const;
    Entry *At(int index);
    QPushButton *NewButton(const QString &caption);
    int CaptionWidth(const QPushButton *button) const;
    void LayoutButtons();

    QList<Entry> m_buttons;
    QVariant m_tag;
    QLabel *m_measure;
};
