#pragma once

#include <QEvent>
#include <QObject>

// Counts the events of one type that reach the objects it is installed on.
struct EventCount : QObject
{
    explicit EventCount(QEvent::Type type) : Type(type) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        Count += event->type() == Type;
        return false;
    }
    QEvent::Type Type;
    int Count = 0;
};
