// The consistency check of the answer family: a digit standing twice in a
// row, column or block.
#pragma once

#include "board/tables.h"

namespace numplace {

// Whether some digit stands twice or more in a row, column or block.
bool hasDuplicateGiven(const Tables &t);

}  // namespace numplace
