#include "cli/summary.h"

#include "board/layout.h"
#include "cli/trace.h"
#include "runs/report.h"

namespace numplace {

void printSummary(std::ostream &out, const std::optional<RunResult> &last, const Controls &controls) {
  // A board without digits when the run drew none (or no run was made).
  const std::string board = last && last->boardShown ? gridText(last->board) : std::string(81, '.');
  out << "board:\n";
  for (std::size_t r = 0; r < 9; ++r) out << board.substr(r * 9, 9) << '\n';
  const bool stepFamily = last && (last->run == RunKind::Step || last->run == RunKind::Reference1);
  if (stepFamily && !last->placements.empty()) {
    out << "step log:\n";
    for (const PlacementRecord &p : last->placements) out << "  " << stepLine(p) << '\n';
  }
  out << "messages:\n";
  if (last && last->end == RunEnd::BadInput) {
    out << "  " << last->message << '\n';
  } else if (last) {
    for (const std::string_view m : last->messages.texts()) out << "  " << m << '\n';
  }
  out << "Text1: " << controls.text(controls::Text1) << '\n';
  out << "Text14: " << controls.text(controls::Text14) << '\n';
}

void dumpControls(std::ostream &out, const Controls &controls) {
  for (const ControlEntry &control : controlLayout()) {
    out << "control " << controlLabel(control.ref()) << ' ' << traceString(controls.text(control.ref())) << '\n';
  }
}

}  // namespace numplace
