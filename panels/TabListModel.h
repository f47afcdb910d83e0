#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// The headless model of the tab list editor: the tabs of a tab group in strip order, each
// standing for one tab-panel item of the group. A tab loaded from the project remembers its
// stored ID and fields, so applying tells renamed, added, removed and reordered panels and
// changed fields apart, and an untouched tab is not written at all.
class TabListModel
{
public:
    struct Tab {
        QString StoredId;        // the panel's short ID when loaded; empty for a new tab
        QString Id;
        QString Caption;
        QString Icon;
        QString Hint;
        bool Enabled = true;
        bool Visible = true;
        bool HoldsControls = false; // the stored panel has controls on it
    };

    // What applying the list means for the panels.
    struct Plan {
        std::vector<QString> Removed;               // stored IDs of panels to delete
        std::vector<std::pair<QString, QString>> Renamed; // stored ID, new ID
        std::vector<int> Added;                      // indexes of new tabs
        std::vector<int> Changed;                    // indexes of kept tabs with changed fields
        bool Reordered = false;                      // kept tabs are in another order
    };

    // Whether an item outside the group already has an ID on the form (in any case).
    using Taken = std::function<bool(const QString &)>;
    // New tab IDs and the checks of typed ones avoid what it names; none: only the group's
    // own tabs count.
    void SetTakenElsewhere(Taken taken) { m_taken = std::move(taken); }

    void Load(std::vector<Tab> tabs);
    const std::vector<Tab> &Tabs() const { return m_tabs; }
    int Count() const { return int(m_tabs.size()); }
    const Tab &At(int i) const { return m_tabs[size_t(i)]; }

    // "Tab 2 of 5" (for tab i, 0-based).
    QString Position(int i) const;

    void SetCaption(int i, const QString &text);
    void SetIcon(int i, const QString &text);
    void SetHint(int i, const QString &text);
    void SetEnabled(int i, bool on) { m_tabs[size_t(i)].Enabled = on; }
    void SetVisible(int i, bool on) { m_tabs[size_t(i)].Visible = on; }

    // The message for giving tab i the ID, empty when it may have it. takenElsewhere (by
    // default the one set above) tells whether an item outside the group has that ID.
    QString CheckId(int i, const QString &id, const Taken &takenElsewhere = {}) const;
    void SetId(int i, const QString &id);

    // New tabs are captioned "Tab" and get the first free ID of "Tab1", "Tab2", ... that no
    // tab of the list and no other item of the form has.
    int Insert(int before);
    int Add() { return Insert(Count()); }
    // Grows the list to count tabs, captioning each new one "Tab" + its number.
    void SetCount(int count);
    // The question to ask before deleting tab i; empty when its panel holds no controls.
    QString DeleteQuestion(int i) const;
    void Delete(int i);
    int MoveUp(int i);
    int MoveDown(int i);

    // Empty when the list can be applied, else the first problem (its tab in *index).
    QString Validate(const Taken &takenElsewhere = {}, int *index = nullptr) const;
    Plan MakePlan() const;
    // The stored tab with that ID as loaded, or nullptr.
    const Tab *Stored(const QString &storedId) const;

private:
    QString FreshId() const;
    QString CheckIdAgainst(int i, const QString &id, const Taken &taken) const;

    std::vector<Tab> m_tabs;
    std::vector<Tab> m_stored;
    Taken m_taken;
};
