#include "model/cRootObject.h"

using namespace Vocabulary;

cRootObject::cRootObject() : cWrapperBase(WrapperKind::Root) {}

void cRootObject::CreateItem(clsControl *owner, int type, const QString &fullId)
{
    cWrapperBase::CreateDefaultItem(owner, type);
    m_fullId = fullId;
}

void cRootObject::DeleteItem()
{
    m_owner = nullptr;
}
