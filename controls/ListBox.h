#pragma once

#include <QTreeWidget>

// A list box: rows of one or more columns (a row's columns joined by a tab), with optional
// headings, single or multiple selection and a check box on each row.
class ListBox : public QTreeWidget
{
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

    void SetRows(const QStringList &rows);
    QStringList Rows() const;
    void SetColumns(int count);
    void SetHeadings(const QStringList &headings);
    // Pixels per column; a missing or non-positive width leaves the column as it is.
    void SetColumnWidths(const QList<int> &pixels);
    void SetMultiSelect(bool on);
    void SetCheckBoxes(bool on);
    bool HasCheckBoxes() const { return m_checkBoxes; }
    // Shown greyed while the list has no rows (a new list shows its name).
    void SetPlaceholder(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void ApplyCheckBoxes();
    static void ShowCheckBox(QTreeWidgetItem *item, bool on);

    QString m_placeholder;
    int m_columns = 1;
    bool m_checkBoxes = false;
};
