#pragma once

#include <QFrame>

class ListBox;

// A list box on a design form. It holds what the list shows (rows, columns, headings, widths,
// check boxes, the caption shown while it has no rows) and draws exactly what a list box of
// the toolkit set up the same way draws, without being one: that list box is made only to
// draw, when the list is painted, and only the lists painted last keep theirs.
// Nobody uses a list on a design form (the designer takes a design form's input), and a
// live one is a dozen widgets, models and timers: for a big project, most of the time and
// memory of opening it went into the lists.
class DesignListBox : public QFrame
{
    Q_OBJECT
public:
    explicit DesignListBox(QWidget *parent = nullptr);
    ~DesignListBox() override;

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

    // How many drawing lists are kept, the most recently used (128 unless told).
    static void KeepDrawers(size_t count);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Sets what the list shows; a new value makes the list set up its drawing list again.
    template <typename T>
    void Set(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        m_version = NextVersion();
        update();
    }
    static quint64 NextVersion();
    void SetUp(ListBox &drawn) const;
    static void Settle(ListBox &drawn);

    QStringList m_rows;
    QStringList m_headings;
    QList<int> m_widths;
    QString m_placeholder;
    int m_columns = 1;
    bool m_multiSelect = false;
    bool m_checkBoxes = false;
    // Counts the changes of what the list shows, for the drawing lists to tell whether they
    // are still set up for it.
    quint64 m_version = 0;
};
