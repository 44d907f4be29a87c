// The action language: what a user does on the window, as the command line
// names it (typing into controls, clicking buttons, pressing cells and keys,
// and the answers waiting for the next prompts). numplace-cli plays it on a
// headless window, `numplace --screenshot` on the real one.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "board/ports.h"
#include "runs/runs.h"
#include "script/answers.h"

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
struct SaveProgress {
  std::string path;  // the givens and the user's entries, kept apart
};
struct SavePuzzle {
  std::string path;  // the data file to write the puzzle the next run reads to
};
struct QueueAnswer {
  std::optional<std::string> text;  // nothing = a cancelled prompt
};
// Loading a puzzle as a new document: 開く, 前の問題 / 次の問題, 貼り付け.
struct OpenFile {
  std::string path;  // a data file or a collection
};
struct StepCollection {
  int delta = 1;
};
struct PastePuzzle {
  std::string text;
};
// The grid as it stands becomes the puzzle's givens; then the user's own
// entries are typed (81 characters, 1-9 typed, 0 or . left as it is).
struct TypeEntries {
  std::string entries;
};
// A hint for the user's position; at level 3 its placement is written as an entry.
struct AskHint {
  int level = 1;
};
using Action = std::variant<SetText, TypeGrid, TypeRows, TypeFile, Click, PressCell, KeyPress, QueueAnswer, SavePuzzle,
                            OpenFile, StepCollection, PastePuzzle, TypeEntries, AskHint, SaveProgress>;

// The action options that take one value: --set CONTROL=TEXT and so on.
inline constexpr std::array<std::string_view, 14> kActionOptions = {"set",   "grid",  "puzzle",  "rows",         "file",
                                                                    "click", "press", "key",     "answer",       "save",
                                                                    "open",  "paste", "entries", "save-progress"};
bool isActionOption(std::string_view name);  // name without the leading "--"
// The action options that take none: --next, --previous.
inline constexpr std::array<std::string_view, 2> kFlagActionOptions = {"next", "previous"};
bool isFlagActionOption(std::string_view name);
// "1", "2" or "3": a level that --hint takes when it follows (--hint alone is level 1).
inline bool isHintLevel(std::string_view text) { return text == "1" || text == "2" || text == "3"; }

// Parses "Text15(35)" or "Text14" into a reference to a control of the window;
// nothing when the window has no such control.
std::optional<ControlRef> parseControl(std::string_view text);

// Reads one action from its option name (without "--") and value, appending
// it to `out`; a message when the value is not one the option takes.
std::optional<std::string> parseAction(std::string_view name, std::string_view value, std::vector<Action> &out);

// What playing the typing actions needs from a window: setting a control's
// text as a user types it (no handler runs).
class Typist {
 public:
  virtual ~Typist() = default;
  virtual void type(ControlRef ref, std::string_view text) = 0;
};

// What the document actions need from a window: its puzzle document, which
// loads a puzzle as one step (the window makes it one undo step).
class PuzzleLoader {
 public:
  virtual ~PuzzleLoader() = default;
  // The message when the file is neither a data file nor a collection.
  virtual std::optional<std::string> open(const std::string &path) = 0;
  virtual bool step(int delta) = 0;
  virtual bool paste(std::string_view text) = 0;
  // A run ended (an answer run's trial code in 追加 1 is the document's to know).
  virtual void runEnded(const RunResult &result) = 0;
  // この盤面を問題にする: the digits in the grid become the givens.
  virtual void fixGivens() = 0;
  // A hint at `level` (1 to 3) for the user's position; level 3 writes its placement.
  virtual void hint(int level) = 0;
  // The givens and the user's entries written to `path`; the message when it cannot be written.
  virtual std::optional<std::string> saveProgress(const std::string &path) = 0;
};

struct Played {
  std::optional<std::string> error;  // an action the window cannot take (no such button, not a cell box,
                                     // a puzzle that cannot be saved)
  std::optional<RunResult> run;      // what an analysis run found
};

// Plays one action. Clicks, presses and keys run the core handlers over
// `ports`; the document actions go to `loader` (an error without one).
Played playAction(const Action &action, Typist &typist, Ports &ports, AnswerQueue &answers, const RunOptions &options,
                  PuzzleLoader *loader = nullptr);

}  // namespace numplace
