// numplace-cli: the engine without a window, for scripting, batch solving and tests.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "board/layout.h"
#include "cli/actions.h"
#include "cli/headless.h"
#include "runs/runs.h"

namespace {

using namespace numplace;

constexpr std::string_view kVersion = "numplace-cli 0.1.0";

constexpr std::string_view kHelp = R"(Usage: numplace-cli [OPTIONS] ACTIONS...
       numplace-cli --batch FILE

Plays ACTIONS on a fresh window, in the order given, and tells what the
window shows afterwards: the last board drawn (nine lines, '.' for an empty
cell), the messages printed on the surface, the step log, and the texts of
Text1 and Text14.

Actions:
  --set CONTROL=TEXT   type TEXT into a control (Text1, Text3, Text15(35), Text5(3))
  --grid PUZZLE        type 81 characters into the grid; 1-9 typed, 0 or . left as is
  --puzzle LINE        the same, blanks and line breaks in LINE ignored
  --rows R1,...,R9     type numbers into the row boxes Text5(1..9)
  --file PATH          type PATH into Text3 (the data file name)
  --click BUTTON       Command3 答, Command7 1 STEP, Command1 参考1, Command5 参考2,
                       Command4 消去
  --press CELL:X       mouse press on a cell box X twips from its left edge,
                       e.g. Text15(11):200
  --key CONTROL:CODE   key press with a key code in a text box, e.g. Text7:13
  --answer TEXT        answer for the next modal prompt ("" cancels it); a prompt
                       with no queued answer gets its default answer

Output:
  --trace              write every drawing call, control change and prompt, one
                       per line, as they happen
  --dump               at the end, one line "control NAME TEXT" per control
  --batch FILE         solve every puzzle of FILE (one 81-character line each;
                       0 or . empty; blank lines and lines starting with # skipped)
                       with the answer run, one line per puzzle:
                       BOARD solved|unfinished|error TRIAL
  --stats              with --batch: add the passes and the placements per
                       technique to each line, and a profile of the file at the
                       end (lines starting with #)
  --help, --version

Exit status: 0 done, 2 bad arguments or an unknown button, 1 input file missing.
)";

struct Options {
  bool trace = false;
  bool dump = false;
  bool stats = false;
  std::string batch;
  std::vector<Action> actions;
};

void printSummary(const HeadlessWindow &w) {
  std::cout << "board:\n" << w.surface.boardRows();
  if (!w.surface.stepLog().empty()) {
    std::cout << "step log:\n";
    for (const auto &line : w.surface.stepLog()) std::cout << "  " << line << '\n';
  }
  std::cout << "messages:\n";
  for (const auto &m : w.surface.messages()) std::cout << "  " << m << '\n';
  std::cout << "Text1: " << w.controls.text({"Text1"}) << '\n';
  std::cout << "Text14: " << w.controls.text({"Text14"}) << '\n';
}

void dumpControls(const HeadlessWindow &w) {
  for (const ControlEntry &control : controlLayout()) {
    std::cout << "control " << controlLabel(control.ref()) << ' ' << traceString(w.controls.text(control.ref()))
              << '\n';
  }
}

bool hasDuplicate(const std::string &puzzle) {
  for (int a = 0; a < 81; ++a) {
    for (int b = a + 1; b < 81; ++b) {
      if (puzzle[static_cast<std::size_t>(a)] == '.' ||
          puzzle[static_cast<std::size_t>(a)] != puzzle[static_cast<std::size_t>(b)])
        continue;
      const bool sameRow = a / 9 == b / 9;
      const bool sameColumn = a % 9 == b % 9;
      const bool sameBlock = a / 27 == b / 27 && (a % 9) / 3 == (b % 9) / 3;
      if (sameRow || sameColumn || sameBlock) return true;
    }
  }
  return false;
}

// Placements per technique over a collection: a difficulty profile.
struct Profile {
  std::map<std::string, long> placements;
  std::map<std::string, long> puzzlesUsing;
  std::map<int, long> passes;
  long puzzles = 0;

  void add(const AnswerStats &s) {
    ++puzzles;
    ++passes[s.passes];
    for (const auto &[word, n] : s.placements) {
      placements[word] += n;
      ++puzzlesUsing[word];
    }
  }

  void print(std::ostream &out) const {
    out << "# profile of " << puzzles << " puzzles\n# technique placements puzzles mean-per-puzzle\n";
    for (const char *word : {"基本", "ブロ", "よこ", "たて", "縦１", "横１"}) {
      const auto it = placements.find(word);
      const long n = it == placements.end() ? 0 : it->second;
      const auto used = puzzlesUsing.find(word);
      out << "# " << word << ' ' << n << ' ' << (used == puzzlesUsing.end() ? 0 : used->second) << ' '
          << (puzzles > 0 ? static_cast<double>(n) / static_cast<double>(puzzles) : 0.0) << '\n';
    }
    out << "# passes puzzles\n";
    for (const auto &[p, n] : passes) out << "# " << p << ' ' << n << '\n';
  }
};

int runBatch(const std::string &path, bool withStats) {
  std::ifstream in(path);
  if (!in) {
    std::cerr << "numplace-cli: cannot open " << path << '\n';
    return 1;
  }
  const std::filesystem::path dataFile =
      std::filesystem::temp_directory_path() / ("numplace-batch-" + std::to_string(::getpid()) + ".csv");
  long solved = 0, unfinished = 0, errors = 0, malformed = 0;
  Profile profile;
  const auto start = std::chrono::steady_clock::now();
  std::string line;
  for (long number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line.starts_with('#')) continue;
    if (line.size() != 81 || line.find_first_not_of("0123456789.") != std::string::npos) {
      std::cerr << path << ':' << number << ": not an 81-character puzzle, skipped\n";
      ++malformed;
      continue;
    }
    std::string puzzle = line;
    for (char &ch : puzzle) ch = ch == '0' ? '.' : ch;
    {
      std::ofstream out(dataFile, std::ios::trunc);
      for (int r = 0; r < 9; ++r) {
        std::string row = puzzle.substr(static_cast<std::size_t>(r) * 9, 9);
        for (char &ch : row) ch = ch == '.' ? '0' : ch;
        out << row << ",0,0,0,0\n";
      }
    }
    HeadlessWindow w;
    w.surface.setKeepsDrawing(false);
    w.controls.type({"Text3"}, dataFile.string());
    AnswerStats stats;
    runAnswer(w.ports, &stats);
    std::string status;
    std::string board = w.surface.boardDrawn() ? w.surface.board81() : puzzle;
    if (!w.surface.errors().empty() || hasDuplicate(puzzle)) {
      status = "error";
      ++errors;
    } else if (board.find('.') == std::string::npos) {
      status = "solved";
      ++solved;
    } else {
      status = "unfinished";
      ++unfinished;
    }
    const std::string trial = w.controls.text({"Text1"});
    std::cout << board << ' ' << status << ' ' << (w.controls.written({"Text1"}) && !trial.empty() ? trial : "-");
    if (withStats) {
      profile.add(stats);
      std::cout << " passes=" << stats.passes;
      for (const auto &[word, n] : stats.placements) std::cout << ' ' << word << '=' << n;
    }
    std::cout << '\n';
  }
  if (withStats) profile.print(std::cout);
  std::error_code ignored;
  std::filesystem::remove(dataFile, ignored);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long total = solved + unfinished + errors;
  std::cerr << "puzzles " << total << ": solved " << solved << ", unfinished " << unfinished << ", error " << errors
            << ", malformed lines " << malformed << "; " << seconds << " s, "
            << (seconds > 0 ? static_cast<double>(total) / seconds : 0.0) << " puzzles/s\n";
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::cout << kHelp;
      return 0;
    }
    if (arg == "--version") {
      std::cout << kVersion << '\n';
      return 0;
    }
    if (arg == "--trace") {
      options.trace = true;
      continue;
    }
    if (arg == "--dump") {
      options.dump = true;
      continue;
    }
    if (arg == "--stats") {
      options.stats = true;
      continue;
    }
    if (arg == "--batch") {
      if (i + 1 >= argc) {
        std::cerr << "numplace-cli: --batch needs a file\n";
        return 2;
      }
      options.batch = argv[++i];
      continue;
    }
    std::string error;
    const int used = parseAction(argc, argv, i, options.actions, error);
    if (used < 0) {
      std::cerr << "numplace-cli: " << error << '\n';
      return 2;
    }
    if (used == 0) {
      std::cerr << "numplace-cli: unknown argument " << arg << " (see --help)\n";
      return 2;
    }
    i += used - 1;
  }
  if (!options.batch.empty()) return runBatch(options.batch, options.stats);
  if (options.stats) {
    std::cerr << "numplace-cli: --stats goes with --batch\n";
    return 2;
  }

  HeadlessWindow w;
  if (options.trace) w.traceTo(&std::cout);
  for (const Action &action : options.actions) {
    if (auto error = playAction(action, w.controls, w.ports, w.answers)) {
      std::cerr << "numplace-cli: " << *error << '\n';
      return 2;
    }
  }
  if (!options.trace) printSummary(w);
  if (options.dump) dumpControls(w);
  return 0;
}
