#pragma once

#include "model/Vocabulary.h"
#include "model/iControlWrapper.h"

#include <QHash>
#include <span>
#include <utility>
#include <vector>

class iFormFuncs;
struct DesignFont;

// What every wrapper shares: the common state (type, owner, control, full ID, the stored
// property values), the property algorithm (reset to default on an empty value, validation,
// storing, showing on the control) and the life of the control. A kind adds a table of
// defaults and overrides the few hooks where it differs.
class cWrapperBase : public iControlWrapper
{
public:
    // Where a default value comes from.
    enum class DefaultFrom {
        Fixed,           // the text given
        Form,            // the owning form's current value of the same code
        FormBackColor,   // the owning form's BackColor
        ParentBackColor, // the parent container's BackColor
    };
    struct DefaultRule
    {
        int code;
        DefaultFrom from;
        const char *text = "";
    };

    iDesignControl *ControlObject() const override { return m_control; }
    qintptr hWnd() const override;
    clsControl *Owner() const override { return m_owner; }
    qint32 EventMask() const override;
    void SetEventMask(qint32 mask) override;
    qint32 DataType() const override;
    bool Required() const override;
    QString HelpID() const override;
    bool HasValue() const override;
    void CreateItem(clsControl *owner, int type, const QString &fullId) override;
    void CreateDefaultItem(clsControl *owner, int type) override;
    bool ChangeControlType(int newType) override;
    void DeleteItem() override;
    bool SetProperty(int code, int index1, int index2, QString &value, QString &itemId) override;
    QString GetProperty(int code, int index1, int index2, const QString &itemId) const override;
    QString GetDefaultProperty(int code) const override;
    bool KeepOwn(int code, const QString &value) override;
    QString InvokeMethod(int method, const QString &arg1, const QString &arg2,
                         const QString &arg3) override;
    void Reset() override;
    void Move(int x, int y, int width, int height, bool positionOnly) override;
    void UpdateImage() override {}
    QPoint GetPos() const override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    bool Visible() const override;
    void SetVisible(bool visible) override;
    void BringToFront() override;
    void Rename(QString &newFullId) override;
    void Resized() override {}
    void FullIDChanged(const QString &newFullId) override;

    Vocabulary::WrapperKind Kind() const { return m_kind; }
    int Type() const { return m_type; }
    const QString &StoredFullID() const { return m_fullId; }
    bool Supports(int code) const;
    // Shows the current fore and back colours again (after an inherited colour changed).
    void RefreshColours() { ApplyColours(); }
    // The application's scale unit changed: content measured in that unit is shown again.
    virtual void ScaleChanged() {}
    // Tells every wrapper below the item (the item included) that the scale changed.
    static void NotifyScaleChanged(clsControl &item);

protected:
    explicit cWrapperBase(Vocabulary::WrapperKind kind);

    // ---- Hooks -------------------------------------------------------------------
    virtual std::span<const DefaultRule> Defaults() const = 0;
    // Makes the control; the default asks the design form for an instance of the type.
    virtual iDesignControl *ObtainControl();
    virtual void ReleaseControl();
    // Settings of a type variant (multi-line, password, multi-select, edit mode...).
    virtual void ApplyVariant(int /*type*/) {}
    // Whether ChangeControlType may switch among the kind's types in place.
    virtual bool ChangesInPlace() const { return false; }
    // Whether the new control shows its control ID as text until a value or caption is set.
    virtual bool ShowsIdAsText() const { return false; }
    // Whether the code can address an entry by item ID (node paths of trees, item IDs of
    // bars); every other combination raises 5029.
    virtual bool AcceptsItemId(int /*code*/) const { return false; }
    // Normalises the value in place; error 380 for a value the property does not accept.
    virtual void Validate(int code, QString &value) const;
    // Shows a stored value on the control.
    virtual void Apply(int code, const QString &value);
    // Shows the Value: text with value marks as line breaks by default.
    virtual void ShowValue(const QString &value);
    // Bitmask (1 << method code) of the methods the kind supports.
    virtual quint32 SupportedMethods() const;
    // Compound content (Items, grid cells, per-column settings and the counts they depend
    // on). A kind that holds a code in its content object returns true here; that object is
    // the only place the value lives. Whole values and entries both go through the two
    // functions below, which raise (380, 5014) before anything changes. A code given with an
    // item ID reaches SetListEntry/GetListEntry too, even when its whole value is scalar.
    virtual bool IsListValued(int /*code*/) const { return false; }
    // The whole value when no index and no item ID is given.
    virtual QString GetListEntry(int code, int index1, int index2, const QString &itemId) const;
    virtual void SetListEntry(int code, int index1, int index2, const QString &value,
                              const QString &itemId);
    // Shows the content behind a code on the control after it changed.
    virtual void ApplyList(int /*code*/) {}
    // The whole value that stands for "nothing set": what an empty value resets to.
    virtual QString ContentDefault(int code) const;
    // Whether the content behind a code is at its default (kinds answer without building
    // the whole value where they can).
    virtual bool IsContentDefault(int code) const;

    // ---- Helpers for the kinds ---------------------------------------------------
    // The stored value, or the default when none is stored.
    QString Stored(int code) const;
    bool StoredBool(int code) const;
    int StoredInt(int code) const;
    // Stores the value (dropping it when it equals the default) without showing it.
    void Store(int code, const QString &value);
    clsControl *FormItem() const;
    iFormFuncs *DesignFormFuncs() const { return m_formFuncs; }
    DesignFont CurrentFont() const;
    void ApplyFont();
    void ApplyColours();
    void RequireControl() const;
    // The application's horizontal twips per scale unit (characters without an owner).
    double ScaleFactorX() const;
    // After a change made outside SetProperty (a method, an item member): the content is
    // shown again and the owner's record of non-default codes follows.
    void ContentChanged(int code);
    // A default from the form kind for items that have no form.
    static QString FormFixedDefault(int code);
    // Standard validation pieces.
    static int ParseInt(const QString &value, int low, int high);
    static QString NormaliseBool(const QString &value);

    Vocabulary::WrapperKind m_kind;
    int m_type = -1;
    clsControl *m_owner = nullptr;
    iDesignControl *m_control = nullptr;
    iFormFuncs *m_formFuncs = nullptr;
    QString m_fullId;
    // The stored values by code. An object stores a handful at most, so a short list
    // serves better than a hash table, which each of thousands of items would set up.
    std::vector<std::pair<int, QString>> m_values;
    bool m_showsId = false;
    bool m_valueSet = false;

private:
    // The stored value of a code; nullptr when none is stored.
    const QString *FindStored(int code) const;
    void StoreValue(int code, const QString &value);
};
