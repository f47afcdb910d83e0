#pragma once

#include "panels/LeveledEntries.h"

#include <QString>
#include <QStringList>

// The headless model of the menu, pop-up menu, tool bar and status bar editor: the bar's
// Items as a tree of entries (separators included, so nothing is lost), the repairs made
// when stored content is loaded, the ID checks with their messages, and the stored value.
//
// Fields are written only when they change, so an entry the user did not touch keeps its
// stored parts exactly. Tool bars and status bars are flat: their entries stay at level 1
// and their stored level parts are left alone.
class BarEditorModel
{
public:
    enum PartIndex {
        IdPart = 0, LevelPart, CaptionPart, IconPart, EnabledPart, VisiblePart, ShortcutPart,
        ValidationPart, ToolTipPart, WidthPart, AlignPart
    };

    // barType: 75 menu, 76 pop-up menu, 77 tool bar, 78 status bar.
    explicit BarEditorModel(int barType);

    int BarType() const { return m_type; }
    bool IsMenu() const { return m_type == 75 || m_type == 76; }

    // Loads a stored Items value, repairing it; returns the repair messages in order.
    QStringList Load(const QString &items);
    // The value to store: entries joined in the compound-content layout.
    QString Store() const { return m_entries.Join(); }
    // Empty when every entry can be stored, else the message for the first entry that
    // cannot (its index in *index).
    QString Validate(int *index = nullptr) const;

    const LeveledEntries &Entries() const { return m_entries; }
    int Count() const { return m_entries.Count(); }
    bool IsSeparator(int i) const;
    // The tree key of an entry: its upper-cased ID followed by "~".
    QString Key(int i) const;
    // The text an entry shows in the tree: its caption without access-key markers, or its ID.
    QString Label(int i) const;

    // Fields. Flags read their defaults when the stored part is empty (enabled and visible
    // on, causes validation off).
    QString Id(int i) const { return m_entries.Part(i, IdPart); }
    QString Caption(int i) const { return m_entries.Part(i, CaptionPart); }
    QString ToolTip(int i) const { return m_entries.Part(i, ToolTipPart); }
    QString Icon(int i) const { return m_entries.Part(i, IconPart); }
    int ShortcutCode(int i) const; // 0 when none
    bool Enabled(int i) const;
    bool Visible(int i) const;
    bool CausesValidation(int i) const;
    // A status bar panel's width: "0" automatic, "-1" spring, else a number of scale units.
    QString Width(int i) const;
    int Align(int i) const;
    // A separator at the same level stands right before the entry.
    bool BeginGroup(int i) const;

    void SetCaption(int i, const QString &text) { m_entries.SetPart(i, CaptionPart, text); }
    void SetToolTip(int i, const QString &text) { m_entries.SetPart(i, ToolTipPart, text); }
    void SetIcon(int i, const QString &text) { m_entries.SetPart(i, IconPart, text); }
    void SetShortcutCode(int i, int code);
    void SetEnabled(int i, bool on) { SetFlag(i, EnabledPart, on, true); }
    void SetVisible(int i, bool on) { SetFlag(i, VisiblePart, on, true); }
    void SetCausesValidation(int i, bool on) { SetFlag(i, ValidationPart, on, false); }
    void SetWidth(int i, const QString &width);
    void SetAlign(int i, int align);
    // Inserts or removes the separator before the entry; returns the entry's new index.
    int SetBeginGroup(int i, bool on);

    // The message for giving entry i the ID (empty when it may have it): an empty ID, or one
    // another entry already has. fromLabel picks the wording of an edit in the tree.
    QString CheckId(int i, const QString &id, bool fromLabel = false) const;
    // Sets the ID after CheckId passed.
    void SetId(int i, const QString &id) { m_entries.SetPart(i, IdPart, id.trimmed()); }

    // New entries have an empty ID that the user fills in. NewItem adds a sibling after i's
    // subtree (at the end when i is -1); NewSubItem adds a last child of i (menus only).
    // Both return the new entry's index.
    int NewItem(int after);
    int NewSubItem(int parent);
    void Delete(int i) { m_entries.RemoveSubtree(i); }
    int MoveUp(int i) { return m_entries.MoveUp(i); }
    int MoveDown(int i) { return m_entries.MoveDown(i); }

    // "tool", "panel" or "menu"; "toolbar" or "menu"; "Tool bar", "Status bar" or "Menu".
    QString EntryWord() const;
    QString BarWord() const;
    QString BarTitle() const;

private:
    bool Flag(int i, int part, bool byDefault) const;
    void SetFlag(int i, int part, bool on, bool byDefault);
    int FindId(const QString &id, int except) const;

    int m_type;
    LeveledEntries m_entries;
};
