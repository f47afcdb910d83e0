#pragma once

#include "model/KeyedList.h"

#include <QSet>
#include <QString>
#include <memory>
#include <vector>

class clsControl;
class iFormFactory;
class iItemsObserver;

// The registry of all design items of all open projects, keyed by the upper-cased full ID in
// creation order. Its first entry is the root item (type -1, full ID ""), whose children are
// the open applications. It owns the items. The designer's one registry belongs to its
// composition root (DesignerRoot), which lives inside the QApplication's lifetime.
class clsItems
{
public:
    clsItems();
    ~clsItems();
    clsItems(const clsItems &) = delete;
    clsItems &operator=(const clsItems &) = delete;

    clsControl *Root() const { return m_root; }
    // Any case; nullptr when absent.
    clsControl *Find(const QString &fullId) const;
    bool Contains(const QString &fullId) const;
    int Count() const { return m_items.Count(); }
    // Room for `more` items besides those registered (a load that knows how many it makes).
    void Reserve(int more) { m_items.Reserve(Count() + more); }
    // All items in registry order.
    std::vector<clsControl *> InOrder() const;
    // Registry keys in order (for checking that re-keying keeps positions).
    std::vector<QString> Keys() const;

    // Creates, validates and registers an item (errors 5003, 5012, 5013, 5022, 5023, 5025);
    // after an error nothing is registered.
    clsControl &CreateItem(int type, const QString &fullId, const QString &parentId = {});
    // A detached item that answers defaults and stored values for a type.
    std::unique_ptr<clsControl> CreateDefaultItem(int type, clsControl *parent = nullptr);

    // Makes the design forms of forms and applications; the plain headless form unless the
    // design surface installs its own. Not owned.
    iFormFactory &FormFactory() const;
    void SetFormFactory(iFormFactory *factory);

    // The items, registered or not, whose drag ID is their own (not the empty default): the
    // few a project's list of drag IDs needs, without reading every object of it.
    const QSet<const clsControl *> &DragSources() const { return m_dragSources; }

    iItemsObserver *Observer() const { return m_observer; }
    void SetObserver(iItemsObserver *observer) { m_observer = observer; }

    // Lets go of every item without taking it apart, for a process that ends right after:
    // the system takes back the memory of a project of tens of thousands of objects at once,
    // where deleting them one by one costs a sixth of a command. The items stay reachable,
    // so a leak checker does not count them, and the registry is empty.
    void Abandon();

private:
    friend class clsControl;

    // The registry key of an ID: the ID in upper case.
    static QString KeyOf(const QString &id);

    void Register(std::unique_ptr<clsControl> item);
    // Destroys the item.
    void Unregister(clsControl *item);
    bool ReKey(const QString &oldKey, const QString &newKey);
    void NoteDragSource(const clsControl *item, bool holdsOne);

    // Before the items: they leave it as they are destroyed.
    QSet<const clsControl *> m_dragSources;
    KeyedList<std::unique_ptr<clsControl>> m_items;
    clsControl *m_root = nullptr;
    std::unique_ptr<iFormFactory> m_plainFactory;
    iFormFactory *m_factory = nullptr;
    iItemsObserver *m_observer = nullptr;
};
