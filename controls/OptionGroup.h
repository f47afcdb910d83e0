#pragma once

#include <QGroupBox>

#include <vector>

class QButtonGroup;
class QRadioButton;

// An option group: a titled box with one round button per entry, stacked, at most one of
// them on.
class OptionGroup : public QGroupBox
{
    Q_OBJECT
public:
    explicit OptionGroup(QWidget *parent = nullptr);

    // One button per row; a row's first column (before a tab) is its caption.
    void SetRows(const QStringList &rows);
    QStringList Captions() const;
    // The entry that is on: a number from 1, or a caption; anything else turns all off.
    void SetValue(const QString &value);
    // The 1-based number of the entry that is on; 0 when none is.
    int Selected() const;
    QList<QRadioButton *> Buttons() const { return m_buttons; }

protected:
    bool event(QEvent *event) override;

private:
    // Stacks the buttons from the top of the box's inside, each as tall as it asks and as
    // wide as the box; in a box too low for them all, they share its height. Placed by hand
    // rather than by a layout: a layout asks for its turn through the event queue, and a
    // project of thousands of groups built before the window shows would make Qt search that
    // queue once for every group.
    void PlaceButtons();
    // Cuts the heights down to `room` in all, as a stacked layout shares too little room.
    static void Squeeze(std::vector<int> &heights, int room);

    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
    QString m_value;
};
