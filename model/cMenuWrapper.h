#pragma once

#include "model/BarContent.h"
#include "model/cWrapperBase.h"

#include <memory>

// A form bar: the menu bar (75), a pop-up menu (76), a tool bar (77) or the status bar (78).
// Items holds one entry per bar item, kept in one BarContent; entries are also addressed by
// their item ID (Items: the entry, index 1 one of its parts; Visible and Align: the item's
// flag and alignment). The bars of a form take room at its edges, which moves the client
// origin of the form.
class cMenuWrapper final : public cWrapperBase
{
public:
    cMenuWrapper();

    void CreateItem(clsControl *owner, int type, const QString &fullId) override;
    void CreateDefaultItem(clsControl *owner, int type) override;
    void DeleteItem() override;
    QString GetDefaultProperty(int code) const override;
    void ScaleChanged() override;

    // The entries, measured in the application's current scale unit.
    const BarContent &Content() const;

    QString Items() const { return Stored(Vocabulary::Prop::Items); }
    void SetItems(const QString &items);
    int Style() const { return StoredInt(Vocabulary::Prop::Style); }
    void SetStyle(int style);
    // The docking position (list 6014), which is the bar's Align property.
    int Position() const { return StoredInt(Vocabulary::Prop::Align); }
    void SetPosition(int position);
    void Show() { SetBarFlag(Vocabulary::Prop::Visible, true); }
    void Hide() { SetBarFlag(Vocabulary::Prop::Visible, false); }
    // A bar has no Enabled property of its own to store: the flag is a design-time state.
    void enable() { SetEnabled(true); }
    void Disable() { SetEnabled(false); }
    bool Enabled() const override { return StoredBool(Vocabulary::Prop::Enabled); }
    void SetEnabled(bool enabled) override;

    // Single parts of the entry with the item ID (case-insensitive); error 380 for an
    // unknown item or a value the part does not take, and the bar stays as it was.
    QString ItemCaption(const QString &itemId) const { return Content().ItemCaption(itemId); }
    void SetItemCaption(const QString &itemId, const QString &text);
    QString ItemToolTip(const QString &itemId) const { return Content().ItemToolTip(itemId); }
    void SetItemToolTip(const QString &itemId, const QString &text);
    QString ItemIcon(const QString &itemId) const { return Content().ItemIcon(itemId); }
    void SetItemIcon(const QString &itemId, const QString &icon);
    QString ItemAlign(const QString &itemId) const { return Content().ItemAlign(itemId); }
    void SetItemAlign(const QString &itemId, const QString &align);
    QString ItemWidth(const QString &itemId) const { return Content().ItemWidth(itemId); }
    void SetItemWidth(const QString &itemId, const QString &width);

    // The room the bar takes at the form's edge, in twips (0 when hidden or a pop-up).
    int Width() const;
    int Height() const;

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool AcceptsItemId(int code) const override;
    bool IsListValued(int code) const override { return code == Vocabulary::Prop::Items; }
    QString GetListEntry(int code, int index1, int index2, const QString &itemId) const override;
    void SetListEntry(int code, int index1, int index2, const QString &value,
                      const QString &itemId) override;
    void ApplyList(int code) override;
    bool IsContentDefault(int code) const override;
    void Validate(int code, QString &value) const override;
    void Apply(int code, const QString &value) override;
    quint32 SupportedMethods() const override;

private:
    BarContent &Synced() const;
    void MakeContent();
    // Replaces part `part` (1-based) of the entry at position `entry`.
    void SetEntryPart(int entry, int part, const QString &text);
    void SetBarFlag(int code, bool on);
    // Brings this bar's share of the design form's insets up to date: the form's insets are
    // the sum of its bars' shares, so one bar's change costs the same however many bars the
    // form has. `listed`: the bar is among its holder's children (not while being created).
    void UpdateInsets(bool listed = true);

    struct Insets
    {
        int Left = 0, Top = 0, Right = 0, Bottom = 0;
        bool operator==(const Insets &) const = default;
    };
    // What this bar takes from the form's client area as it stands now.
    Insets Share() const;

    std::unique_ptr<BarContent> m_bar;
    // The share last added to the insets of m_insetForm (none while that is nullptr).
    Insets m_share;
    iFormFuncs *m_insetForm = nullptr;
};
