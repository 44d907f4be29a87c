// The trace of numplace-cli: every drawing call, control change and prompt,
// one line each, written as it happens.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "board/ports.h"
#include "script/answers.h"
#include "script/headless.h"

namespace numplace {

// "8556", "9064.85", never "-0".
std::string traceNumber(double value);
// A JSON string literal; non-ASCII characters as they are.
std::string traceString(std::string_view text);

class TraceSurface : public DrawingSurface {
 public:
  explicit TraceSurface(std::ostream &out) : out_(out) {}
  void clear() override;
  void setFontSize(double points) override;
  void setColour(std::uint32_t colour) override;
  void setLineWidth(int pixels) override;
  void moveTo(double x, double y) override;
  void drawLine(double x1, double y1, double x2, double y2) override;
  void print(std::string_view text, Ending ending) override;

 private:
  std::ostream &out_;
};

// "text NAME TEXT" for every change a handler makes.
void traceControlChanges(HeadlessControls &controls, std::ostream &out);
// "prompt TEXT TITLE DEFAULT X Y ANSWER" for every prompt.
void tracePrompts(QueuedPrompt &prompt, std::ostream &out);
// "error MESSAGE" after a run that stopped on bad input.
void traceInputError(std::ostream &out, std::string_view message);

}  // namespace numplace
