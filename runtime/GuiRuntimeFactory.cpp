#include "runtime/GuiRuntimeFactory.h"

#include "runtime/clsGuiRuntime.h"

std::unique_ptr<iGuiRuntime> GuiRuntimeFactory::Create(const QString &className)
{
    if (className.compare(QLatin1String(DefaultClass), Qt::CaseInsensitive) != 0)
        return nullptr;
    return std::make_unique<clsGuiRuntime>();
}
