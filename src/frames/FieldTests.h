// Tests of fields read as "any kind of value", as the data files use them.
//
// A field tested for "nonzero" is true unless it is 0, false or empty; a field tested for
// "is 1" is true only for a value that reads as the number 1.
#pragma once

#include "vbscript/Variant.h"

namespace tw {

bool IsNonZero(const vbs::Variant& value);
bool IsOne(const vbs::Variant& value);

}  // namespace tw
