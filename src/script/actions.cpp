#include "script/actions.h"

#include <charconv>
#include <cmath>

#include "board/layout.h"
#include "entry/entry.h"
#include "script/save.h"

namespace numplace {
namespace {

bool parseDouble(std::string_view text, double &value) {
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && ptr == text.data() + text.size() && std::isfinite(value);
}

bool parseInt(std::string_view text, int &value) {
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && ptr == text.data() + text.size();
}

std::vector<std::string> splitCommas(std::string_view text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    out.emplace_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

// "CONTROL:VALUE" split at the last colon.
bool splitTarget(std::string_view text, std::string &control, std::string &value) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos) return false;
  control = std::string(text.substr(0, colon));
  value = std::string(text.substr(colon + 1));
  return true;
}

Played playDocumentAction(const Action &action, PuzzleLoader *loader) {
  if (loader == nullptr) return {"this window has no puzzle document to load into", std::nullopt};
  if (const auto *open = std::get_if<OpenFile>(&action)) {
    if (auto error = loader->open(open->path)) return {"--open: " + *error, std::nullopt};
  } else if (const auto *step = std::get_if<StepCollection>(&action)) {
    if (!loader->step(step->delta)) {
      return {step->delta > 0 ? "--next: no next puzzle in an open collection"
                              : "--previous: no previous puzzle in an open collection",
              std::nullopt};
    }
  } else if (const auto *paste = std::get_if<PastePuzzle>(&action)) {
    if (!loader->paste(paste->text)) return {"--paste: not a puzzle line (81 cells, 1-9, 0 or '.')", std::nullopt};
  } else if (const auto *hint = std::get_if<AskHint>(&action)) {
    loader->hint(hint->level);
  } else if (const auto *progress = std::get_if<SaveProgress>(&action)) {
    if (auto error = loader->saveProgress(progress->path)) return {"--save-progress: " + *error, std::nullopt};
  }
  return {};
}

// A line of 81 cells as found on the web: blanks and line breaks between the
// characters are ignored; nothing unless 81 of 0-9 and '.' are left.
std::optional<std::string> cellLine(std::string_view value) {
  std::string line;
  for (const char ch : value) {
    if (ch != ' ' && ch != '\t' && ch != '\n' && ch != '\r') line += ch;
  }
  if (line.size() != 81 || line.find_first_not_of("0123456789.") != std::string::npos) return std::nullopt;
  return line;
}

}  // namespace

std::optional<ControlRef> parseControl(std::string_view text) {
  std::string_view name = text;
  int index = 0;
  const std::size_t open = text.find('(');
  if (open != std::string_view::npos) {
    if (!text.ends_with(')')) return std::nullopt;
    if (!parseInt(text.substr(open + 1, text.size() - open - 2), index) || index == 0) return std::nullopt;
    name = text.substr(0, open);
  }
  const ControlEntry *control = findControl({name, index});
  if (control == nullptr) return std::nullopt;
  return control->ref();
}

bool isActionOption(std::string_view name) {
  for (const auto option : kActionOptions) {
    if (option == name) return true;
  }
  return false;
}

bool isFlagActionOption(std::string_view name) {
  for (const auto option : kFlagActionOptions) {
    if (option == name) return true;
  }
  return false;
}

std::optional<std::string> parseAction(std::string_view name, std::string_view value, std::vector<Action> &out) {
  if (name == "set") {
    const std::size_t eq = value.find('=');
    if (eq == std::string_view::npos || !parseControl(value.substr(0, eq))) {
      return "--set needs CONTROL=TEXT with a control of the window: " + std::string(value);
    }
    out.push_back(SetText{std::string(value.substr(0, eq)), std::string(value.substr(eq + 1))});
  } else if (name == "grid") {
    if (value.size() != 81 || value.find_first_not_of("0123456789.") != std::string_view::npos) {
      return "--grid needs 81 characters 0-9 or '.'";
    }
    out.push_back(TypeGrid{std::string(value)});
  } else if (name == "puzzle") {
    const auto puzzle = cellLine(value);
    if (!puzzle) return "--puzzle needs an 81-character line of 1-9, 0 or '.'";
    out.push_back(TypeGrid{*puzzle});
  } else if (name == "rows") {
    std::vector<std::string> rows = splitCommas(value);
    if (rows.size() > 9) return "--rows takes at most nine numbers";
    out.push_back(TypeRows{std::move(rows)});
  } else if (name == "file") {
    out.push_back(TypeFile{std::string(value)});
  } else if (name == "click") {
    out.push_back(Click{std::string(value)});
  } else if (name == "press") {
    std::string control;
    std::string x;
    PressCell press;
    const auto ref = splitTarget(value, control, x) ? parseControl(control) : std::nullopt;
    if (!ref || ref->name != controls::Text15.name || !parseDouble(x, press.x)) {
      return "--press needs Text15(CELL):X, e.g. Text15(11):200";
    }
    press.control = control;
    out.push_back(press);
  } else if (name == "key") {
    std::string control;
    std::string code;
    KeyPress key;
    if (!splitTarget(value, control, code) || !parseControl(control) || !parseInt(code, key.code)) {
      return "--key needs CONTROL:CODE, e.g. Text7:13";
    }
    key.control = control;
    out.push_back(key);
  } else if (name == "save") {
    if (value.empty()) return "--save needs a file name";
    out.push_back(SavePuzzle{std::string(value)});
  } else if (name == "open") {
    if (value.empty()) return "--open needs a file name";
    out.push_back(OpenFile{std::string(value)});
  } else if (name == "next" || name == "previous") {
    out.push_back(StepCollection{name == "next" ? 1 : -1});
  } else if (name == "paste") {
    out.push_back(PastePuzzle{std::string(value)});
  } else if (name == "entries") {
    const auto entries = cellLine(value);
    if (!entries) return "--entries needs an 81-character line of 1-9, 0 or '.'";
    out.push_back(TypeEntries{*entries});
  } else if (name == "hint") {
    int level = 1;
    if (!value.empty() && (!parseInt(value, level) || level < 1 || level > 3)) return "--hint takes a level 1, 2 or 3";
    out.push_back(AskHint{level});
  } else if (name == "save-progress") {
    if (value.empty()) return "--save-progress needs a file name";
    out.push_back(SaveProgress{std::string(value)});
  } else if (name == "answer") {
    // An empty answer stands for a cancelled prompt.
    out.push_back(QueueAnswer{value.empty() ? std::nullopt : std::optional<std::string>(value)});
  } else {
    return "no such action: --" + std::string(name);
  }
  return std::nullopt;
}

Played playAction(const Action &action, Typist &typist, Ports &ports, AnswerQueue &answers, const RunOptions &options,
                  PuzzleLoader *loader) {
  if (const auto *set = std::get_if<SetText>(&action)) {
    typist.type(*parseControl(set->control), set->text);
  } else if (const auto *grid = std::get_if<TypeGrid>(&action)) {
    for (int k = 0; k < 81; ++k) {
      const char ch = grid->puzzle[static_cast<std::size_t>(k)];
      if (ch >= '1' && ch <= '9') typist.type(controls::Text15(cellIndex(k / 9 + 1, k % 9 + 1)), std::string(1, ch));
    }
  } else if (const auto *rows = std::get_if<TypeRows>(&action)) {
    for (std::size_t i = 0; i < rows->rows.size(); ++i)
      typist.type(controls::Text5(static_cast<int>(i) + 1), rows->rows[i]);
  } else if (const auto *file = std::get_if<TypeFile>(&action)) {
    typist.type(controls::Text3, file->path);
  } else if (const auto *click = std::get_if<Click>(&action)) {
    const auto button = buttonNamed(click->button);
    if (!button) return {"no such button: " + click->button, std::nullopt};
    Played played{std::nullopt, clickButton(ports, *button, options)};
    if (played.run && loader != nullptr) loader->runEnded(*played.run);
    return played;
  } else if (const auto *press = std::get_if<PressCell>(&action)) {
    pressCell(ports.controls, parseControl(press->control)->index, press->x);
  } else if (const auto *key = std::get_if<KeyPress>(&action)) {
    // Only the quick-input box has a key handler; other boxes just take the key.
    if (parseControl(key->control)->name == controls::Text7.name) quickInputKey(ports.controls, key->code);
  } else if (const auto *save = std::get_if<SavePuzzle>(&action)) {
    if (auto error = savePuzzle(ports.controls, ports.files, save->path)) return {"--save: " + *error, std::nullopt};
  } else if (const auto *entries = std::get_if<TypeEntries>(&action)) {
    if (loader == nullptr) return {"this window has no puzzle document to take entries", std::nullopt};
    loader->fixGivens();
    for (int k = 0; k < 81; ++k) {
      const char ch = entries->entries[static_cast<std::size_t>(k)];
      if (ch >= '1' && ch <= '9') typist.type(controls::Text15(cellIndex(k / 9 + 1, k % 9 + 1)), std::string(1, ch));
    }
  } else if (std::holds_alternative<OpenFile>(action) || std::holds_alternative<StepCollection>(action) ||
             std::holds_alternative<PastePuzzle>(action) || std::holds_alternative<AskHint>(action) ||
             std::holds_alternative<SaveProgress>(action)) {
    return playDocumentAction(action, loader);
  } else if (const auto *answer = std::get_if<QueueAnswer>(&action)) {
    answers.push(answer->text);
  }
  return {};
}

}  // namespace numplace
