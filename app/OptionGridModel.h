#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The headless model of the option group's option grid: one row per option with the
// columns "Item" (its number), "Caption", "Enabled", "Default" and "Help hint text".
// An option is one entry of Items whose parts are caption, enabled flag and hint; the
// default option is the group's Value (the option's number). Columns and Rows are a number
// or "auto" (stored empty).
class OptionGridModel
{
public:
    enum PartIndex { CaptionPart = 0, EnabledPart, HintPart };

    void Load(const QString &items, const QString &value, const QString &columns,
              const QString &rows);

    int Count() const { return int(m_options.size()); }
    QString Caption(int i) const { return m_options[size_t(i)].value(CaptionPart); }
    bool Enabled(int i) const;
    QString Hint(int i) const { return m_options[size_t(i)].value(HintPart); }
    // The default option's index, -1 when none.
    int DefaultOption() const;

    void SetCaption(int i, const QString &text) { SetPart(i, CaptionPart, text); }
    void SetEnabled(int i, bool on);
    void SetHint(int i, const QString &text) { SetPart(i, HintPart, text); }
    void SetDefaultOption(int i);

    // "auto" or the stored number.
    QString Columns() const { return Shown(m_columns); }
    QString Rows() const { return Shown(m_rows); }
    // "auto", empty or a whole number from 0; false (nothing changes) for anything else.
    bool SetColumns(const QString &text) { return SetLayout(m_columns, text); }
    bool SetRows(const QString &text) { return SetLayout(m_rows, text); }

    // New options are captioned "Option" + their position. Each returns the new index.
    int Add() { return Insert(Count()); }
    int Insert(int before);
    void Delete(int i);

    QString StoreItems() const;
    QString StoreValue() const { return m_value; }
    QString StoreColumns() const { return m_columns; }
    QString StoreRows() const { return m_rows; }

private:
    void SetPart(int i, int part, const QString &text);
    static QString Shown(const QString &stored);
    static bool SetLayout(QString &stored, const QString &text);

    std::vector<QStringList> m_options;
    QString m_value;
    QString m_columns;
    QString m_rows;
};
