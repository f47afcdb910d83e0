#pragma once

#include <QString>

// What the code commands need from the open project's document before they run: its
// location, a question to the user and the Save command. The designer supplies the real
// one; tests script it.
class iCodeCommandHost
{
public:
    virtual ~iCodeCommandHost() = default;

    // The host file name and item ID the project was saved under; empty when never saved.
    virtual QString ProjectFileName() const = 0;
    virtual QString ProjectItemId() const = 0;
    // Shows the text with OK and Cancel and the exclamation icon; true for OK.
    virtual bool AskOkCancel(const QString &text) = 0;
    // Runs the Save command; true when the project was saved.
    virtual bool SaveProject() = 0;
};
