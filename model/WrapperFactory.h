#pragma once

#include <memory>

class iControlWrapper;

// The one place that knows every wrapper class: the item asks it for the wrapper of a type
// and never names a concrete wrapper, so no wrapper depends on the item through it.
namespace WrapperFactory {
// A new wrapper of the class serving the type; error 5003 for a type outside the table.
std::unique_ptr<iControlWrapper> Create(int type);
} // namespace WrapperFactory
