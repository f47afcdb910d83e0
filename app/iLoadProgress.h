#pragma once

// Where a long load reports how far it got, and learns whether to go on: opening a document
// tells it the forms made of the forms in the project. The window behind it shows a progress
// bar with a Cancel and keeps answering while the load runs.
class iLoadProgress
{
public:
    virtual ~iLoadProgress() = default;
    // A load of `formsTotal` forms starts.
    virtual void Begin(int formsTotal) = 0;
    // `formsMade` forms are made so far; false when the user cancelled: the load stops.
    virtual bool Advance(int formsMade) = 0;
    // The load is over, finished or not.
    virtual void End() = 0;
};
