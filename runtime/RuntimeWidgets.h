#pragma once

#include <QString>
#include <QStringList>

class QMainWindow;
class QMenu;
class QPoint;
class QWidget;
class clsControl;

// Where the live widgets send the user's gestures: the object's full ID, the event code and
// its arguments. The receiver decides, by the object's event mask, whether a row is raised.
class iRuntimeEvents
{
public:
    virtual ~iRuntimeEvents() = default;
    virtual void Raise(const QString &fullId, int eventCode, const QStringList &args = {}) = 0;
    // The context-menu gesture on an object at a screen position: raises Context; a runtime
    // may open a pop-up menu there as well.
    virtual void ContextGesture(const QString &fullId, const QPoint &globalPos);
    // The folder relative picture names are taken from; empty for the working folder.
    virtual QString PictureFolder() const { return {}; }
};

namespace RuntimeWidgets {
// A property's value, or fallback when the object's kind does not have that property.
QString Property(const clsControl &item, int code, const QString &fallback = {});

// Pixels of a length in twips.
int Pixels(int twips, bool horizontal);
// Twips of a length in pixels, expressed in the item's scale unit, as decimal text.
QString ScaleText(const clsControl &item, int pixels, bool horizontal);

// The live widget of one control (types 15-36, the timer excepted) inside parent, filled
// from the item's properties and wired to raise its events. This is the one place that
// decides which widget serves which control kind.
QWidget *CreateControl(const clsControl &item, QWidget *parent, iRuntimeEvents &events);

// Adds the bars among item's children (menu bar, tool bars, status bar) to window; menu and
// tool bar items raise Click on their bar with the item's ID as argument.
void AddBars(const clsControl &owner, QMainWindow &window, iRuntimeEvents &events);

// The pop-up menu of a pop-up menu item (type 76), owned by parent; its items raise Click on
// the pop-up menu with the item's ID as argument. Nullptr when its items do not read.
QMenu *CreatePopup(const clsControl &popup, QWidget *parent, iRuntimeEvents &events);

// Applies an object's colours (ForeColor, BackColor; system colours as the platform shows
// them) and font (FontName, FontSize, FontBold, FontItalic, FontUnderline) to its widget.
// Values the object's kind does not have, or that do not read, leave the widget's own.
void ApplyLook(const clsControl &item, QWidget *widget);

// The value a control shows (text, check state, selection) for Reset and Clear.
void SetValue(QWidget *widget, const QString &value);
} // namespace RuntimeWidgets
