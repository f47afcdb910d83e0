#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class QMainWindow;
class clsControl;

// Where the live widgets send the user's gestures: the object's full ID, the event code and
// its arguments. The receiver decides, by the object's event mask, whether a row is raised.
class iRuntimeEvents
{
public:
    virtual ~iRuntimeEvents() = default;
    virtual void Raise(const QString &fullId, int eventCode, const QStringList &args = {}) = 0;
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

// The value a control shows (text, check state, selection) for Reset and Clear.
void SetValue(QWidget *widget, const QString &value);
} // namespace RuntimeWidgets
