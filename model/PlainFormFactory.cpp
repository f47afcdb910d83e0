#include "model/PlainFormFactory.h"

#include "model/PlainForm.h"

std::unique_ptr<iFormFuncs> PlainFormFactory::CreateDesignForm(clsControl &, int type)
{
    if (m_refuse)
        return nullptr;
    auto form = std::make_unique<PlainForm>(type);
    m_last = form.get();
    return form;
}
