#include "runs/common.h"

#include <algorithm>

#include "board/sources.h"

namespace numplace {

bool ShownMessages::contains(std::string_view text) const {
  const auto shown = texts();
  return std::find(shown.begin(), shown.end(), text) != shown.end();
}

void RunResult::reset(RunKind kind) {
  run = kind;
  end = RunEnd::Solved;
  message.clear();
  inputError.reset();
  source = {};
  givens.fill(0);
  board.fill(0);
  boardShown = false;
  wroteText1 = false;
  trialCode.reset();
  passes = 1;
  placements.clear();
  lastPassBegin = 0;
  messages.clear();
}

bool startRun(const Ports &ports, Tables &t, Painter &painter, RunResult &result, ExtraGivens &extras) {
  painter.started();
  auto error = readPuzzle(ports.controls, ports.files, t, &result.source);
  if (!error) {
    auto checked = checkExtraGivens(ports.controls);
    if (auto *given = std::get_if<ExtraGivens>(&checked)) {
      extras = *given;
      return true;
    }
    error = std::get<InputError>(std::move(checked));
  }
  result.message = inputErrorText(*error);
  painter.inputRejected(result.message);
  result.end = RunEnd::BadInput;
  result.inputError = std::move(error);
  return false;
}

Grid gridOf(const Tables &t) {
  Grid g{};
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c)
      g[static_cast<std::size_t>((r - 1) * 9 + c - 1)] = static_cast<std::uint8_t>(t.Board[r][c]);
  }
  return g;
}

}  // namespace numplace
