#pragma once

#include <QCursor>

#include <array>

// The eight mouse cursors of a drag in the project tree, drawn by the program. Two sets
// exist with the same shapes: ids 8210-8217 are drawn in full colour with soft edges for
// displays of 32 bits per pixel and more, ids 8110-8117 in plain black and white for fewer
// colours; start-up picks the set (ProcessState::CursorIds).
namespace DragCursors
{
// The place of each shape within a set.
enum Shape {
    Drag,         // an arrow carrying an item
    NoDrop,       // a crossed-out circle: not here
    PointingHand, // over a node that can be dragged
    InsertBefore, // the item goes in front of the node
    InsertAfter,  // the item goes behind the node
    DropOn,       // the item goes first under the node
    MoveAll,      // four arrows
    Busy,         // an hourglass
    ShapeCount
};

// The cursor of a resource id of either set; an unknown id gives the arrow.
QCursor Cursor(int resourceId);
// The cursor of a shape in the set of ids chosen at start-up.
QCursor Cursor(const std::array<int, 8> &ids, Shape shape);
// True for the ids of either set.
bool IsCursorId(int resourceId);
} // namespace DragCursors
