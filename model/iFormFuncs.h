#pragma once

#include <QString>
#include <memory>

class iControlWrapper;
class iDesignControl;
class clsControl;

// The selection sizer of one item on its design form, as the item drives it.
class iItemSizer
{
public:
    virtual ~iItemSizer() = default;
    virtual void Attach(iDesignControl *control) = 0;
    virtual void Detach() = 0;
    // The control's rectangle changed.
    virtual void Refresh() = 0;
    // Shown over its control with its nibs (the item is the selection), or hidden.
    virtual void SetActive(bool active) = 0;
    virtual bool IsActive() const = 0;
    // Shown as an outline with small nibs: the item is selected with others but is not the
    // primary selection. An active sizer is never also secondary.
    virtual void SetSecondary(bool secondary) = 0;
};

// What a design form offers the wrappers: the instances of every control kind, its own
// window as a control (the surface that contains the form's controls), the client origin left
// free by docked bars, and its title. The design surface implements it with widgets; PlainForm
// implements it headless.
class iFormFuncs
{
public:
    virtual ~iFormFuncs() = default;

    virtual iControlWrapper *Wrapper() const = 0;
    virtual void SetWrapper(iControlWrapper *wrapper) = 0;

    // A new instance of the kind that serves the object type (the one timer for type 35),
    // owned by the form; nullptr for a type that has none.
    virtual iDesignControl *CreateControlInstance(int type) = 0;
    // Returns an instance; nothing for nullptr. The timer is never unloaded.
    virtual void DeleteControlInstance(int type, iDesignControl *control) = 0;

    // The form window itself: container of the top-level controls, and carrier of the
    // form's size, font, colours and visibility.
    virtual iDesignControl *Surface() = 0;
    // The menu bar control shown at the top of the form.
    virtual iDesignControl *MenuControl() = 0;

    virtual QString Title() const = 0;
    virtual void SetTitle(const QString &title) = 0;

    // Room taken by docked bars, in twips; left and top are the client origin.
    virtual int InsetLeft() const = 0;
    virtual int InsetTop() const = 0;
    virtual int InsetRight() const = 0;
    virtual int InsetBottom() const = 0;
    virtual void SetInsets(int left, int top, int right, int bottom) = 0;
    // How many bars have a share in the insets. The bars keep it, so that a change of the
    // insets on a form of nothing but bars needs no search for controls to shift.
    int BarsWithShare = 0;
    virtual void RefreshBackground() = 0;

    // A surface kind of the application: MDI frame (true) or single-document window.
    virtual void SetMdi(bool mdi) = 0;

    // The picture file of the window's icon as the project names it: the form's own, or the
    // application's for a form without one; empty for the program's default icon, "none"
    // for no icon.
    virtual void SetIcon(const QString &name) { Q_UNUSED(name); }

    // The sizer of an item on this form; owned by the form until returned.
    virtual iItemSizer *CreateSizer() = 0;
    virtual void DeleteSizer(iItemSizer *sizer) = 0;
};

// Makes design forms: one per form item and one for the application's own surface.
//
// Ownership: the design form made for an item belongs to that item's wrapper and lives exactly
// as long as the item (it goes when the item is deleted, when its project closes, or when the
// registry is released at shutdown). A form shown in a window does not own that window
// outright: a window inside an MDI area belongs to the area, which deletes it with itself and
// when the user closes it. The design form therefore reaches its window only through a guarded
// pointer (QPointer), deletes the window when the form goes first, and does nothing when the
// window has gone already; a window is never deleted twice and never used after it has gone.
// The registry itself is made after the QApplication and released before it.
class iFormFactory
{
public:
    virtual ~iFormFactory() = default;
    // nullptr when no design form can be made.
    virtual std::unique_ptr<iFormFuncs> CreateDesignForm(clsControl &owner, int type) = 0;
};
