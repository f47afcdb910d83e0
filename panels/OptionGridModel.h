#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The headless model of the option group's option grid: one row per option with the
// columns "Item" (its number), "Caption", "Enabled", "Default" and "Help hint text".
// An option is one entry of Items whose parts are caption, enabled flag and hint; the
// default option is the group's Value (the option's number). The group's Columns, Rows and
// arrangement are fields of the sheet's Options page, not of the grid.
class OptionGridModel
{
public:
    enum PartIndex { CaptionPart = 0, EnabledPart, HintPart };

    void Load(const QString &items, const QString &value);

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

    // New options are captioned "Option" + their position. Each returns the new index.
    int Add() { return Insert(Count()); }
    int Insert(int before);
    void Delete(int i);

    QString StoreItems() const;
    QString StoreValue() const { return m_value; }

private:
    void SetPart(int i, int part, const QString &text);

    std::vector<QStringList> m_options;
    QString m_value;
};
