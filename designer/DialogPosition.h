#pragma once

#include <QString>

class QRect;
class QWidget;
class clsDesignerSettings;

// Where a dialog last stood, kept in the designer's settings in twips under a pair of keys
// ("UpdateLeft"/"UpdateTop", ...). A position on a screen no longer attached is not used.
namespace DialogPosition {
void Restore(QWidget &window, const clsDesignerSettings *settings, const QString &leftKey,
             const QString &topKey);
void Store(const QWidget &window, clsDesignerSettings *settings, const QString &leftKey,
           const QString &topKey);
// Moves the window, and shrinks it where it is larger, so that it lies inside the available
// area (without task bars and docks) of the screen it stands on, frame and caption included.
void KeepInside(QWidget &window);
// The same inside a given area (global pixels) rather than the screen's.
void KeepInside(QWidget &window, const QRect &area);
} // namespace DialogPosition
