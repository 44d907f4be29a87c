// Naked pairs: two cells of a unit whose candidate codes are the same two
// digits. They place nothing: they mark the pair's cells and add its digits
// to the unit's exclusion list, which the next candidate pass applies.
#pragma once

#include "board/tables.h"
#include "techniques/placement.h"

namespace numplace {

// Naked pairs in rows, then columns, then blocks. Contradiction when three
// or more cells of a unit hold the same two-candidate code.
Outcome nakedPairs(Tables &t);

}  // namespace numplace
