#include "model/clsItems.h"

#include "model/PlainFormFactory.h"
#include "model/Vocabulary.h"
#include "model/clsControl.h"
#include "model/iControlWrapper.h"
#include "model/iItemsObserver.h"

clsItems::clsItems() : m_plainFactory(std::make_unique<PlainFormFactory>())
{
    auto root = std::make_unique<clsControl>(*this);
    root->Create(Vocabulary::Type::Root, QString(), QString());
    m_root = root.get();
    Register(std::move(root));
}

clsItems::~clsItems()
{
    // Deleting the root takes every project with it, children before parents, so each
    // control goes back to its design form while the form still exists.
    try {
        if (m_root)
            m_root->DeleteItem();
    } catch (...) {
    }
    m_items.Clear();
}

void clsItems::Abandon()
{
    static auto *const abandoned = new std::vector<KeyedList<std::unique_ptr<clsControl>>>;
    abandoned->push_back(std::move(m_items));
    m_items.Clear();
    m_root = nullptr;
    m_dragSources.clear();
}

QString clsItems::KeyOf(const QString &id)
{
    // IDs are nearly always upper-case ASCII already: then the ID itself is the key, and
    // the general case mapping, which costs many times more, is not run for it.
    const QChar *const end = id.constData() + id.size();
    for (const QChar *c = id.constData(); c != end; ++c) {
        const char16_t u = c->unicode();
        if (u >= 128 || (u >= u'a' && u <= u'z'))
            return id.toUpper();
    }
    return id;
}

clsControl *clsItems::Find(const QString &fullId) const
{
    const std::unique_ptr<clsControl> *item = m_items.Find(KeyOf(fullId));
    return item ? item->get() : nullptr;
}

bool clsItems::Contains(const QString &fullId) const
{
    return m_items.Contains(KeyOf(fullId));
}

std::vector<clsControl *> clsItems::InOrder() const
{
    std::vector<clsControl *> items;
    items.reserve(m_items.Count());
    for (const auto &entry : m_items)
        items.push_back(entry.Value.get());
    return items;
}

std::vector<QString> clsItems::Keys() const
{
    std::vector<QString> keys;
    keys.reserve(m_items.Count());
    for (const auto &entry : m_items)
        keys.push_back(entry.Key);
    return keys;
}

clsControl &clsItems::CreateItem(int type, const QString &fullId, const QString &parentId)
{
    auto item = std::make_unique<clsControl>(*this);
    item->Create(type, fullId, parentId);
    clsControl &created = *item;
    clsControl *parent = type != Vocabulary::Type::Root ? created.Parent() : nullptr;
    if (parent) {
        parent->m_children.Add(KeyOf(created.ID()), &created);
        // A new tab panel gets its tab at the end of the strip.
        if (parent->Wrapper())
            parent->Wrapper()->ChildrenChanged();
    }
    Register(std::move(item));
    if (m_observer && parent)
        m_observer->ItemAdded(created, parent->m_children.Count() - 1);
    return created;
}

std::unique_ptr<clsControl> clsItems::CreateDefaultItem(int type, clsControl *parent)
{
    auto item = std::make_unique<clsControl>(*this);
    item->CreateDefault(type, parent);
    return item;
}

iFormFactory &clsItems::FormFactory() const
{
    return m_factory ? *m_factory : *m_plainFactory;
}

void clsItems::SetFormFactory(iFormFactory *factory)
{
    m_factory = factory;
}

void clsItems::Register(std::unique_ptr<clsControl> item)
{
    item->m_registered = true;
    const QString key = KeyOf(item->FullID());
    m_items.Add(key, std::move(item));
}

void clsItems::Unregister(clsControl *item)
{
    const QString key = KeyOf(item->FullID());
    if (item == m_root)
        m_root = nullptr;
    // Take hands the owning pointer back; it goes out of scope here.
    std::unique_ptr<clsControl> owned = m_items.Take(key);
}

void clsItems::NoteDragSource(const clsControl *item, bool holdsOne)
{
    if (holdsOne)
        m_dragSources.insert(item);
    else
        m_dragSources.remove(item);
}

bool clsItems::ReKey(const QString &oldKey, const QString &newKey)
{
    return m_items.ReKey(oldKey, newKey);
}
