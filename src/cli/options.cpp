#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>

namespace numplace {
namespace {

constexpr unsigned kMaxJobs = 1024;

// A whole number from `low` to `high`, or nothing.
std::optional<int> numberIn(std::string_view value, int low, int high) {
  int n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (value.empty() || ec != std::errc{} || end != value.data() + value.size() || n < low || n > high) return {};
  return n;
}

// The checks of the export options against each other and the batch.
std::optional<std::string> exportConflict(const Options &o, bool perPage, bool size, bool batchOutput) {
  const ExportOptions &e = o.exports;
  if (perPage && !(o.batch && e.pdf)) return "--per-page goes with --batch and --pdf";
  if (size && !e.png && !e.svg) return "--size goes with --png or --svg";
  if (e.solutions && !e.any()) return "--solutions goes with --pdf, --png or --svg";
  if (o.batch && (e.png || e.svg)) return "--png and --svg draw one puzzle: they do not go with --batch";
  if (o.batch && e.pdf && batchOutput) {
    return "--pdf with --batch writes the puzzles only: it goes without --stats, --json, --check, --check-only and "
           "--jobs";
  }
  return std::nullopt;
}

// The threads of a batch by default: one per core.
unsigned defaultJobs() { return std::max(1u, std::thread::hardware_concurrency()); }

constexpr int kMaxGenerated = 1'000'000;

// A whole decimal number, nothing before or after it.
template <typename Number>
std::optional<Number> numberOf(std::string_view text) {
  Number n{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return n;
}

// MIN-MAX, or N for N-N.
std::optional<std::pair<int, int>> rangeOf(std::string_view text) {
  const std::size_t dash = text.find('-');
  const auto low = numberOf<int>(text.substr(0, dash));
  const auto high = dash == std::string_view::npos ? low : numberOf<int>(text.substr(dash + 1));
  if (!low || !high || *low < 0 || *low > *high) return std::nullopt;
  return std::pair{*low, *high};
}

// The value of one of --generate's options, into `g`; a message when it is bad.
std::optional<std::string> parseGenerateOption(std::string_view option, std::string_view value, GenerateRunOptions &g) {
  if (option == "--generate") {
    const auto n = numberOf<int>(value);
    if (!n || *n < 1 || *n > kMaxGenerated) return "--generate needs a number of puzzles from 1 to 1000000";
    g.count = *n;
  } else if (option == "--level") {
    auto level = levelNamed(value);
    if (!level) level = numberOf<int>(value);
    if (!level || *level < 1 || *level > kLevels)
      return "--level needs 1 to 7 or easy, medium, hard, expert, fiendish, trial, beyond";
    g.puzzle.level = *level;
  } else if (option == "--symmetry") {
    const auto symmetry = symmetryNamed(value);
    if (!symmetry) return "--symmetry needs none, rot180, rot90, mirror, flip, diagonal or antidiagonal";
    g.puzzle.symmetry = *symmetry;
  } else if (option == "--seed") {
    const auto seed = numberOf<std::uint64_t>(value);
    if (!seed || *seed >= kSeedLimit) return "--seed needs a number from 0 to " + std::to_string(kSeedLimit - 1);
    g.seed = *seed;
  } else if (option == "--givens") {
    const auto range = rangeOf(value);
    if (!range || range->first < 17 || range->second > 81)
      return "--givens needs MIN-MAX within 17-81 (no puzzle with one solution has fewer than 17)";
    std::tie(g.puzzle.minGivens, g.puzzle.maxGivens) = *range;
  } else {
    const auto range = rangeOf(value);
    if (!range) return "--score needs MIN-MAX, numbers from 0";
    std::tie(g.puzzle.minScore, g.puzzle.maxScore) = *range;
  }
  return std::nullopt;
}

bool isGenerateOption(std::string_view arg) {
  return arg == "--generate" || arg == "--level" || arg == "--symmetry" || arg == "--seed" || arg == "--givens" ||
         arg == "--score";
}

}  // namespace

const char *const kHelp = R"help(Usage: numplace-cli [OPTIONS] ACTIONS...
       numplace-cli --batch FILE|- [--stats | --json] [--check | --check-only] [--jobs N]
       numplace-cli --batch FILE|- --pdf OUT.pdf [--per-page 1|2|4|6] [--solutions]
       numplace-cli --generate N [--level L] [--symmetry S] [--seed S] [--givens MIN-MAX]
                    [--score MIN-MAX] [--not-minimal] [--jobs N] [--json]

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
  --save PATH          write the puzzle the next run would read (extra givens
                       laid) to PATH as a data file; written beside PATH and
                       renamed over it, so a failed save keeps the old file
  --open FILE          load a new puzzle as the window's File > Open does: a
                       data file's puzzle into the grid (its name into Text3),
                       or a collection's first puzzle; the row boxes emptied,
                       Text1 and Text2 back to their start-up texts, the
                       picture cleared
  --next, --previous   the next or previous puzzle of the open collection, the
                       same way
  --paste LINE         an 81-character puzzle line as a new puzzle, the same way

Output:
  --check              check the puzzle an analysis run would read at this point
                       of the actions (same sources, extra givens laid): printed
                       after them as lines "check source|solutions|clash|differ|
                       grade|solution ..."; the solutions are counted exactly,
                       to two
  --trace              write every drawing call, control change and prompt, one
                       per line, as they happen
  --json               instead of the summary, the last analysis run as one JSON
                       object on one line (see JSON below)
  --explain            instead of the summary, the last analysis run's path: one
                       numbered line per placement (cell, digit, technique and
                       the unit it looked at), then how the run ended
  --dump               at the end, one line "control NAME TEXT" per control
                       (not with --json)
  --batch FILE         solve every puzzle of FILE (- for standard input; one
                       81-character line each; 0 or . empty; blank lines and
                       lines starting with # skipped) with the answer run, one
                       line per puzzle in input order (lines longer than 4096
                       bytes skipped; FILE a regular file, not a pipe):
                       BOARD solved|unfinished|error TRIAL
  --stats              with --batch: add the passes and the placements per
                       technique to each line, and a profile of the file at the
                       end (lines starting with #)
  --json               with --batch: one JSON object per puzzle line instead
                       (JSON Lines)
  --jobs N             with --batch: solve on N threads (default: one per core);
                       the output is the same for every N
  --check              with --batch: add the exact check and the grade to every
                       line: solutions=0|1|2 [clashes=r1c1-r1c5:5:row,...]
                       [differ=r1c2,...] grade=LEVEL:NAME:SCORE|-
  --check-only         with --batch: only the exact check, no run: one line
                       PUZZLE solutions=N [clashes=...] [differ=...] [solution=...]
  --pdf FILE           after the actions, write the puzzle an analysis run would
                       read to FILE as a PDF page (A4): large, with its source and
                       grade under it, then the last analysis run's path if there
                       was one
  --png FILE           after the actions, write that puzzle's board as a square
                       PNG picture
  --svg FILE           the same as an SVG picture (lines as lines, digits as text)
  --size PX            with --png or --svg: the picture's side, 64 to 4096 pixels
                       (default 600)
  --pdf FILE           with --batch: every puzzle of the batch file, numbered,
                       each with its line number and grade (no run is made)
  --per-page N         with --batch --pdf: 1, 2, 4 (default) or 6 puzzles a page
  --solutions          with --pdf: the exact check's solutions on pages of their
                       own at the end, numbered to match; with --png or --svg:
                       the board with its solution
  --generate N         write N new puzzles, each different, one 81-character line
                       each (0 empty; --batch reads them as they are); minimal:
                       no given can be taken away without a second solution
  --level L            with --generate: of grade level L, a number or its name:
                       1 easy (naked singles, hidden singles in blocks), 2 medium
                       (hidden singles in rows or columns), 3 hard (naked
                       pairs), 4 expert (naked triples), 5 fiendish (block
                       pairs), 6 trial (one trial placement), 7 beyond (none of
                       them); default: any level
  --symmetry S         with --generate: none (default), rot180, rot90, mirror
                       (left-right), flip (up-down), diagonal, antidiagonal
  --seed S             with --generate: 0 to 9007199254740991; the same seed and
                       options give the same puzzles; default: from the clock,
                       told on the standard error
  --givens MIN-MAX     with --generate: the number of givens, within 17-81
  --score MIN-MAX      with --generate: the grade's score
  --not-minimal        with --generate: givens are taken away only down to MIN,
                       and with --level only while the puzzle is no harder
  --jobs N             with --generate: make them on N threads (default: one per
                       core); the output is the same for every N
  --json               with --generate: one JSON object per puzzle instead:
                       "puzzle", "solution", "grade", "givens", "symmetry" and
                       "seed" (--generate 1 --seed SEED with the same options
                       makes that puzzle again)
  --help, --version

JSON: one object with the fields "button" (Command3, Command7, Command1 or
Command5), "board" (81 characters, . for an empty cell: the board the run
ended on, or the board as laid when it drew none), "end" (solved, stopped,
error, inconsistent or bad-input; solved only for a full, valid grid that
extends the givens, a full board that is not one is inconsistent),
"message" (why the input was bad, else null), "trial" (the trial code
written to Text1, or null), "passes",
"numbering" ("pass": the answer run counts steps within its pass; "run") and
"placements": the path to the board, in order, each {"step", "row",
"column", "digit" (1 to 9), "word" (the technique word as the run reports
it), "technique" (its English name), "pass"}. The answer run's path is its
last pass; a run that drew no board has none. A batch line begins with
"line" (its line number in the input) and has "status" (as in the text
line) after "board". With --check (and always for one run) the object ends
with "source" {"kind": grid, rows or file, "file", "grid_passed_over"},
"check" {"solutions" (0, 1, or 2 for two or more), "solution" (81 digits
or null), "clashes" [{"cells": [[R, C], [R, C]], "digit", "unit": row,
column or block}], "differ" [[R, C], ...]} (null for bad input) and
"grade" {"level", "name", "english", "score"} or null, then
"extra_givens" [{"box": Text1|Text2, "text", "row", "column", "digit",
"effect": laid|overridden|clash|out_of_range, "written_by_answer"}] and
"cell_warnings" [{"box": "Text15(19)"|"Text5(3)", "text", "why":
several_digits|negative|too_long}]; "source" also has "collection"
{"file", "index", "count"} while the grid holds a puzzle of a collection
opened with --open (else null). --check without a run gives only these;
--check-only lines have "line", "puzzle", "source" and "check". The text
output of --check adds "check collection FILE INDEX COUNT", "check extra BOX
TEXT rRcC DIGIT EFFECT [answer]" and "check warning BOX TEXT WHY" lines.

Exit status: 0 when the actions ran; 1 when a run stopped on bad input (a
missing or malformed data file, an extra given out of range, a number the
board cannot take) or the batch input cannot be opened or read; 2 for bad
arguments, an unknown button, or --json or --explain without an analysis run
(--json goes with --check alone); 3 when a batch skipped lines that are not
puzzles (each named on the standard error; every puzzle line was still
solved), unless the input also could not be read to its end, which gives 1.
--check exits 0 whatever it finds, 1 when the puzzle cannot be read.
--pdf, --png and --svg exit 1 when the puzzle cannot be read or the file
cannot be written (a failed write leaves no file behind and an existing
file as it was).
--generate exits 0 when it has written the puzzles.
)help";

ParsedOptions parseOptions(int argc, const char *const *argv) {
  ParsedOptions parsed;
  Options &o = parsed.options;
  bool stats = false;
  bool check = false;
  bool checkOnly = false;
  std::optional<unsigned> jobs;
  bool perPage = false;
  bool size = false;
  std::optional<GenerateRunOptions> generate;
  bool generating = false;  // --generate itself given, not only its options
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      o.help = true;
      return parsed;
    }
    if (arg == "--version") {
      o.version = true;
      return parsed;
    }
    if (arg == "--trace") {
      o.trace = true;
    } else if (arg == "--dump") {
      o.dump = true;
    } else if (arg == "--json") {
      o.json = true;
    } else if (arg == "--explain") {
      o.explain = true;
    } else if (arg == "--stats") {
      stats = true;
    } else if (arg == "--check") {
      check = true;
      o.checkAfter = o.actions.size();
    } else if (arg == "--check-entries") {
      o.checkEntriesAfter = o.actions.size();
    } else if (arg == "--hint") {
      // The level is optional: 1 unless a level follows.
      std::string_view level;
      if (i + 1 < argc && (std::string_view(argv[i + 1]) == "1" || std::string_view(argv[i + 1]) == "2" ||
                           std::string_view(argv[i + 1]) == "3")) {
        level = argv[++i];
      }
      if (auto error = parseAction("hint", level, o.actions)) {
        parsed.error = std::move(error);
        return parsed;
      }
    } else if (arg == "--check-only") {
      checkOnly = true;
    } else if (arg == "--pdf" || arg == "--png" || arg == "--svg") {
      if (i + 1 >= argc || std::string_view(argv[i + 1]).empty()) {
        parsed.error = std::string(arg) + " needs a file";
        return parsed;
      }
      std::optional<std::string> &path = arg == "--pdf"   ? o.exports.pdf
                                         : arg == "--png" ? o.exports.png
                                                          : o.exports.svg;
      path = argv[++i];
    } else if (arg == "--per-page") {
      const std::optional<int> n = numberIn(i + 1 < argc ? argv[++i] : "", 1, 6);
      if (!n || !exports::isPerPage(*n)) {
        parsed.error = "--per-page needs 1, 2, 4 or 6";
        return parsed;
      }
      o.exports.perPage = *n;
      perPage = true;
    } else if (arg == "--size") {
      const std::optional<int> n =
          numberIn(i + 1 < argc ? argv[++i] : "", exports::kMinPicturePixels, exports::kMaxPicturePixels);
      if (!n) {
        parsed.error = "--size needs a number of pixels from " + std::to_string(exports::kMinPicturePixels) + " to " +
                       std::to_string(exports::kMaxPicturePixels);
        return parsed;
      }
      o.exports.pixels = *n;
      size = true;
    } else if (arg == "--solutions") {
      o.exports.solutions = true;
    } else if (arg == "--jobs") {
      unsigned n = 0;
      const std::string_view value = i + 1 < argc ? argv[++i] : "";
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
      if (value.empty() || ec != std::errc{} || end != value.data() + value.size() || n < 1 || n > kMaxJobs) {
        parsed.error = "--jobs needs a number of threads from 1 to " + std::to_string(kMaxJobs);
        return parsed;
      }
      jobs = n;
    } else if (isGenerateOption(arg)) {
      if (i + 1 >= argc) {
        parsed.error = std::string(arg) + " needs a value";
        return parsed;
      }
      if (!generate) generate.emplace();
      generating = generating || arg == "--generate";
      if (auto error = parseGenerateOption(arg, argv[++i], *generate)) {
        parsed.error = std::move(error);
        return parsed;
      }
    } else if (arg == "--not-minimal") {
      if (!generate) generate.emplace();
      generate->puzzle.minimal = false;
    } else if (arg == "--batch") {
      if (i + 1 >= argc) {
        parsed.error = "--batch needs a file";
        return parsed;
      }
      o.batch = BatchOptions{argv[++i]};
    } else if (arg.starts_with("--") && isFlagActionOption(arg.substr(2))) {
      if (auto error = parseAction(arg.substr(2), "", o.actions)) {
        parsed.error = std::move(error);
        return parsed;
      }
    } else if (arg.starts_with("--") && isActionOption(arg.substr(2))) {
      if (i + 1 >= argc) {
        parsed.error = std::string(arg) + " needs a value";
        return parsed;
      }
      if (auto error = parseAction(arg.substr(2), argv[++i], o.actions)) {
        parsed.error = std::move(error);
        return parsed;
      }
    } else {
      parsed.error = "unknown argument " + std::string(arg) + " (see --help)";
      return parsed;
    }
  }
  if (generate && !generating) {
    parsed.error = "--level, --symmetry, --seed, --givens, --score and --not-minimal go with --generate";
    return parsed;
  }
  if (generate) {
    if (o.batch || !o.actions.empty() || o.checkAfter || checkOnly || stats || o.trace || o.explain || o.dump) {
      parsed.error = "--generate goes with its own options, --jobs, --json and --pdf only";
    } else if (o.exports.png || o.exports.svg || size) {
      parsed.error = "--png and --svg draw one puzzle: with --generate, --pdf makes a booklet";
    } else if (!o.exports.pdf && (perPage || o.exports.solutions)) {
      parsed.error = "--per-page and --solutions go with --pdf";
    } else if (const auto problem = optionsProblem(generate->puzzle)) {
      parsed.error = std::string(*problem);
    }
    generate->jobs = jobs.value_or(defaultJobs());
    generate->json = std::exchange(o.json, false);
    generate->exports = o.exports;
    o.generate = generate;
    return parsed;
  }
  if (auto conflict = exportConflict(o, perPage, size, stats || o.json || check || checkOnly || jobs)) {
    parsed.error = std::move(conflict);
    return parsed;
  }
  if (o.batch) {
    if (o.explain) {
      parsed.error = "--explain does not go with --batch";
    } else if (stats && o.json) {
      parsed.error = "--stats and --json do not go together";
    } else if (checkOnly && (stats || check)) {
      parsed.error = "--check-only goes without --stats and --check";
    }
    o.checkAfter.reset();
    if (o.checkEntriesAfter) parsed.error = "--check-entries does not go with --batch";
    o.batch->check = check;
    o.batch->checkOnly = checkOnly;
    o.batch->stats = stats;
    o.batch->json = std::exchange(o.json, false);
    o.batch->jobs = jobs.value_or(defaultJobs());
    return parsed;
  }
  if (stats) {
    parsed.error = "--stats goes with --batch";
  } else if (checkOnly) {
    parsed.error = "--check-only goes with --batch";
  } else if (jobs) {
    parsed.error = "--jobs goes with --batch or --generate";
  } else if (int(o.trace) + int(o.json) + int(o.explain) > 1) {
    parsed.error = "--trace, --json and --explain each replace the summary: give one of them";
  } else if (o.json && o.dump) {
    parsed.error = "--dump does not go with --json";
  }
  return parsed;
}

}  // namespace numplace
