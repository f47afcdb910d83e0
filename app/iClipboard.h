#pragma once

#include <QString>

// The system clipboard as the Edit commands see it: one Unicode text. The designer uses the
// desktop's clipboard, so texts travel between running designers and other programs; tests
// and the command-line tool use one in memory.
class iClipboard
{
public:
    virtual ~iClipboard() = default;
    // The clipboard's text; empty when it holds none.
    virtual QString Text() const = 0;
    virtual void SetText(const QString &text) = 0;
};
