// The window without a screen: control texts in a table, a surface that
// writes the trace and remembers what a person would read, and a prompt that
// answers from a queue.
#pragma once

#include <array>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "board/ports.h"
#include "cli/actions.h"

namespace numplace {

// "8556", "9064.85", never "-0".
std::string traceNumber(double value);
// A JSON string literal; non-ASCII characters as they are.
std::string traceString(std::string_view text);

class HeadlessControls : public Controls, public Typist {
 public:
  HeadlessControls();
  std::string text(ControlRef ref) const override;
  void setText(ControlRef ref, std::string_view text) override;  // a handler's change: traced
  void type(ControlRef ref, std::string_view text) override;     // the user's typing: not traced
  void setTrace(std::ostream *trace) { trace_ = trace; }
  // Whether a handler has set this control's text since start-up.
  bool written(ControlRef ref) const;

 private:
  std::vector<std::string> texts_;
  std::vector<bool> written_;
  std::ostream *trace_ = nullptr;
};

// Remembers the board digits, the messages and the step log as they stand
// on the surface, so that the driver can say what the window shows.
class HeadlessSurface : public DrawingSurface {
 public:
  HeadlessSurface() { board_.fill('.'); }
  void clear() override;
  void setFontSize(double points) override;
  void setColour(std::uint32_t colour) override;
  void setLineWidth(int pixels) override;
  void moveTo(double x, double y) override;
  void drawLine(double x1, double y1, double x2, double y2) override;
  void print(std::string_view text, Ending ending) override;
  void noteError(std::string_view message) override;
  bool keepsDrawing() const override { return keepsDrawing_; }

  void setTrace(std::ostream *trace) { trace_ = trace; }
  void setKeepsDrawing(bool keeps) { keepsDrawing_ = keeps; }

  // The board last drawn, nine rows of digits, '.' for an empty cell.
  std::string boardRows() const;
  std::string board81() const;
  bool boardDrawn() const { return boardDrawn_; }
  const std::vector<std::string> &messages() const { return messages_; }
  const std::vector<std::string> &stepLog() const { return stepLog_; }
  const std::vector<std::string> &errors() const { return errors_; }
  long operations() const { return operations_; }

 private:
  void remember(std::string_view text);

  std::ostream *trace_ = nullptr;
  bool keepsDrawing_ = true;
  double x_ = 0, y_ = 0, font_ = 0;
  std::array<char, 81> board_{};
  bool boardDrawn_ = false;
  std::vector<std::string> messages_;
  std::vector<std::string> stepLog_;
  std::vector<std::string> errors_;
  long operations_ = 0;
};

class QueuedPrompt : public Prompt {
 public:
  explicit QueuedPrompt(AnswerQueue &answers) : answers_(answers) {}
  std::optional<std::string> ask(const PromptRequest &request) override;
  void setTrace(std::ostream *trace) { trace_ = trace; }
  int asked() const { return asked_; }

 private:
  AnswerQueue &answers_;
  std::ostream *trace_ = nullptr;
  int asked_ = 0;
};

// A whole headless window: controls, surface, prompt and answers.
struct HeadlessWindow {
  HeadlessControls controls;
  HeadlessSurface surface;
  AnswerQueue answers;
  QueuedPrompt prompt{answers};
  Ports ports{controls, surface, prompt};
  void traceTo(std::ostream *trace) {
    controls.setTrace(trace);
    surface.setTrace(trace);
    prompt.setTrace(trace);
  }
};

}  // namespace numplace
