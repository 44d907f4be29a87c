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
      if (i + 1 < argc && isHintLevel(argv[i + 1])) {
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
