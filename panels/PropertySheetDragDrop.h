#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class clsControl;
class iPrompter;

// The Drag && Drop page of the property sheet: whether the object is a drag source (and the
// drag ID it carries) and a drop target (and the drag IDs it accepts), as loaded and as the
// user left them, the questions unticking a side asks, its check and what it writes.
class PropertySheetDragDrop final
{
public:
    // The values the object holds; an empty drag ID or list leaves that side unticked.
    void Load(const QString &dragId, const QString &dropIds);
    void Reset() { *this = PropertySheetDragDrop(); }

    bool Source() const { return m_source; }
    bool Target() const { return m_target; }
    // Unticking a side that holds IDs asks first; No keeps the tick. Returns the tick as it
    // is afterwards.
    bool SetSource(bool on, iPrompter &prompter);
    bool SetTarget(bool on, iPrompter &prompter);

    QString DragId() const { return m_dragId; }
    void SetDragId(const QString &id) { m_dragId = id.trimmed(); }
    // Whether the drag ID is the object's own ID (any case); ticking it copies the ID in.
    bool UsesControlId(const QString &controlId) const;
    void SetUseControlId(bool on, const QString &controlId);

    QStringList DropIds() const { return m_dropIds; }
    // Adds an ID once (any case); an empty one or one holding "|" is ignored.
    void AddDropId(const QString &id);
    void RemoveDropId(const QString &id);

    // The message of a drag ID that cannot be stored, or none.
    std::optional<QString> Problem() const;
    // Writes what changed: the drag ID where the kind has one, the drop IDs where it has them.
    void Write(clsControl &item, bool hasDragId, bool hasDropIds) const;

    // The drag IDs held by the objects of the application other than except, once each (the
    // first spelling met), sorted without regard to case.
    static QStringList ProjectDragIds(const clsControl &app, const clsControl *except);

private:
    bool m_source = false;
    bool m_target = false;
    QString m_dragId;
    QStringList m_dropIds;
    QString m_loadedDragId;
    QString m_loadedDropIds;
};
