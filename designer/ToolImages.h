#pragma once

#include <QIcon>
#include <QString>

// The images of the command tools (New, Open, Save, Properties, Quill, Upd, Preview, Undo,
// Cut, Copy, Paste, Delete), drawn by the program in a 16-unit grid so they stay sharp at
// every tool-bar size. The item-kind tools use ItemImages instead.
namespace ToolImages
{
// An empty icon for a key that has no image.
QIcon Icon(const QString &key);
} // namespace ToolImages
