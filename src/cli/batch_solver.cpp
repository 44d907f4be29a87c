#include "cli/batch_solver.h"

#include <algorithm>

#include "board/layout.h"
#include "cli/check_output.h"
#include "cli/summary.h"
#include "runs/common.h"

namespace numplace::batch {

void Profile::add(const std::vector<std::pair<std::string_view, int>> &byWord, int passCount) {
  ++puzzles;
  ++passes[passCount];
  for (const auto &[word, n] : byWord) {
    count(placements, word, n);
    count(puzzlesUsing, word, 1);
  }
}

void Profile::merge(const Profile &other) {
  puzzles += other.puzzles;
  for (const auto &[p, n] : other.passes) passes[p] += n;
  for (const auto &[word, n] : other.placements) placements[word] += n;
  for (const auto &[word, n] : other.puzzlesUsing) puzzlesUsing[word] += n;
}

void Profile::print(std::ostream &out) const {
  out << "# profile of " << puzzles << " puzzles\n# technique placements puzzles mean-per-puzzle\n";
  for (const std::string_view word : {words::kNakedSingle, words::kBlockSingle, words::kRowSingle, words::kColumnSingle,
                                      words::kColumnListAnswer, words::kRowListAnswer}) {
    const auto it = placements.find(word);
    const long n = it == placements.end() ? 0 : it->second;
    const auto used = puzzlesUsing.find(word);
    out << "# " << word << ' ' << n << ' ' << (used == puzzlesUsing.end() ? 0 : used->second) << ' '
        << (puzzles > 0 ? static_cast<double>(n) / static_cast<double>(puzzles) : 0.0) << '\n';
  }
  out << "# passes puzzles\n";
  for (const auto &[p, n] : passes) out << "# " << p << ' ' << n << '\n';
}

void Profile::count(std::map<std::string, long, std::less<>> &map, std::string_view word, long n) {
  const auto it = map.find(word);
  if (it == map.end()) {
    map.emplace(std::string(word), n);
  } else {
    it->second += n;
  }
}

PuzzleFile::PuzzleFile() {
  for (int r = 0; r < 9; ++r) content_ += "000000000,0,0,0,0\n";
}
void PuzzleFile::set(const std::string &puzzle) {
  for (std::size_t r = 0; r < 9; ++r) {
    for (std::size_t c = 0; c < 9; ++c) {
      const char ch = puzzle[r * 9 + c];
      content_[r * kRecord + c] = ch == '.' ? '0' : ch;
    }
  }
}
FileBytes PuzzleFile::read(const std::string &name) const {
  if (name != kPuzzleFile) return {{}, FileBytes::Failure::CannotOpen};
  return {content_, FileBytes::Failure::None};
}

void Solver::checkOne(long line, const std::string &puzzle, std::string &out) {
  // The puzzle as the answer run would read it from the batch's data file:
  // its rows are the line's digits, and the extra-given boxes hold their
  // initial texts, which lay nothing on the board (the tests hold the run's
  // givens to the line on every collection).
  PuzzleReport report;
  report.source = PuzzleSource{SourceKind::File, std::string(kPuzzleFile), true};
  for (std::size_t i = 0; i < 81; ++i) {
    const char ch = puzzle[i];
    report.givens[i] = static_cast<std::uint8_t>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
  }
  report.check = checkGivens(report.givens);
  tally_.count(report.badInput ? 0 : report.check.solutions);
  if (options_.json) {
    appendCheckJson(out, report, false, line, puzzle);
    out += '\n';
    return;
  }
  out += puzzle;
  appendCheckFields(out, report, false);
  if (report.check.solutions == 1 && report.check.solution) {
    out += " solution=";
    out += gridText(*report.check.solution);
  }
  out += '\n';
}

void Solver::solveOne(long line, const std::string &puzzle, std::string &out) {
  if (options_.checkOnly) {
    checkOne(line, puzzle, out);
    return;
  }
  file_.set(puzzle);
  controls_.type(controls::Text1, "追加 1");
  controls_.type(controls::Text3, kPuzzleFile);
  runAnswer(ports_, kRunOptions, result_);
  std::optional<PuzzleReport> report;
  if (options_.check) {
    report = reportOfRun(result_);
    tally_.count(report->badInput ? 0 : report->check.solutions);
  }
  board_ = result_.boardShown ? gridText(result_.board) : puzzle;
  std::string_view status;
  if (result_.end == RunEnd::BadInput || result_.end == RunEnd::Inconsistent) {
    status = "error";
    ++tally_.errors;
  } else if (board_.find('.') == std::string::npos) {
    status = "solved";
    ++tally_.solved;
  } else {
    status = "unfinished";
    ++tally_.unfinished;
  }
  if (options_.json) {
    json_.append(out, result_, BatchFields{line, board_, status}, report ? &*report : nullptr);
    out += '\n';
    return;
  }
  out += board_;
  out += ' ';
  out += status;
  out += ' ';
  out += result_.trialCode ? std::to_string(*result_.trialCode) : "-";
  if (options_.stats) {
    // In the byte order of the words, as the lines have always listed them.
    byWord_.clear();
    for (const PlacementRecord &p : result_.lastPassPlacements()) {
      const auto it = std::find_if(byWord_.begin(), byWord_.end(), [&](const auto &e) { return e.first == p.word; });
      if (it == byWord_.end()) {
        byWord_.emplace_back(p.word, 1);
      } else {
        ++it->second;
      }
    }
    std::sort(byWord_.begin(), byWord_.end());
    tally_.profile.add(byWord_, result_.passes);
    out += " passes=";
    out += std::to_string(result_.passes);
    for (const auto &[word, n] : byWord_) {
      out += ' ';
      out += word;
      out += '=';
      out += std::to_string(n);
    }
  }
  if (report) appendCheckFields(out, *report, true);
  out += '\n';
}

}  // namespace numplace::batch
