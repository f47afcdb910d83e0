#pragma once

#include "designer/DrawnFrame.h"

#include <QStringList>

class ListBox;

// A list box on a design form. It holds what the list shows (rows, columns, headings, widths,
// check boxes, the caption shown while it has no rows) and draws as a list box of the toolkit
// set up the same way.
class DesignListBox : public DrawnFrame
{
    Q_OBJECT
public:
    explicit DesignListBox(QWidget *parent = nullptr);

    void SetRows(const QStringList &rows);
    const QStringList &Rows() const { return m_rows; }
    void SetColumns(int count);
    void SetHeadings(const QStringList &headings);
    // Pixels per column; a missing or non-positive width leaves the column as it is.
    void SetColumnWidths(const QList<int> &pixels);
    void SetMultiSelect(bool on);
    bool MultiSelect() const { return m_multiSelect; }
    void SetCheckBoxes(bool on);
    bool HasCheckBoxes() const { return m_checkBoxes; }
    // Shown greyed while the list has no rows (a new list shows its name).
    void SetPlaceholder(const QString &text);

    // The list box that draws this one, set up as this one is now: good until the next list
    // is drawn.
    ListBox &Drawn() const;

protected:
    std::unique_ptr<QAbstractScrollArea> MakeDrawer() const override;
    void SetUp(QAbstractScrollArea &drawer) const override;

private:
    QStringList m_rows;
    QStringList m_headings;
    QList<int> m_widths;
    QString m_placeholder;
    int m_columns = 1;
    bool m_multiSelect = false;
    bool m_checkBoxes = false;
};
