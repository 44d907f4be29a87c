// numplace-cli --pdf, --png and --svg, run as a user runs them: what they
// write, read back through poppler and the picture's pixels, and what a
// failed write leaves (nothing new, the old file as it was).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <filesystem>

#include "check/check.h"
#include "cli/options.h"
#include "cli_run.h"
#include "paper_helpers.h"
#include "scratch.h"
#include "script/explanation.h"

namespace paper_test {
namespace {

using numplace::Grid;
using numplace_test::CliResult;
using numplace_test::runCli;

const std::string kPuzzle = "000000000003702800060354090089000160070645030000000000040000070200506004000010000";
const std::string kTop95 = kDataDir + "/top95.txt";

Grid solutionOf(const std::string &line) { return *numplace::checkGivens(gridOf(line)).solution; }

std::string batchFile(const Scratch &scratch, std::size_t count) {
  std::string text;
  for (const std::string &line : puzzleLines("top95.txt", count)) text += line + "\n";
  return scratch.write("batch.txt", text);
}

TEST(ExportCli, Top95FourAPageWithSolutions) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  const std::string pdf = scratch.path("out.pdf");
  const CliResult r = runCli("--batch " + quoted(kTop95) + " --pdf " + quoted(pdf) + " --per-page 4 --solutions");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("puzzles 95"), std::string::npos) << r.err;
  const std::vector<std::string> puzzles = puzzleLines("top95.txt", 95);
  ASSERT_EQ(pdfPages(pdf), 24 + 8);
  EXPECT_EQ(pdfInfo(pdf, "Title"), "top95.txt");
  EXPECT_EQ(pdfInfo(pdf, "Creator"), std::string("numplace-cli ") + NUMPLACE_VERSION);
  std::size_t next = 0;
  for (int page = 1; page <= 24; ++page) {
    const std::vector<std::string> lines = pageLines(pdf, page);
    const std::vector<NumberedText> texts = numberedTexts(lines, "行目");
    EXPECT_EQ(texts.size(), page < 24 ? 4U : 3U) << "page " << page;
    for (const NumberedText &t : texts) {
      ASSERT_LT(next, puzzles.size());
      EXPECT_EQ(t.number, static_cast<int>(next) + 1);
      EXPECT_EQ(t.digits, digitsOf(gridOf(puzzles[next]))) << "puzzle " << t.number << " on page " << page;
      ++next;
    }
    // Each caption names the line the puzzle came from and its grade.
    const Grid first = gridOf(puzzles[static_cast<std::size_t>(4 * page - 4)]);
    const std::optional<numplace::Grade> grade = numplace::gradePuzzle(first, numplace::checkGivens(first));
    ASSERT_TRUE(grade);
    const std::string caption = "top95.txt " + std::to_string(4 * page - 3) + "行目 レベル" +
                                std::to_string(grade->level) + " " + std::string(grade->name);
    EXPECT_NE(std::find(lines.begin(), lines.end(), caption), lines.end()) << caption << " on page " << page;
  }
  EXPECT_EQ(next, 95U);
  next = 0;
  for (int page = 25; page <= 32; ++page) {
    const std::vector<std::string> lines = pageLines(pdf, page);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "解答");
    for (const NumberedText &t : numberedTexts(lines, "解答")) {
      EXPECT_EQ(t.number, static_cast<int>(next) + 1);
      EXPECT_EQ(t.digits, digitsOf(solutionOf(puzzles[next]))) << "solution " << t.number;
      ++next;
    }
  }
  EXPECT_EQ(next, 95U);
  // The rendered first page: each given in its own cell, the empty cells blank.
  const QImage page = renderPage(pdf, 1, 50, scratch.path("r"));
  const std::vector<FoundBoard> boards = findBoards(page, 60);
  ASSERT_EQ(boards.size(), 4U);
  for (std::size_t i = 0; i < 4; ++i) expectInkInFilledCells(page, boards[i], gridOf(puzzles[i]), 1);
}

TEST(ExportCli, PagesForEachNumberAPage) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  const std::string batch = batchFile(scratch, 7);
  for (const int perPage : {1, 2, 4, 6}) {
    for (const bool solutions : {false, true}) {
      const std::string pdf = scratch.path("p.pdf");
      const CliResult r = runCli("--batch " + quoted(batch) + " --pdf " + quoted(pdf) + " --per-page " +
                                 std::to_string(perPage) + (solutions ? " --solutions" : ""));
      ASSERT_EQ(r.status, 0) << r.err;
      EXPECT_EQ(pdfPages(pdf), (7 + perPage - 1) / perPage + (solutions ? 1 : 0)) << perPage << " a page";
    }
  }
  // Four a page when not told.
  ASSERT_EQ(runCli("--batch " + quoted(batch) + " --pdf " + quoted(scratch.path("d.pdf"))).status, 0);
  EXPECT_EQ(pdfPages(scratch.path("d.pdf")), 2);
}

TEST(ExportCli, BatchLinesAreReadAsTheBatchReadsThem) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  const std::vector<std::string> p = puzzleLines("top95.txt", 2);
  std::string second = p[1];
  std::replace(second.begin(), second.end(), '0', '.');
  const std::string batch = scratch.write("b.txt", "# a comment\n" + p[0] + "\r\n\nnot a puzzle\n" + second + "\n");
  const std::string pdf = scratch.path("b.pdf");
  const CliResult r = runCli("--batch " + quoted(batch) + " --pdf " + quoted(pdf) + " --per-page 2");
  EXPECT_EQ(r.status, 3) << r.err;  // a line skipped
  EXPECT_NE(r.err.find("b.txt:4: not an 81-character puzzle, skipped"), std::string::npos) << r.err;
  const std::vector<std::string> lines = pageLines(pdf, 1);
  const std::vector<NumberedText> texts = numberedTexts(lines, "行目");
  ASSERT_EQ(texts.size(), 2U);
  EXPECT_EQ(texts[1].number, 2);
  EXPECT_EQ(texts[1].digits, digitsOf(gridOf(p[1])));
  EXPECT_NE(std::find_if(lines.begin(), lines.end(), [](const std::string &l) { return l.starts_with("b.txt 5行目"); }),
            lines.end());

  // No puzzle, or input that cannot be read: nothing written.
  const std::string none = scratch.path("none.pdf");
  const CliResult empty = runCli("--batch " + quoted(scratch.write("e.txt", "# nothing\n")) + " --pdf " + quoted(none));
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.err.find("holds no puzzle"), std::string::npos) << empty.err;
  const CliResult folder = runCli("--batch " + quoted(scratch.folder().string()) + " --pdf " + quoted(none));
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.err.find("nothing written"), std::string::npos) << folder.err;
  EXPECT_FALSE(std::filesystem::exists(none));
  // Standard input.
  const CliResult piped =
      numplace_test::runCliOnInput("--batch - --pdf " + quoted(scratch.path("in.pdf")), p[0] + "\n");
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(pdfInfo(scratch.path("in.pdf"), "Title"), "標準入力");
}

TEST(ExportCli, PngOfTheBoardAtTheSizeAsked) {
  const Scratch scratch;
  const std::string png = scratch.path("p.png");
  const CliResult r = runCli("--grid " + kPuzzle + " --png " + quoted(png) + " --size 900");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;       // no start-up chatter of the platform
  EXPECT_TRUE(r.out.starts_with("board:"));  // the summary as ever
  const QImage image(QString::fromStdString(png));
  ASSERT_EQ(image.size(), QSize(900, 900));
  const std::vector<FoundBoard> boards = findBoards(image, 300);
  ASSERT_EQ(boards.size(), 1U);
  expectInkInFilledCells(image, boards[0], gridOf(kPuzzle), 1);
  // With --solutions every cell holds its digit.
  ASSERT_EQ(runCli("--grid " + kPuzzle + " --png " + quoted(png) + " --solutions").status, 0);
  const QImage solved(QString::fromStdString(png));
  ASSERT_EQ(solved.size(), QSize(600, 600));
  const std::vector<FoundBoard> again = findBoards(solved, 200);
  ASSERT_EQ(again.size(), 1U);
  expectInkInFilledCells(solved, again[0], solutionOf(kPuzzle), 1);
}

// The user's entries go onto the picture too, apart from the givens.
TEST(ExportCli, EntriesOnThePicture) {
  const Scratch scratch;
  const std::string png = scratch.path("e.png");
  const Grid solution = solutionOf(kPuzzle);
  std::string entries(81, '0');
  Grid shown = gridOf(kPuzzle);
  const std::size_t at = kPuzzle.find_first_of("0.");
  entries[at] = static_cast<char>('0' + solution[at]);
  shown[at] = solution[at];
  const CliResult r = runCli("--puzzle " + kPuzzle + " --entries " + entries + " --png " + quoted(png) + " --size 450");
  ASSERT_EQ(r.status, 0) << r.err;
  const QImage image(QString::fromStdString(png));
  const std::vector<FoundBoard> boards = findBoards(image, 150);
  ASSERT_EQ(boards.size(), 1U);
  expectInkInFilledCells(image, boards[0], shown, 1);
}

// --generate N --pdf: a booklet of the puzzles made, beside their lines.
TEST(ExportCli, BookletOfNewPuzzles) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  const std::string pdf = scratch.path("new.pdf");
  const CliResult r = runCli("--generate 6 --level 1 --seed 4 --pdf " + quoted(pdf) + " --per-page 4 --solutions");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(CliResult::linesOf(r.out).size(), 6U);
  EXPECT_EQ(pdfPages(pdf), 2 + 1);
  EXPECT_EQ(runCli("--generate 2 --png " + quoted(scratch.path("x.png"))).status, 2);
}

TEST(ExportCli, SvgIsWellFormedWithTheGivensAsText) {
  const Scratch scratch;
  const std::string svg = scratch.path("p.svg");
  ASSERT_EQ(runCli("--grid " + kPuzzle + " --svg " + quoted(svg)).status, 0);
  QFile file(QString::fromStdString(svg));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  std::string digits;
  int lines = 0;
  bool svgRoot = false;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == QStringLiteral("svg")) {
      svgRoot = xml.attributes().value(QStringLiteral("viewBox")) == QStringLiteral("0 0 600 600");
    }
    if (xml.name() == QStringLiteral("polyline")) ++lines;
    if (xml.name() == QStringLiteral("text")) digits += xml.readElementText().toStdString();
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_TRUE(svgRoot);
  EXPECT_EQ(lines, 20);
  EXPECT_EQ(digits, digitsOf(gridOf(kPuzzle)));
}

TEST(ExportCli, OnePuzzleWithItsSourceGradePathAndSolution) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  const std::string pdf = scratch.path("one.pdf");
  const CliResult r =
      runCli("--grid " + kPuzzle + " --answer 2 --click Command7 --pdf " + quoted(pdf) + " --solutions");
  ASSERT_EQ(r.status, 0) << r.err;
  const int pages = pdfPages(pdf);
  ASSERT_GE(pages, 2);
  std::vector<std::string> text;
  for (int p = 1; p <= pages; ++p) {
    for (const std::string &line : pageLines(pdf, p)) text.push_back(line);
  }
  // The givens first, the caption under them, then the step run's path.
  const auto caption = std::find(text.begin(), text.end(), "盤面 レベル3 上級");
  ASSERT_NE(caption, text.end());
  std::string before;
  for (auto it = text.begin(); it != caption; ++it) before += digitsOf(*it);
  EXPECT_EQ(before, digitsOf(gridOf(kPuzzle)));
  ASSERT_NE(caption + 1, text.end());
  EXPECT_EQ(caption[1], "1 STEP（Command7）：56手");
  EXPECT_NE(std::find(text.begin(), text.end(), "終了：解けました（solved）"), text.end());
  // The last page: the solution.
  const std::vector<std::string> last = pageLines(pdf, pages);
  ASSERT_FALSE(last.empty());
  EXPECT_EQ(last[0], "解答");
  std::string solution;
  for (std::size_t i = 1; i < last.size(); ++i) solution += digitsOf(last[i]);
  EXPECT_EQ(solution, digitsOf(solutionOf(kPuzzle)));

  // Without a run: the puzzle alone, its source named.
  const std::string file = scratch.path("file.pdf");
  ASSERT_EQ(runCli("--file " + quoted(NUMPLACE_EXAMPLES_DIR "/trial.csv") + " --pdf " + quoted(file)).status, 0);
  ASSERT_EQ(pdfPages(file), 1);
  const std::vector<std::string> alone = pageLines(file, 1);
  EXPECT_NE(std::find_if(alone.begin(), alone.end(),
                         [](const std::string &l) { return l.starts_with("データファイル trial.csv "); }),
            alone.end());
}

TEST(ExportCli, APuzzleThatCannotBeReadWritesNothing) {
  const Scratch scratch;
  const std::string pdf = scratch.path("x.pdf");
  const CliResult r = runCli("--file " + quoted(scratch.path("missing.csv")) + " --pdf " + quoted(pdf));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
  EXPECT_TRUE(scratch.names().empty());
}

TEST(ExportCli, AFolderThatIsMissingIsNamedAndNothingIsWritten) {
  const Scratch scratch;
  const std::string png = scratch.path("no/folder/p.png");
  const CliResult r = runCli("--grid " + kPuzzle + " --png " + quoted(png));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("フォルダ「" + scratch.path("no/folder") + "」がありません"), std::string::npos) << r.err;
  EXPECT_TRUE(scratch.names().empty());
}

// A write the disk refuses half-way: the file-size limit, which holds for
// root too, with its signal ignored so that the write itself fails.
TEST(ExportCli, AWriteThatFailsKeepsTheOldFileByteForByte) {
  const Scratch scratch;
  for (const std::string kind : {"pdf", "png", "svg"}) {
    const std::string old = scratch.write("old." + kind, "the old " + kind + " file\n");
    const std::string target = "--" + kind + " " + quoted(old) + (kind == "pdf" ? "" : " --size 1200");
    const CliResult r =
        runCli("--grid " + kPuzzle + " " + target, "f() { trap '' XFSZ; ulimit -f 4; exec \"$@\"; }; f");
    EXPECT_EQ(r.status, 1) << kind << ": " << r.err;
    EXPECT_NE(r.err.find("書き込みに失敗しました"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("元のファイルはそのままです"), std::string::npos) << r.err;
    EXPECT_EQ(fileBytes(old), "the old " + kind + " file\n");
    EXPECT_EQ(scratch.names(), std::vector<std::string>{"old." + kind}) << "a temporary file left behind";
    std::filesystem::remove(old);
  }
}

TEST(ExportCli, AReadOnlyFolderKeepsItsFile) {
  const Scratch scratch;
  const std::string folder = scratch.path("ro");
  std::filesystem::create_directory(folder);
  std::ofstream(folder + "/out.pdf") << "kept";
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                           std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                           std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
  std::string as;
  if (::geteuid() == 0) {
    // Root writes anywhere: the program runs as nobody instead.
    if (!hasTool("setpriv")) GTEST_SKIP() << "running as root without setpriv to run as another user";
    as = "setpriv --reuid=65534 --regid=65534 --clear-groups";
  }
  const CliResult r = runCli("--grid " + kPuzzle + " --pdf " + quoted(folder + "/out.pdf"), as);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("に書き込めません"), std::string::npos) << r.err;
  EXPECT_EQ(fileBytes(folder + "/out.pdf"), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

TEST(ExportCli, WithoutItsModuleTheExportFailsAndTheRestRuns) {
  const Scratch scratch;
  const std::string copy = scratch.path("numplace-cli");
  std::filesystem::copy_file(NUMPLACE_CLI_PATH, copy);
  // The shell function drops the program's own path and runs the copy.
  const CliResult r = runCli("--grid " + kPuzzle + " --png " + quoted(scratch.path("p.png")),
                             "f() { shift; exec " + quoted(copy) + " \"$@\"; }; f");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("export module numplace-cli-export.so is not installed"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(scratch.path("p.png")));
  const CliResult batch =
      runCli("--batch " + batchFile(scratch, 2) + " --jobs 1", "f() { shift; exec " + quoted(copy) + " \"$@\"; }; f");
  EXPECT_EQ(batch.status, 0) << batch.err;
  EXPECT_EQ(batch.lines().size(), 2U);
}

TEST(ExportCli, OptionsThatDoNotGoTogether) {
  const auto refused = [](const std::vector<const char *> &arguments, const std::string &message) {
    std::vector<const char *> argv{"numplace-cli"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const numplace::ParsedOptions parsed = numplace::parseOptions(static_cast<int>(argv.size()), argv.data());
    ASSERT_TRUE(parsed.error) << arguments.front();
    EXPECT_NE(parsed.error->find(message), std::string::npos) << *parsed.error;
  };
  refused({"--batch", "f", "--pdf", "o.pdf", "--per-page", "3"}, "--per-page needs 1, 2, 4 or 6");
  refused({"--batch", "f", "--pdf", "o.pdf", "--per-page", "8"}, "--per-page needs 1, 2, 4 or 6");
  refused({"--pdf", "o.pdf", "--per-page", "2"}, "--per-page goes with --batch and --pdf");
  refused({"--png", "o.png", "--size", "63"}, "--size needs a number of pixels from 64 to 4096");
  refused({"--png", "o.png", "--size", "4097"}, "--size needs");
  refused({"--png", "o.png", "--size", "9x"}, "--size needs");
  refused({"--pdf", "o.pdf", "--size", "100"}, "--size goes with --png or --svg");
  refused({"--solutions"}, "--solutions goes with --pdf, --png or --svg");
  refused({"--batch", "f", "--png", "o.png"}, "do not go with --batch");
  refused({"--batch", "f", "--pdf", "o.pdf", "--stats"}, "--pdf with --batch writes the puzzles only");
  refused({"--batch", "f", "--pdf", "o.pdf", "--jobs", "2"}, "--pdf with --batch writes the puzzles only");
  refused({"--pdf"}, "--pdf needs a file");
  refused({"--svg", ""}, "--svg needs a file");

  std::vector<const char *> argv{"numplace-cli", "--batch", "f", "--pdf", "o.pdf", "--per-page", "6", "--solutions"};
  const numplace::ParsedOptions batch = numplace::parseOptions(static_cast<int>(argv.size()), argv.data());
  ASSERT_FALSE(batch.error) << *batch.error;
  EXPECT_EQ(batch.options.exports.pdf, "o.pdf");
  EXPECT_EQ(batch.options.exports.perPage, 6);
  EXPECT_TRUE(batch.options.exports.solutions);
  argv = {"numplace-cli", "--grid", kPuzzle.c_str(), "--png", "a.png", "--svg", "b.svg",
          "--size",       "64",     "--pdf",         "c.pdf"};
  const numplace::ParsedOptions all = numplace::parseOptions(static_cast<int>(argv.size()), argv.data());
  ASSERT_FALSE(all.error) << *all.error;
  EXPECT_EQ(all.options.exports.pixels, 64);
  EXPECT_EQ(all.options.actions.size(), 1U);
  // Bad arguments exit 2 and write nothing.
  const Scratch scratch;
  EXPECT_EQ(runCli("--grid " + kPuzzle + " --png " + quoted(scratch.path("p.png")) + " --size 10").status, 2);
  EXPECT_TRUE(scratch.names().empty());
}

}  // namespace
}  // namespace paper_test
