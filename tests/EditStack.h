#pragma once
// The headless editing world the windows under test sit on: the items, a designer that asks
// a scripted prompter, the undo buffer over its store, a clipboard in memory and the edit
// commands over them. Fixtures derive from it and add what they test.
#include "app/EditCommands.h"
#include "app/MemoryClipboard.h"
#include "testsupport/ScriptedPrompter.h"
#include "app/UndoBuffer.h"
#include "app/clsDesigner.h"
#include "model/clsItems.h"
#include "support/DynamicArray.h"

struct EditStack
{
    clsItems items;
    ScriptedPrompter prompter;
    clsDesigner designer{items, &prompter};
    DynamicArray store;
    UndoBuffer undo{store};
    MemoryClipboard clipboard;
    EditCommands edit{designer, undo, clipboard};
};
