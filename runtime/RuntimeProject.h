#pragma once

#include <QList>
#include <QStringList>
#include <memory>

class clsControl;
class clsItems;

// The objects the runtime has loaded: its own item registry, filled from project text by the
// designer's project loader, so the runtime reads projects by exactly the designer's rules.
// This is the one place where the runtime uses the application core.
class RuntimeProject
{
public:
    RuntimeProject();
    ~RuntimeProject();
    RuntimeProject(const RuntimeProject &) = delete;
    RuntimeProject &operator=(const RuntimeProject &) = delete;

    // Loads one project text; returns a status row (severity, "", ID, property, error,
    // message) for every problem. A duplicate object is left out and reported, never asked
    // about. The applications the text created are appended to Applications.
    QList<QStringList> Load(const QString &text);

    clsItems &Items() const { return *m_items; }
    clsControl *Find(const QString &fullId) const;
    const QList<clsControl *> &Applications() const { return m_applications; }

private:
    std::unique_ptr<clsItems> m_items;
    QList<clsControl *> m_applications;
};
