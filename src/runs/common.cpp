#include "runs/common.h"

#include <algorithm>
#include <vector>

#include "board/messages.h"
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

namespace {

void showInputError(DrawingSurface &s, RunResult &result, std::string message) {
  const std::vector<std::string> lines = wrapMessage(message, kInputErrorLineEm);
  // Upwards from the foot: a one-line message stands where it always did.
  double y = kInputErrorAt.y - kInputErrorLinePitch * static_cast<double>(lines.size() - 1);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    s.moveTo(kInputErrorAt.x, y);
    if (k == 0) {
      s.setColour(kRed);
      s.setFontSize(14);
    }
    s.print(lines[k], Ending::NewLine);
    y += kInputErrorLinePitch;
  }
  s.setColour(kBlack);
  result.end = RunEnd::BadInput;
  result.message = std::move(message);
}

}  // namespace

bool startRun(Ports &ports, Tables &t, ColourScheme scheme, double fontSize, RunResult &result, ExtraGivens &extras) {
  buildColourTable(t, scheme);
  clearSurface(ports.surface, result);
  ports.surface.setFontSize(fontSize);
  ports.surface.setColour(kBlack);
  auto error = readPuzzle(ports.controls, ports.files, t, &result.source);
  if (!error) {
    auto checked = checkExtraGivens(ports.controls);
    if (auto *given = std::get_if<ExtraGivens>(&checked)) {
      extras = *given;
      return true;
    }
    error = std::get<InputError>(std::move(checked));
  }
  result.inputError = error;
  showInputError(ports.surface, result, inputErrorText(*error));
  return false;
}

void clearSurface(DrawingSurface &s, RunResult &result) {
  s.clear();
  result.messages.clear();
}

void beginMessage(DrawingSurface &s, Point at, double fontSize) {
  s.moveTo(at.x, at.y);
  s.setColour(kBlack);
  s.setFontSize(fontSize);
}

void printMessage(DrawingSurface &s, RunResult &result, std::string_view text, Ending ending) {
  s.print(text, ending);
  result.messages.add(text);
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
