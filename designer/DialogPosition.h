#pragma once

#include <QString>

class QWidget;
class clsDesignerSettings;

// Where a dialog last stood, kept in the designer's settings in twips under a pair of keys
// ("UpdateLeft"/"UpdateTop", ...). A position on a screen no longer attached is not used.
namespace DialogPosition {
void Restore(QWidget &window, const clsDesignerSettings *settings, const QString &leftKey,
             const QString &topKey);
void Store(const QWidget &window, clsDesignerSettings *settings, const QString &leftKey,
           const QString &topKey);
} // namespace DialogPosition
