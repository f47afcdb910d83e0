#pragma once

#include "model/cWrapperBase.h"

// A form bar: the menu bar (75), a pop-up menu (76), a tool bar (77) or the status bar (78).
// Items holds one entry per bar item; entries are also addressed by their item ID. The
// bars of a form take room at its edges, which moves the client origin of the form.
class cMenuWrapper final : public cWrapperBase
{
public:
    cMenuWrapper();

    void CreateItem(clsControl *owner, int type, const QString &fullId) override;
    void DeleteItem() override;
    QString GetDefaultProperty(int code) const override;

    QString Items() const { return Stored(Vocabulary::Prop::Items); }
    void SetItems(const QString &items);
    int Style() const { return StoredInt(Vocabulary::Prop::Style); }
    void SetStyle(int style);
    // The docking position (list 6014), which is the bar's Align property.
    int Position() const { return StoredInt(Vocabulary::Prop::Align); }
    void SetPosition(int position);
    void Show() { SetBarFlag(Vocabulary::Prop::Visible, true); }
    void Hide() { SetBarFlag(Vocabulary::Prop::Visible, false); }
    void enable() { SetBarFlag(Vocabulary::Prop::Enabled, true); }
    void Disable() { SetBarFlag(Vocabulary::Prop::Enabled, false); }

    // Single parts of the entry with the item ID (case-insensitive); error 380 for an
    // unknown item.
    QString ItemCaption(const QString &itemId) const { return ItemPart(itemId, 3); }
    void SetItemCaption(const QString &itemId, const QString &text) { SetItemPart(itemId, 3, text); }
    QString ItemToolTip(const QString &itemId) const { return ItemPart(itemId, 9); }
    void SetItemToolTip(const QString &itemId, const QString &text) { SetItemPart(itemId, 9, text); }
    QString ItemIcon(const QString &itemId) const { return ItemPart(itemId, 4); }
    void SetItemIcon(const QString &itemId, const QString &icon) { SetItemPart(itemId, 4, icon); }
    QString ItemAlign(const QString &itemId) const { return ItemPart(itemId, 11); }
    void SetItemAlign(const QString &itemId, const QString &align) { SetItemPart(itemId, 11, align); }
    QString ItemWidth(const QString &itemId) const { return ItemPart(itemId, 10); }
    void SetItemWidth(const QString &itemId, const QString &width) { SetItemPart(itemId, 10, width); }

    // The room the bar takes at the form's edge, in twips (0 when hidden or a pop-up).
    int Width() const;
    int Height() const;

protected:
    std::span<const DefaultRule> Defaults() const override;
    bool HasSubItems() const override { return true; }
    bool IsListValued(int code) const override { return code == Vocabulary::Prop::Items; }
    QString GetListEntry(int code, int index1, int index2, const QString &itemId) const override;
    QString SetListEntry(int code, int index1, int index2, const QString &value,
                         const QString &itemId) override;
    void ApplyList(int code, const QString &value) override;
    void Validate(int code, QString &value) const override;
    void Apply(int code, const QString &value) override;
    quint32 SupportedMethods() const override;

private:
    QString ItemPart(const QString &itemId, int part) const;
    void SetItemPart(const QString &itemId, int part, const QString &value);
    int FindEntry(const QStringList &entries, const QString &itemId) const;
    void CheckLevels(const QString &items) const;
    void SetBarFlag(int code, bool on);
    // Recomputes the insets of the design form from its visible bars.
    void UpdateInsets();
};
