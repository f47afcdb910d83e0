#pragma once

#include <QIcon>
#include <QString>

// The images of the item kinds, drawn by the program itself: the project tree shows them
// beside its nodes and the tool bar of item kinds on its tools.
namespace ItemImages
{
// The image of a type key ("App", "Form", "Label", "Textbox", ... "Tab", "Statusbar");
// an unknown key gives an empty icon.
QIcon Icon(const QString &typeKey);
} // namespace ItemImages
