#include "cli/trace.h"

#include <charconv>
#include <cmath>

namespace numplace {

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

void TraceSurface::clear() { out_ << "clear\n"; }

void TraceSurface::setFontSize(double points) { out_ << "font " << traceNumber(points) << '\n'; }

void TraceSurface::setColour(std::uint32_t colour) { out_ << "colour " << colour << '\n'; }

void TraceSurface::setLineWidth(int pixels) { out_ << "width " << pixels << '\n'; }

void TraceSurface::moveTo(double x, double y) { out_ << "move " << traceNumber(x) << ' ' << traceNumber(y) << '\n'; }

void TraceSurface::drawLine(double x1, double y1, double x2, double y2) {
  out_ << "line " << traceNumber(x1) << ' ' << traceNumber(y1) << ' ' << traceNumber(x2) << ' ' << traceNumber(y2)
       << '\n';
}

void TraceSurface::print(std::string_view text, Ending ending) {
  out_ << "print " << traceString(text) << (ending == Ending::NewLine ? " newline" : " continue") << '\n';
}

void traceControlChanges(HeadlessControls &controls, std::ostream &out) {
  controls.setListener([&out](ControlRef ref, std::string_view text) {
    out << "text " << controlLabel(ref) << ' ' << traceString(text) << '\n';
  });
}

void tracePrompts(QueuedPrompt &prompt, std::ostream &out) {
  prompt.setListener([&out](const PromptRequest &request, const std::optional<std::string> &answer) {
    out << "prompt " << traceString(request.text) << ' ' << traceString(request.title) << ' '
        << traceString(request.defaultAnswer) << ' ' << traceNumber(request.x) << ' ' << traceNumber(request.y) << ' '
        << traceString(answer.value_or("")) << '\n';
  });
}

void traceInputError(std::ostream &out, std::string_view message) { out << "error " << traceString(message) << '\n'; }

}  // namespace numplace
