#pragma once

#include "model/Vocabulary.h"
#include "model/iControlWrapper.h"

#include <QHash>
#include <span>

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
    // Whether entries can be addressed by an item ID (menus, bars, trees).
    virtual bool HasSubItems() const { return false; }
    // Normalises the value in place; error 380 for a value the property does not accept.
    virtual void Validate(int code, QString &value) const;
    // Shows a stored value on the control.
    virtual void Apply(int code, const QString &value);
    // Shows the Value: text with value marks as line breaks by default.
    virtual void ShowValue(const QString &value);
    // Bitmask (1 << method code) of the methods the kind supports.
    virtual quint32 SupportedMethods() const;
    // List-valued content (Items, grid cells, per-column settings). A kind that keeps such
    // content returns true for the code; the whole value is stored like any other and
    // index access goes through the two functions below.
    virtual bool IsListValued(int /*code*/) const { return false; }
    virtual QString GetListEntry(int code, int index1, int index2, const QString &itemId) const;
    // Returns the new whole value; error 380 for an index beyond the content.
    virtual QString SetListEntry(int code, int index1, int index2, const QString &value,
                                 const QString &itemId);
    // Shows list-valued content on the control.
    virtual void ApplyList(int /*code*/, const QString & /*value*/) {}

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
    QHash<int, QString> m_values;
    bool m_showsId = false;
    bool m_valueSet = false;
};
