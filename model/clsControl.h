#pragma once

#include "model/KeyedList.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class clsItems;
class iControlWrapper;
class iDesignControl;
class iFormFuncs;
class iItemSizer;

// One design item: a GUI object of a project (the invisible root, an application, a form, a
// control or a form bar). It owns the object's identity, its place in the tree, its position
// and size and the set of properties that differ from their defaults; everything that
// depends on the object's kind is delegated to its wrapper.
//
// Registered items are owned by their registry (clsItems) and made by clsItems::CreateItem;
// DeleteItem removes an item with its descendants and destroys it. Items made by
// clsItems::CreateDefaultItem are detached and owned by the caller.
class clsControl
{
public:
    using ChildList = KeyedList<clsControl *>;

    explicit clsControl(clsItems &items);
    ~clsControl();
    clsControl(const clsControl &) = delete;
    clsControl &operator=(const clsControl &) = delete;

    // ---- Identity and tree --------------------------------------------------------
    const QString &ID() const { return m_id; }
    const QString &FullID() const { return m_fullId; }
    int ObjType() const { return m_objType; }
    clsControl *App() const { return m_app; }
    clsControl *Form() const { return m_form; }
    clsControl *Parent() const { return m_parent; }
    // Children in child order, keyed by the upper-cased ID.
    const ChildList &Children() const { return m_children; }
    clsControl *Child(const QString &id) const;
    // Codes whose current value differs from the default, in the order they became so.
    const QList<int> &NonDefault() const { return m_nonDefault; }
    bool IsNonDefault(int code) const { return m_nonDefault.contains(code); }
    // Records whether a code differs from its default (for changes made by the wrapper).
    void MarkNonDefault(int code, bool nonDefault);
    int TwipWidth() const { return m_twipWidth; }
    int TwipHeight() const { return m_twipHeight; }
    int TwipLeft() const { return m_twipLeft; }
    int TwipTop() const { return m_twipTop; }
    bool AutoLeft() const { return m_autoLeft; }
    bool AutoTop() const { return m_autoTop; }
    iControlWrapper *Wrapper() const { return m_wrapper.get(); }
    const QString &Extension() const { return m_extension; }
    void SetExtension(const QString &extension) { m_extension = extension; }
    clsItems &Items() const { return *m_items; }
    // Whether the registry holds this item (under its full ID); a default item never is.
    bool Registered() const { return m_registered; }

    // ---- Forwarded to the wrapper -------------------------------------------------
    iDesignControl *ControlObject() const;
    qint32 DataType() const;
    bool Required() const;
    qint32 EventMask() const;
    void SetEventMask(qint32 mask);
    QString HelpID() const;
    bool HasValue() const;

    void SetProperty(int code, int index1, int index2, QString &value, QString &itemId);
    // The common case: whole value, no item ID.
    void SetProperty(int code, const QString &value);
    // The same for a value that is the object's own even when it equals what it would take
    // from its form or container now (a saved text names it; Undo puts it back): it stays
    // when the form's value changes later.
    void SetOwnProperty(int code, const QString &value);
    QString GetProperty(int code, int index1 = 0, int index2 = 0,
                        const QString &itemId = {}) const;
    QString GetDefaultProperty(int code) const;
    QString InvokeMethod(int method, const QString &arg1 = {}, const QString &arg2 = {},
                         const QString &arg3 = {});

    // Removes the item, its descendants and their controls, and destroys it: the item must
    // not be used afterwards. A detached item is only emptied (its owner destroys it).
    void DeleteItem();
    void Reset();

    // Each argument in the application's scale unit; empty leaves it; "auto" (any case)
    // for left or top. Error 380 for a value that is not a number or a negative size.
    void Move(const QString &left, const QString &top, const QString &width,
              const QString &height);
    // The same in twips, as the design surface reports a drag: no formatting into the
    // application's unit and back. nullopt leaves a coordinate; a given left or top is no
    // longer "auto". Error 380 for a negative size.
    void MoveTwips(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                   std::optional<int> height);
    // In the application's scale unit rounded to 2 decimals; Left/Top give -100000000 for
    // an "auto" position.
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    // Moves the control by (dx, dy) twips from where it is now; the stored position stays.
    void Shift(int dx, int dy);
    // Reports the user's resize of the control on the design form to the wrapper.
    void Resized();

    bool Changed() const { return false; }
    void SetChanged(bool changed) { m_changedFlag = changed; }
    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // Full IDs of the children with lowest <= type <= highest (all when lowest is -1),
    // joined by the value mark.
    QString GetChildList(int lowest, int highest) const;
    bool RepositionItem(const QString &targetId, bool after);
    // True when the item carries the new ID afterwards; false when another item has it.
    bool RenameItem(const QString &newId);
    // Changes the object type, in place when the wrapper can, else by re-creating the
    // wrapper and copying the non-default properties. Returns true when the type changed.
    bool ChangeType(int newType);

    // The item's selection sizer, made on first use; none for the root, timers and bars.
    iItemSizer *Sizer();
    // The sizer when one has been made; never makes one.
    iItemSizer *ExistingSizer() const { return m_sizer; }

    // Gives the item's control font to every descendant that has no font of its own.
    void ApplyFont();
    // Resets the code in every descendant that holds it in NonDefault.
    void ResetInDescendants(int code);
    // Brings every descendant's control to the front in child order, restoring the
    // visual order after a reordering.
    void RestoreZOrder();

    // The design form the item's controls live on: the form's own for a form or control,
    // the application's surface for the application and its bars; nullptr otherwise.
    iFormFuncs *DesignForm() const;
    // Twips per unit of the application's scale (characters without an application).
    double ScaleX() const;
    double ScaleY() const;
    // The two state flags Reset clears.
    bool ChangedFlag() const { return m_changedFlag; }
    bool MovedFlag() const { return m_movedFlag; }

    // The wrapper class serving a type; error 5003 for a type outside the type table.
    static std::unique_ptr<iControlWrapper> CreateWrapper(int type);
    // The window frame that forms and the application show around their client size.
    static int FrameWidthTwips();
    static int CaptionHeightTwips();

private:
    friend class clsItems;

    // Validates, sets identity and builds the wrapper and control; registers nothing.
    void Create(int type, const QString &fullId, const QString &parentId);
    void CreateDefault(int type, clsControl *parent);
    void DeleteTree();
    void ApplyMove(bool positionOnly);
    void ReleaseSizer();
    void ReKeyDescendants();
    void ApplyFontTo(const struct DesignFont &font);

    clsItems *m_items;
    QString m_id;
    QString m_fullId;
    // What a walk over many items reads first, side by side.
    int m_objType = -1;
    bool m_registered = false;
    clsControl *m_app = nullptr;
    std::unique_ptr<iControlWrapper> m_wrapper;
    clsControl *m_form = nullptr;
    clsControl *m_parent = nullptr;
    ChildList m_children;
    QList<int> m_nonDefault;
    int m_twipWidth = 0;
    int m_twipHeight = 0;
    QString m_extension;
    iItemSizer *m_sizer = nullptr;
    iFormFuncs *m_sizerForm = nullptr;
    bool m_changedFlag = false;
    bool m_movedFlag = false;
    int m_twipLeft = 0;
    int m_twipTop = 0;
    bool m_autoLeft = false;
    bool m_autoTop = false;
};
