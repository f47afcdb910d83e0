#pragma once

#include "panels/PropertySheetModel.h"
#include "model/Vocabulary.h"

#include <vector>

// The property sheet's field catalogue: every field any kind of object shows, with its page,
// editor kind, label, frame, limits, choices and the kinds of object it applies to, kept as one
// table. A new field is one row of that table.
namespace PropertySheetFields {

// The fields an object of the kind shows, in tab order. The sheet still drops those the kind
// does not support as properties.
std::vector<PropertySheetModel::Field> For(Vocabulary::WrapperKind kind);

} // namespace PropertySheetFields
