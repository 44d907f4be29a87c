// The actions a user plays on the window, as the command line names them:
// typing into controls, clicking buttons, pressing cells and keys, and the
// answers waiting for the next modal prompts. Shared by numplace-cli and
// `numplace --screenshot`.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "board/ports.h"

namespace numplace {

struct SetText {
  std::string control;  // "Text1", "Text15(35)"
  std::string text;
};
struct TypeGrid {
  std::string puzzle;  // 81 characters; 1-9 typed, 0 or . left as it is
};
struct TypeRows {
  std::vector<std::string> rows;  // up to nine numbers for Text5(1..9)
};
struct TypeFile {
  std::string path;
};
struct Click {
  std::string button;
};
struct PressCell {
  std::string control;  // "Text15(11)"
  double x = 0;
};
struct KeyPress {
  std::string control;  // "Text7"
  int code = 0;
};
struct QueueAnswer {
  std::optional<std::string> text;  // nothing = a cancelled prompt
};
using Action = std::variant<SetText, TypeGrid, TypeRows, TypeFile, Click, PressCell, KeyPress, QueueAnswer>;

// Parses "Text15(35)" or "Text14" into a reference to a control of the window;
// nothing when the window has no such control.
std::optional<ControlRef> parseControl(std::string_view text);

// Reads one action from argv[i] (and its value). Returns the number of
// arguments used, 0 when argv[i] is not an action, or -1 with `error` set
// when it is an action with a bad value.
int parseAction(int argc, const char *const *argv, int i, std::vector<Action> &out, std::string &error);

// Answers queued for the coming prompts; an empty queue gives the default.
class AnswerQueue {
 public:
  void push(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
  // The answer for a prompt with this default.
  std::optional<std::string> next(const std::string &defaultAnswer);

 private:
  std::deque<std::optional<std::string>> answers_;
};

// What playing the typing actions needs from a window: setting a control's
// text as a user types it (no handler runs, nothing is traced).
class Typist {
 public:
  virtual ~Typist() = default;
  virtual void type(ControlRef ref, std::string_view text) = 0;
};

// Plays one action. Clicks, presses and keys run the core handlers over
// `ports`. Returns an error message for an action the window cannot take
// (a button whose run does not exist, a control that is not a cell box).
std::optional<std::string> playAction(const Action &action, Typist &typist, Ports &ports, AnswerQueue &answers);

}  // namespace numplace
