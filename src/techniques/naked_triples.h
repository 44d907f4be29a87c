// Naked triples: three cells of a unit whose candidate codes share three
// digits. Like the pairs they place nothing: they mark the triple's cells and
// add its digits to the unit's exclusion list.
#pragma once

#include "board/tables.h"
#include "techniques/placement.h"

namespace numplace {

// The six naked-triple passes: rows, columns, blocks, each from a
// three-candidate cell and from three two-candidate cells. Contradiction
// when more than three cells of a unit are confined to a triple's digits.
Outcome nakedTriples(Tables &t);

// The same for a run that looks for triples cycle after cycle within a pass
// (the answer run): a unit whose codes are those it held the last time is
// not gone through again, as it would find and write what it did then.
// The marks and lists must be those of the same pass: `forget` at the start
// of every pass.
class NakedTripleFinder {
 public:
  Outcome find(Tables &t);
  void forget();

 private:
  bool kept_ = false;
  int code_[10][10]{};     // the codes of the last look
  int blockTriple_[10]{};  // what each block's two-candidate cells gave then
};

}  // namespace numplace
