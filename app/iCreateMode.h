#pragma once

// The hand-over to the property sheet in create mode for a new application. The sheet (or a
// test's stand-in) calls DocumentStorage::ApplicationCreated with the new application once
// the user has created it; when the user cancels nothing is called.
class iCreateMode
{
public:
    virtual ~iCreateMode() = default;
    virtual void BeginCreateApplication() = 0;
};
