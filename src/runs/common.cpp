#include "runs/common.h"

#include "board/sources.h"

namespace numplace {

bool completesGivens(const Grid &board, const Grid &givens) {
  for (std::size_t i = 0; i < board.size(); ++i) {
    if (board[i] < 1 || board[i] > 9 || (givens[i] != 0 && givens[i] != board[i])) return false;
  }
  for (std::size_t u = 0; u < 9; ++u) {
    unsigned row = 0, column = 0, block = 0;
    for (std::size_t k = 0; k < 9; ++k) {
      row |= 1u << board[u * 9 + k];
      column |= 1u << board[k * 9 + u];
      block |= 1u << board[(3 * (u / 3) + k / 3) * 9 + 3 * (u % 3) + k % 3];
    }
    if (row != kAllDigits || column != kAllDigits || block != kAllDigits) return false;
  }
  return true;
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
