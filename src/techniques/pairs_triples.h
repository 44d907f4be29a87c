// Naked pairs and triples: groups of two or three cells of a unit whose
// candidate codes share two or three digits. They place nothing: they mark
// the group's cells and add its digits to the unit's exclusion list, which
// the next candidate pass applies.
#pragma once

#include "board/tables.h"
#include "techniques/placement.h"

namespace numplace {

// Naked pairs in rows, then columns, then blocks. Contradiction when three
// or more cells of a unit hold the same two-candidate code.
Outcome nakedPairs(Tables &t);

// The six naked-triple passes: rows, columns, blocks, each from a
// three-candidate cell and from three two-candidate cells. Contradiction
// when more than three cells of a unit are confined to a triple's digits.
Outcome nakedTriples(Tables &t);

}  // namespace numplace
