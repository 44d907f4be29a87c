#include "runs/report.h"

#include "board/number.h"
#include "runs/common.h"

namespace numplace {

std::string stepLine(const PlacementRecord &p) {
  const std::string_view hyphen = p.word == words::kColumnListStep ? " - " : "-";
  return printedNumber(p.step) + std::string(p.word) + printedNumber(p.row) + std::string(hyphen) +
         printedNumber(p.column) + printedNumber(p.digit);
}

std::string reportText(const PlacementRecord &p) {
  return paddedNumber(p.step) + " " + std::string(p.word) + paddedNumber(p.row) + "-" + paddedNumber(p.column) + " " +
         paddedNumber(p.digit);
}

}  // namespace numplace
