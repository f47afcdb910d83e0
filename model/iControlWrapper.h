#pragma once

#include <QPoint>
#include <QString>
#include <QtGlobal>

class clsControl;
class iDesignControl;
class iFormFuncs;

// The type-specific half of a design item: builds the object's visible control, keeps the
// design-time values of its properties, answers defaults and removes the control again. The
// design item talks to nothing else. Members left to this interface's own bodies raise
// 0x80004001 (not implemented).
class iControlWrapper
{
public:
    virtual ~iControlWrapper() = default;

    virtual iDesignControl *ControlObject() const;
    virtual qintptr hWnd() const;
    virtual clsControl *Owner() const;
    virtual qint32 EventMask() const;
    virtual void SetEventMask(qint32 mask);
    virtual qint32 DataType() const;
    virtual bool Required() const;
    virtual QString HelpID() const;
    virtual bool HasValue() const;
    virtual void CreateItem(clsControl *owner, int type, const QString &fullId);
    virtual void CreateDefaultItem(clsControl *owner, int type);
    // True when the control was changed in place.
    virtual bool ChangeControlType(int newType);
    virtual void DeleteItem();
    // True when the value is now the default. An empty value is replaced by the default.
    virtual bool SetProperty(int code, int index1, int index2, QString &value, QString &itemId);
    virtual QString GetProperty(int code, int index1, int index2, const QString &itemId) const;
    virtual QString GetDefaultProperty(int code) const;
    // Keeps a value equal to the inherited default as the object's own; false when the code
    // has no inherited default (its value then is simply the default).
    virtual bool KeepOwn(int code, const QString &value);
    virtual QString InvokeMethod(int method, const QString &arg1, const QString &arg2,
                                 const QString &arg3);
    virtual void Reset();
    // Twips, relative to the container.
    virtual void Move(int x, int y, int width, int height, bool positionOnly);
    virtual void UpdateImage();
    virtual QPoint GetPos() const;
    virtual bool Enabled() const;
    virtual void SetEnabled(bool enabled);
    virtual bool Visible() const;
    virtual void SetVisible(bool visible);
    virtual void BringToFront();
    virtual void Rename(QString &newFullId);
    virtual void Resized();

    // The full ID changed because an ancestor (form or application) was renamed: the stored
    // ID and the control's tag follow; the shown text does not change.
    // The item's children were added, removed or reordered (a tab group rebuilds its strip).
    virtual void ChildrenChanged();
    virtual void FullIDChanged(const QString &newFullId);
    // The design form of a form or application wrapper; nullptr for every other kind.
    virtual iFormFuncs *FormFuncs() const;
};
