#include "cli/batch.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

#include "board/files.h"
#include "cli/summary.h"
#include "script/answers.h"
#include "script/headless.h"

namespace numplace {
namespace {

// The name under which the batch hands each puzzle to the data-file source.
constexpr std::string_view kPuzzleFile = "batch.csv";

// Placements per technique over a collection: a difficulty profile.
struct Profile {
  std::map<std::string, long> placements;
  std::map<std::string, long> puzzlesUsing;
  std::map<int, long> passes;
  long puzzles = 0;

  void add(const std::map<std::string, int> &byWord, int passCount) {
    ++puzzles;
    ++passes[passCount];
    for (const auto &[word, n] : byWord) {
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

// The data file of one puzzle line: nine records, field 1 the row's digits.
std::string dataFileOf(const std::string &puzzle) {
  std::string file;
  file.reserve(std::size_t{9} * 19);
  for (std::size_t r = 0; r < 9; ++r) {
    for (std::size_t c = 0; c < 9; ++c) {
      const char ch = puzzle[r * 9 + c];
      file += ch == '.' ? '0' : ch;
    }
    file += ",0,0,0,0\n";
  }
  return file;
}

}  // namespace

int runBatch(const BatchOptions &options) {
  std::ifstream in(options.path);
  if (!in) {
    std::cerr << "numplace-cli: cannot open " << options.path << '\n';
    return 1;
  }
  long solved = 0, unfinished = 0, errors = 0, malformed = 0;
  Profile profile;
  const auto start = std::chrono::steady_clock::now();
  HeadlessControls controls;
  RecordingSurface surface(false);
  AnswerQueue answers;
  QueuedPrompt prompt(answers);
  MemoryFiles files;
  const Ports ports{controls, surface, prompt, files};
  const RunOptions runOptions{.skipCycleGrid = true};
  RunResult result;
  std::string line;
  for (long number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line.starts_with('#')) continue;
    if (line.size() != 81 || line.find_first_not_of("0123456789.") != std::string::npos) {
      std::cerr << options.path << ':' << number << ": not an 81-character puzzle, skipped\n";
      ++malformed;
      continue;
    }
    std::string puzzle = line;
    for (char &ch : puzzle) ch = ch == '0' ? '.' : ch;
    files.put(std::string(kPuzzleFile), dataFileOf(puzzle));
    controls.type({"Text1"}, "追加 1");
    controls.type({"Text3"}, kPuzzleFile);
    Ports run = ports;
    runAnswer(run, runOptions, result);
    const std::string board = result.boardShown ? gridText(result.board) : puzzle;
    std::string_view status;
    if (result.end == RunEnd::BadInput || result.end == RunEnd::Inconsistent) {
      status = "error";
      ++errors;
    } else if (board.find('.') == std::string::npos) {
      status = "solved";
      ++solved;
    } else {
      status = "unfinished";
      ++unfinished;
    }
    std::cout << board << ' ' << status << ' ' << (result.trialCode ? std::to_string(*result.trialCode) : "-");
    if (options.stats) {
      std::map<std::string, int> byWord;
      for (const PlacementRecord &p : result.lastPassPlacements()) ++byWord[std::string(p.word)];
      profile.add(byWord, result.passes);
      std::cout << " passes=" << result.passes;
      for (const auto &[word, n] : byWord) std::cout << ' ' << word << '=' << n;
    }
    std::cout << '\n';
  }
  if (options.stats) profile.print(std::cout);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long total = solved + unfinished + errors;
  std::cerr << "puzzles " << total << ": solved " << solved << ", unfinished " << unfinished << ", error " << errors
            << ", malformed lines " << malformed << "; " << seconds << " s, "
            << (seconds > 0 ? static_cast<double>(total) / seconds : 0.0) << " puzzles/s\n";
  return 0;
}

}  // namespace numplace
