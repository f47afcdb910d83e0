#pragma once

#include <QGroupBox>

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

private:
    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
    QString m_value;
};
