#pragma once

class QWidget;

// A design control that can hold others: the widget their widgets go into. Design controls
// of any implementation (the control instances, the design form's surface) offer it, so a
// control put into a container finds its parent widget whoever made the container.
class iWidgetHost
{
public:
    virtual ~iWidgetHost() = default;
    virtual QWidget *ChildArea() const = 0;
};
