#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// The images of the item kinds, drawn by the program itself: the project tree shows them
// beside its nodes and the tool bar of item kinds on its tools.
namespace ItemImages
{
// The image of a type key ("App", "Form", "Label", "Textbox", ... "Tab", "Statusbar");
// an unknown key gives an empty icon.
QIcon Icon(const QString &typeKey);
// The 22 type keys that have an image.
QStringList TypeKeys();
// The image of an item of that type code (the key of the type's long keyword).
QIcon IconOfType(int type);
} // namespace ItemImages
