#include "cli/headless.h"

#include <charconv>
#include <cmath>

#include "board/drawing.h"
#include "board/layout.h"

namespace numplace {
namespace {

bool near(double a, double b) { return std::fabs(a - b) < 0.01; }

// A text the surface prints for a number: " 5 ", "-3 ".
bool isPrintedNumber(std::string_view text, int &value) {
  if (text.size() < 3 || text.back() != ' ') return false;
  std::string_view digits = text.substr(0, text.size() - 1);
  if (digits.front() == ' ') digits.remove_prefix(1);
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return ec == std::errc{} && ptr == digits.data() + digits.size();
}

// The cell (0..80) whose digit position is (x, y) on the answer or step board.
int boardCellAt(double x, double y, double font) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const Point board = boardDigitPosition(r, c);
      const Point step = stepBoardDigitPosition(r, c);
      const bool answerBoard = font == 40 && near(x, board.x) && near(y, board.y);
      const bool stepBoard = font == 30 && near(x, step.x) && near(y, step.y);
      if (answerBoard || stepBoard) return (r - 1) * 9 + (c - 1);
    }
  }
  return -1;
}

bool isTablePosition(double x, double y) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const Point entry = tableEntryPosition(r, c);
      if (near(x, entry.x) && near(y, entry.y)) return true;
    }
  }
  return false;
}

}  // namespace

std::string traceNumber(double value) {
  char buffer[64];
  const double rounded = std::round(value * 1000) / 1000;
  auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 3);
  std::string s(buffer, ec == std::errc{} ? ptr : buffer);
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  return s;
}

std::string traceString(std::string_view text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto u = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (ch == '\n') {
      out += "\\n";
    } else if (ch == '\r') {
      out += "\\r";
    } else if (ch == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

HeadlessControls::HeadlessControls() {
  for (const ControlEntry &control : controlLayout()) texts_.emplace_back(control.text);
  written_.assign(texts_.size(), false);
}

std::string HeadlessControls::text(ControlRef ref) const {
  const int p = controlPosition(ref);
  return p < 0 ? std::string() : texts_[static_cast<std::size_t>(p)];
}

void HeadlessControls::setText(ControlRef ref, std::string_view text) {
  const int p = controlPosition(ref);
  if (p < 0) return;
  texts_[static_cast<std::size_t>(p)] = std::string(text);
  written_[static_cast<std::size_t>(p)] = true;
  if (trace_ != nullptr) *trace_ << "text " << controlLabel(ref) << ' ' << traceString(text) << '\n';
}

void HeadlessControls::type(ControlRef ref, std::string_view text) {
  const int p = controlPosition(ref);
  if (p >= 0) texts_[static_cast<std::size_t>(p)] = std::string(text);
}

bool HeadlessControls::written(ControlRef ref) const {
  const int p = controlPosition(ref);
  return p >= 0 && written_[static_cast<std::size_t>(p)];
}

void HeadlessSurface::clear() {
  ++operations_;
  if (trace_ != nullptr) *trace_ << "clear\n";
  x_ = y_ = 0;
  board_.fill('.');
  boardDrawn_ = false;
  messages_.clear();
  stepLog_.clear();
}

void HeadlessSurface::setFontSize(double points) {
  ++operations_;
  if (trace_ != nullptr) *trace_ << "font " << traceNumber(points) << '\n';
  font_ = points;
}

void HeadlessSurface::setColour(std::uint32_t colour) {
  ++operations_;
  if (trace_ != nullptr) *trace_ << "colour " << colour << '\n';
}

void HeadlessSurface::setLineWidth(int pixels) {
  ++operations_;
  if (trace_ != nullptr) *trace_ << "width " << pixels << '\n';
}

void HeadlessSurface::moveTo(double x, double y) {
  ++operations_;
  if (trace_ != nullptr) *trace_ << "move " << traceNumber(x) << ' ' << traceNumber(y) << '\n';
  x_ = x;
  y_ = y;
}

void HeadlessSurface::drawLine(double x1, double y1, double x2, double y2) {
  ++operations_;
  if (trace_ != nullptr) {
    *trace_ << "line " << traceNumber(x1) << ' ' << traceNumber(y1) << ' ' << traceNumber(x2) << ' ' << traceNumber(y2)
            << '\n';
  }
  if ((near(x1, 8640) && near(y1, 240)) || (near(x1, 9120) && near(y1, 170))) {
    if (!boardDrawn_) board_.fill('.');
    boardDrawn_ = true;
  }
  x_ = x2;
  y_ = y2;
}

void HeadlessSurface::print(std::string_view text, Ending ending) {
  ++operations_;
  if (trace_ != nullptr) {
    *trace_ << "print " << traceString(text) << (ending == Ending::NewLine ? " newline" : " continue") << '\n';
  }
  remember(text);
  if (ending == Ending::NewLine) {
    x_ = 0;
    y_ += font_ * 20;  // one line of the font, in twips; only approximate here
  } else {
    x_ += font_ * 10 * static_cast<double>(text.size());
  }
}

void HeadlessSurface::remember(std::string_view text) {
  int value = 0;
  const bool number = isPrintedNumber(text, value);
  if (number && (font_ == 40 || font_ == 30)) {
    const int cell = boardCellAt(x_, y_, font_);
    if (cell >= 0) {
      board_[static_cast<std::size_t>(cell)] = value >= 1 && value <= 9 ? static_cast<char>('0' + value) : '.';
      boardDrawn_ = true;
      return;
    }
  }
  if (text.find_first_not_of(' ') == std::string_view::npos) return;
  if (font_ == 9) {
    stepLog_.emplace_back(text);
  } else if ((font_ == 14 && isTablePosition(x_, y_)) || (number && font_ == 20)) {
    return;  // a candidate-table entry, or a small pair digit inside the board
  } else {
    messages_.emplace_back(text);
  }
}

void HeadlessSurface::noteError(std::string_view message) {
  errors_.emplace_back(message);
  if (trace_ != nullptr) *trace_ << "error " << traceString(message) << '\n';
}

std::string HeadlessSurface::boardRows() const {
  std::string out;
  for (std::size_t r = 0; r < 9; ++r) {
    out.append(board_.data() + r * 9, 9);
    out += '\n';
  }
  return out;
}

std::string HeadlessSurface::board81() const { return {board_.data(), board_.size()}; }

std::optional<std::string> QueuedPrompt::ask(const PromptRequest &request) {
  ++asked_;
  std::optional<std::string> answer = answers_.next(request.defaultAnswer);
  if (trace_ != nullptr) {
    *trace_ << "prompt " << traceString(request.text) << ' ' << traceString(request.title) << ' '
            << traceString(request.defaultAnswer) << ' ' << traceNumber(request.x) << ' ' << traceNumber(request.y)
            << ' ' << traceString(answer.value_or("")) << '\n';
  }
  return answer;
}

}  // namespace numplace
