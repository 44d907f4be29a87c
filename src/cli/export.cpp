#include "cli/export.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <utility>
#include <vector>

#include "board/files.h"
#include "board/messages.h"
#include "cli/export_order.h"
#include "cli/lines.h"
#include "cli/options.h"
#include "numplace/version.h"
#include "script/explanation.h"

#ifndef NUMPLACE_EXPORT_MODULE_DIR
#define NUMPLACE_EXPORT_MODULE_DIR "../lib/numplace"
#endif

namespace numplace {
namespace {

// Finds and loads the export module: next to the program (the build tree),
// else in the install's library folder; it stays loaded to the end.
ExportEntry loadExportModule(std::string &error) {
  std::error_code ec;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) {
    error = "cannot tell where numplace-cli is, to find its export module: " + ec.message();
    return nullptr;
  }
  const std::filesystem::path folder = program.parent_path();
  const std::array<std::filesystem::path, 2> places{
      folder / kExportModuleFile, (folder / NUMPLACE_EXPORT_MODULE_DIR / kExportModuleFile).lexically_normal()};
  for (const std::filesystem::path &place : places) {
    if (!std::filesystem::exists(place, ec)) continue;
    void *module = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      error = "cannot load the export module: " + std::string(::dlerror());
      return nullptr;
    }
    if (void *entry = ::dlsym(module, kExportEntryName)) return reinterpret_cast<ExportEntry>(entry);
    error = "the export module " + place.string() + " is of another build (no " + kExportEntryName + ")";
    return nullptr;
  }
  error = "the export module " + std::string(kExportModuleFile) + " is not installed (looked for " +
          places[0].string() + " and " + places[1].string() + ")";
  return nullptr;
}

// Hands the order to the module; the messages of what failed go to the
// standard error. Returns the exit status.
int carryOut(const ExportOrder &order, ExportReport &report) {
  std::string error;
  const ExportEntry entry = loadExportModule(error);
  if (entry == nullptr) {
    std::cerr << "numplace-cli: " << error << '\n';
    return kExitBadInput;
  }
  entry(order, report);
  for (const std::string &message : report.errors) std::cerr << "numplace-cli: " << message << '\n';
  return report.errors.empty() ? kExitDone : kExitBadInput;
}

Grid gridOfLine(const std::string &line) {
  Grid grid{};
  for (std::size_t i = 0; i < grid.size(); ++i) {
    grid[i] = line[i] >= '1' && line[i] <= '9' ? static_cast<std::uint8_t>(line[i] - '0') : 0;
  }
  return grid;
}

std::string creator() { return std::string("numplace-cli ") + kNumplaceVersion; }

// The solution the paper shows: the one, or with several the first found.
std::optional<Grid> shownSolution(const CheckResult &check) {
  return check.solutions > 0 ? check.solution : std::nullopt;
}

std::string solutionNote(const CheckResult &check) {
  if (check.solutions == 0) return "解なし";
  if (check.solutions == 2) return "解が二つ以上：その一つ";
  return "";
}

exports::PaperPuzzle paperPuzzle(const Grid &givens, int number, std::string caption) {
  const CheckResult check = checkGivens(givens);
  const std::optional<Grade> grade = gradePuzzle(givens, check);
  exports::PaperPuzzle puzzle;
  puzzle.board.givens = givens;
  puzzle.board.solution = shownSolution(check);
  puzzle.number = number;
  puzzle.caption = std::move(caption) + "　" + gradeCaption(check, grade);
  puzzle.solutionNote = solutionNote(check);
  return puzzle;
}

// A PDF of many puzzles, `perPage` a page, titled `title`; the puzzles are added after.
ExportOrder collectionOrder(const std::string &title, const ExportOptions &options) {
  ExportOrder order;
  order.pdfPath = options.pdf;
  order.pdf = {.title = title, .creator = creator(), .landscape = false};
  order.document.layout = exports::Layout::Collection;
  order.document.perPage = options.perPage;
  order.document.solutions = options.solutions;
  return order;
}

}  // namespace

std::string sourceCaption(const PuzzleSource &source) {
  switch (source.kind) {
    case SourceKind::Grid:
      return "盤面";
    case SourceKind::Rows:
      return "行データ";
    case SourceKind::File:
      return "データファイル " + shownFileName(source.file);
  }
  return "";
}

std::string gradeCaption(const CheckResult &check, const std::optional<Grade> &grade) {
  if (check.solutions == 0) return "解なし";
  if (check.solutions == 2) return "解が二つ以上";
  if (!grade) return "";
  return "レベル" + std::to_string(grade->level) + " " + std::string(grade->name);
}

int exportBatch(const BatchOptions &batch, const ExportOptions &options) {
  const bool standardInput = batch.path == "-";
  // A named input must be a regular file, as for --batch: a pipe without a writer would wait forever.
  const RegularFileOpen file = standardInput ? RegularFileOpen{STDIN_FILENO} : openRegularFile(batch.path);
  const int fd = file.fd;
  if (fd < 0) {
    std::cerr << "numplace-cli: cannot read " << batch.path << " (not a regular file, or missing); nothing written\n";
    return kExitBadInput;
  }
  const std::string shownName = standardInput ? std::string("標準入力") : shownFileName(batch.path);
  ExportOrder order = collectionOrder(shownName, options);
  LineReader reader(fd);
  long number = 0;
  long malformed = 0;
  std::string line;
  for (LineReader::Got got; (got = reader.next(line)) != LineReader::Got::End;) {
    ++number;
    if (got == LineReader::Got::LongLine) {
      std::cerr << batch.path << ':' << number << ": not an 81-character puzzle (a line of more than "
                << LineReader::kLongestLine << " bytes), skipped\n";
      ++malformed;
      continue;
    }
    const BatchLine kind = classifyBatchLine(line);
    if (kind == BatchLine::Passed) continue;
    if (kind == BatchLine::Malformed) {
      std::cerr << batch.path << ':' << number << ": not an 81-character puzzle, skipped\n";
      ++malformed;
      continue;
    }
    const int count = static_cast<int>(order.document.puzzles.size()) + 1;
    order.document.puzzles.push_back(
        paperPuzzle(gridOfLine(line), count, shownName + "　" + std::to_string(number) + "行目"));
  }
  const int readError = reader.error();
  if (!standardInput) ::close(fd);
  if (readError != 0) {
    std::cerr << "numplace-cli: cannot read " << batch.path << ": " << std::strerror(readError)
              << "; nothing written\n";
    return kExitBadInput;
  }
  if (order.document.puzzles.empty()) {
    std::cerr << "numplace-cli: " << batch.path << " holds no puzzle; nothing written\n";
    return kExitBadInput;
  }
  ExportReport report;
  const int status = carryOut(order, report);
  if (status != kExitDone) return status;
  std::cerr << "puzzles " << order.document.puzzles.size() << ", malformed lines " << malformed << "; pages "
            << report.pdfPages << " written to " << *options.pdf << '\n';
  return malformed > 0 ? kExitSkippedLines : kExitDone;
}

int exportPuzzles(const std::vector<Grid> &puzzles, const std::string &name, const ExportOptions &options) {
  ExportOrder order = collectionOrder(name, options);
  for (const Grid &grid : puzzles) {
    const int count = static_cast<int>(order.document.puzzles.size()) + 1;
    order.document.puzzles.push_back(paperPuzzle(grid, count, name + " " + std::to_string(count)));
  }
  ExportReport report;
  return carryOut(order, report);
}

int exportPuzzle(const PuzzleReport &report, const Grid *entries, const RunResult *lastRun,
                 const ExportOptions &options) {
  if (report.badInput) return kExitBadInput;  // the caller has said why
  ExportOrder order;
  exports::PaperPuzzle puzzle;
  puzzle.board.givens = report.givens;
  if (entries != nullptr) {
    for (std::size_t k = 0; k < entries->size(); ++k) {
      if ((*entries)[k] != 0) puzzle.board.givens[k] = 0;
    }
    puzzle.board.entries = *entries;
  }
  // The solution and the grade are those of the givens, whatever the entries hold.
  const CheckResult check = entries != nullptr ? checkGivens(puzzle.board.givens) : report.check;
  const std::optional<Grade> grade = entries != nullptr ? gradePuzzle(puzzle.board.givens, check) : report.grade;
  puzzle.board.solution = shownSolution(check);
  puzzle.caption = sourceCaption(report.source) + "　" + gradeCaption(check, grade);
  puzzle.solutionNote = solutionNote(check);
  if (lastRun != nullptr) puzzle.explanation = explainRun(*lastRun).lines();
  order.pdfPath = options.pdf;
  order.pdf = {.title = "numplace", .creator = creator(), .landscape = false};
  order.document.layout = exports::Layout::Single;
  order.document.solutions = options.solutions;
  order.pngPath = options.png;
  order.svgPath = options.svg;
  order.picture.givens = puzzle.board.givens;
  order.picture.entries = puzzle.board.entries;
  if (options.solutions) order.picture.solution = puzzle.board.solution;
  order.pixels = options.pixels;
  order.pictureTitle = "numplace " + gridText(report.givens);
  order.document.puzzles.push_back(std::move(puzzle));
  if ((options.png || options.svg) && options.solutions && check.solutions == 0) {
    std::cerr << "numplace-cli: the puzzle has no solution; the picture shows its givens\n";
  }
  ExportReport done;
  return carryOut(order, done);
}

}  // namespace numplace
