#pragma once

#include "code/iGuiRuntime.h"

// Makes this program's own GUI runtime for its class name (iGuiRuntimeFactory::DefaultClass);
// any other class name makes nothing.
class GuiRuntimeFactory final : public iGuiRuntimeFactory
{
public:
    std::unique_ptr<iGuiRuntime> Create(const QString &className) override;
};
