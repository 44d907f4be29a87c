// The export library: boards on pictures, pages of a PDF, and writes that
// cannot half-write. What was written is read back: PNG pixels, the SVG's
// XML, and the PDF through poppler's pdfinfo, pdftotext and pdftoppm.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "check/check.h"
#include "export/paint.h"
#include "paper_helpers.h"
#include "scratch.h"

namespace paper_test {
namespace {

using numplace::Grid;
using namespace numplace::exports;

const std::string kPuzzle = "000000000003702800060354090089000160070645030000000000040000070200506004000010000";

Grid solutionOf(const Grid &givens) { return *numplace::checkGivens(givens).solution; }

PaperDocument collection(std::size_t count, int perPage, bool solutions) {
  PaperDocument document;
  document.layout = Layout::Collection;
  document.perPage = perPage;
  document.solutions = solutions;
  int number = 0;
  for (const std::string &line : puzzleLines("top95.txt", count)) {
    PaperPuzzle puzzle;
    puzzle.board.givens = gridOf(line);
    puzzle.board.solution = solutionOf(puzzle.board.givens);
    puzzle.number = ++number;
    puzzle.caption = "キャプション";
    document.puzzles.push_back(puzzle);
  }
  return document;
}

std::string savedPdf(const Scratch &scratch, const PaperDocument &document, const std::string &name = "p.pdf") {
  const WriteResult written = writePdf(scratch.path(name), document, {.title = "題", .creator = "test"});
  EXPECT_FALSE(written.error) << *written.error;
  return scratch.path(name);
}

int darkest(const QImage &image, const FoundBoard &board, int row, int column) {
  int least = 255;
  const auto r = static_cast<std::size_t>(row);
  const auto c = static_cast<std::size_t>(column);
  for (int y = board.rows[r].to + 2; y < board.rows[r + 1].from - 1; ++y) {
    for (int x = board.columns[c].to + 2; x < board.columns[c + 1].from - 1; ++x) {
      least = std::min(least, qGray(image.pixel(x, y)));
    }
  }
  return least;
}

int widthOf(const FoundLine &line) { return line.to - line.from + 1; }

TEST(PaperFont, IsIpaGothic) {
  // Without it the PDF would embed whatever fontconfig falls back to.
  EXPECT_EQ(QFontInfo(paperFont(40)).family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(QFontInfo(paperFont(40)).pixelSize(), 40);
}

TEST(BoardPicture, DigitsStandInExactlyTheCellsOfTheGivens) {
  const Grid givens = gridOf(kPuzzle);
  const QImage image = boardImage({.givens = givens, .entries = {}, .solution = {}}, 900);
  ASSERT_EQ(image.size(), QSize(900, 900));
  const std::vector<FoundBoard> boards = findBoards(image, 300);
  ASSERT_EQ(boards.size(), 1U);
  expectInkInFilledCells(image, boards[0], givens, 1);
}

TEST(BoardPicture, BlockLinesAreThickerAndEveryCellIsOfOneSize) {
  const QImage image = boardImage({}, 900);
  const std::vector<FoundBoard> boards = findBoards(image, 300);
  ASSERT_EQ(boards.size(), 1U);
  const FoundBoard &b = boards[0];
  std::set<int> thin;
  std::set<int> thick;
  for (std::size_t i = 0; i < 10; ++i) {
    for (const FoundLine &line : {b.columns[i], b.rows[i]}) (i % 3 == 0 ? thick : thin).insert(widthOf(line));
  }
  // Snapped to whole pixels: each kind of line has one width everywhere.
  ASSERT_EQ(thin.size(), 1U);
  ASSERT_EQ(thick.size(), 1U);
  EXPECT_GE(*thick.begin(), 2 * *thin.begin());
  // The lines stand evenly: from centre to centre one cell's width.
  const auto centre = [](const FoundLine &line) { return (line.from + line.to) / 2.0; };
  std::set<double> cells;
  for (std::size_t i = 0; i < 9; ++i) {
    cells.insert(centre(b.columns[i + 1]) - centre(b.columns[i]));
    cells.insert(centre(b.rows[i + 1]) - centre(b.rows[i]));
  }
  EXPECT_LE(*cells.rbegin() - *cells.begin(), 1.0) << "cells of different sizes";
  // A white margin keeps the frame off the picture's edge.
  EXPECT_GT(b.columns[0].from, 0);
  EXPECT_LT(b.columns[9].to, 899);
}

TEST(BoardPicture, EntriesAreLighterThanGivensAndTheSolutionFillsEveryCell) {
  const Grid givens = gridOf(kPuzzle);
  const Grid solution = solutionOf(givens);
  Grid entries{};
  entries[0] = solution[0];  // row 1, column 1
  entries[1] = 5;            // a wrong entry in row 1, column 2
  const QImage withEntries = boardImage({.givens = givens, .entries = entries, .solution = {}}, 900);
  const std::vector<FoundBoard> boards = findBoards(withEntries, 300);
  ASSERT_EQ(boards.size(), 1U);
  Grid shown = givens;
  shown[0] = entries[0];
  shown[1] = entries[1];
  expectInkInFilledCells(withEntries, boards[0], shown, 1);
  const int given = darkest(withEntries, boards[0], 1, 2);  // the given 3
  const int entry = darkest(withEntries, boards[0], 0, 0);
  EXPECT_LT(given, 40);
  EXPECT_GT(entry, given + 50) << "an entry is drawn as dark as a given";

  // The solution is drawn in every cell that is not a given, over the entries.
  const QImage solved = boardImage({.givens = givens, .entries = entries, .solution = solution}, 900);
  expectInkInFilledCells(solved, boards[0], solution, 1);
  EXPECT_EQ(solved, boardImage({.givens = givens, .entries = {}, .solution = solution}, 900));
}

// The SVG's lines and texts, read as XML.
struct SvgContent {
  struct Line {
    double x1, y1, x2, y2, width;
  };
  std::vector<Line> lines;
  struct Text {
    double x, y;
    QString text;
    QString weight;
  };
  std::vector<Text> texts;
  QString error;
};

SvgContent readSvg(const QByteArray &svg) {
  SvgContent out;
  QXmlStreamReader xml(svg);
  std::vector<double> widths{1};
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const QXmlStreamAttributes a = xml.attributes();
      widths.push_back(a.hasAttribute(QStringLiteral("stroke-width"))
                           ? a.value(QStringLiteral("stroke-width")).toDouble()
                           : widths.back());
      if (xml.name() == QStringLiteral("polyline")) {
        const QStringList points = a.value(QStringLiteral("points")).toString().split(' ', Qt::SkipEmptyParts);
        if (points.size() == 2) {
          const QStringList p = points[0].split(',');
          const QStringList q = points[1].split(',');
          out.lines.push_back({p[0].toDouble(), p[1].toDouble(), q[0].toDouble(), q[1].toDouble(), widths.back()});
        }
      } else if (xml.name() == QStringLiteral("text")) {
        const double x = a.value(QStringLiteral("x")).toDouble();
        const double y = a.value(QStringLiteral("y")).toDouble();
        const QString weight = a.value(QStringLiteral("font-weight")).toString();
        out.texts.push_back({x, y, xml.readElementText(), weight});
        widths.pop_back();
      }
    } else if (xml.isEndElement()) {
      widths.pop_back();
    }
  }
  if (xml.hasError()) out.error = xml.errorString();
  return out;
}

TEST(BoardSvg, IsXmlWithTheLinesOfEightyOneCellsAndTheGivensAsText) {
  const Grid givens = gridOf(kPuzzle);
  const SvgContent svg = readSvg(boardSvg({.givens = givens, .entries = {}, .solution = {}}, 600, "t"));
  ASSERT_TRUE(svg.error.isEmpty()) << svg.error.toStdString();
  // Ten lines down and ten across, each spanning the board, evenly spaced.
  std::map<double, double> down;    // x -> width
  std::map<double, double> across;  // y -> width
  double top = 1e9;
  double bottom = -1e9;
  for (const SvgContent::Line &l : svg.lines) {
    if (l.x1 == l.x2) {
      down[l.x1] = l.width;
      top = std::min({top, l.y1, l.y2});
      bottom = std::max({bottom, l.y1, l.y2});
    } else if (l.y1 == l.y2) {
      across[l.y1] = l.width;
    }
  }
  ASSERT_EQ(down.size(), 10U);
  ASSERT_EQ(across.size(), 10U);
  std::vector<double> xs;
  std::vector<double> ys;
  int i = 0;
  for (const auto &[x, width] : down) {
    xs.push_back(x);
    EXPECT_EQ(width > 2, i++ % 3 == 0) << "line at x " << x;
  }
  for (const auto &[y, width] : across) ys.push_back(y);
  const double cell = (xs[9] - xs[0]) / 9;
  for (std::size_t k = 0; k < 10; ++k) {
    EXPECT_NEAR(xs[k], xs[0] + cell * static_cast<double>(k), 0.01);
    EXPECT_NEAR(ys[k], ys[0] + cell * static_cast<double>(k), 0.01);
  }
  EXPECT_NEAR(top, ys[0], 0.01);
  EXPECT_NEAR(bottom, ys[9], 0.01);
  // The givens, in reading order, each within its own cell, bold.
  std::string digits;
  for (const SvgContent::Text &t : svg.texts) {
    ASSERT_EQ(t.text.size(), 1);
    digits += t.text.toStdString();
    const auto column = static_cast<std::size_t>((t.x - xs[0]) / cell);
    const auto row = static_cast<std::size_t>((t.y - ys[0]) / cell);
    ASSERT_LT(row * 9 + column, 81U);
    EXPECT_EQ(givens[row * 9 + column], t.text.toInt()) << "a digit outside its cell";
    EXPECT_EQ(t.weight, QStringLiteral("700"));
  }
  EXPECT_EQ(digits, digitsOf(givens));
}

TEST(PaperPages, EveryLayoutTakesThePagesItShould) {
  for (const int perPage : {1, 2, 4, 6}) {
    for (const int count : {1, 5, 12, 13}) {
      for (const bool solutions : {false, true}) {
        const PaperDocument document = collection(static_cast<std::size_t>(count), perPage, solutions);
        const int expected = (count + perPage - 1) / perPage + (solutions ? (count + 11) / 12 : 0);
        ASSERT_EQ(collectionPages(document), expected);
        int painted = 0;
        EXPECT_FALSE(documentPdf(document, {}, &painted).isEmpty());
        EXPECT_EQ(painted, expected) << perPage << " a page, " << count << " puzzles, solutions " << solutions;
      }
    }
  }
}

TEST(PaperPages, PdfHasTheTitleTheCreatorAndEmbedsIpaGothic) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  const std::string pdf = savedPdf(scratch, collection(5, 4, true));
  EXPECT_EQ(pdfPages(pdf), 3);
  EXPECT_EQ(pdfInfo(pdf, "Title"), "題");
  EXPECT_EQ(pdfInfo(pdf, "Creator"), "test");
  EXPECT_NE(pdfInfo(pdf, "Page size").find("(A4)"), std::string::npos);
  const std::string fonts = commandOutput("pdffonts " + quoted(pdf)).value_or("");
  // name, type, encoding, then "emb" yes.
  std::size_t at = fonts.find("IPAGothic");
  ASSERT_NE(at, std::string::npos) << fonts;
  EXPECT_NE(fonts.substr(at, fonts.find('\n', at) - at).find(" yes "), std::string::npos) << fonts;
}

TEST(PaperPages, RenderedBoardsHoldEachGivenInItsOwnCell) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  for (const int perPage : {1, 2, 4, 6}) {
    const PaperDocument document = collection(static_cast<std::size_t>(perPage), perPage, true);
    const std::string pdf = savedPdf(scratch, document);
    const QImage page = renderPage(pdf, 1, 50, scratch.path("r"));
    ASSERT_FALSE(page.isNull());
    const std::vector<FoundBoard> boards = findBoards(page, 60);
    ASSERT_EQ(boards.size(), static_cast<std::size_t>(perPage)) << perPage << " a page";
    for (std::size_t i = 0; i < boards.size(); ++i) {
      SCOPED_TRACE("board " + std::to_string(i + 1) + " of " + std::to_string(perPage));
      expectInkInFilledCells(page, boards[i], document.puzzles[i].board.givens, 1);
    }
    // The solution page: every cell filled.
    const QImage solutions = renderPage(pdf, 2, 50, scratch.path("s"));
    const std::vector<FoundBoard> solved = findBoards(solutions, 40);
    ASSERT_EQ(solved.size(), static_cast<std::size_t>(perPage));
    expectInkInFilledCells(solutions, solved[0], *document.puzzles[0].board.solution, 1);
  }
}

TEST(PaperPages, LandscapeLaysSixPuzzlesInThreeColumnsOfTwo) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  const PaperDocument document = collection(6, 6, false);
  const std::string pdf = scratch.path("l.pdf");
  ASSERT_FALSE(writePdf(pdf, document, {.title = "", .creator = "", .landscape = true}).error);
  EXPECT_NE(pdfInfo(pdf, "Page size").find("842 x 595"), std::string::npos) << pdfInfo(pdf, "Page size");
  const QImage page = renderPage(pdf, 1, 50, scratch.path("r"));
  const std::vector<FoundBoard> boards = findBoards(page, 60);
  ASSERT_EQ(boards.size(), 6U);
  std::set<int> lefts;
  std::set<int> tops;
  for (const FoundBoard &b : boards) {
    lefts.insert(b.columns[0].from);
    tops.insert(b.rows[0].from);
  }
  EXPECT_EQ(lefts.size(), 3U);
  EXPECT_EQ(tops.size(), 2U);
  // Numbered in reading order: row by row.
  expectInkInFilledCells(page, boards[1], document.puzzles[1].board.givens, 1);
  expectInkInFilledCells(page, boards[3], document.puzzles[3].board.givens, 1);
}

TEST(PaperPages, TheSinglePuzzleIsCentredAndItsExplanationFlowsOntoFurtherPages) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  PaperDocument alone;
  PaperPuzzle puzzle;
  puzzle.board.givens = gridOf(kPuzzle);
  puzzle.caption = "盤面　見出し";
  alone.puzzles.push_back(puzzle);
  const std::string centred = savedPdf(scratch, alone, "alone.pdf");
  ASSERT_EQ(pdfPages(centred), 1);
  const QImage page = renderPage(centred, 1, 50, scratch.path("r"));
  const std::vector<FoundBoard> boards = findBoards(page, 60);
  ASSERT_EQ(boards.size(), 1U);
  expectInkInFilledCells(page, boards[0], puzzle.board.givens, 1);
  const int left = boards[0].columns[0].from;
  const int right = page.width() - 1 - boards[0].columns[9].to;
  EXPECT_LE(std::abs(left - right), 2) << "not centred across";
  EXPECT_GT(boards[0].columns[9].to - left, page.width() * 7 / 10) << "not large";
  const int above = boards[0].rows[0].from;
  const int below = page.height() - 1 - boards[0].rows[9].to;
  EXPECT_LT(std::abs(above - below), page.height() / 10) << "not centred down";

  // 150 lines, more than a page holds below the board: all of them, in order.
  for (int i = 1; i <= 150; ++i) puzzle.explanation.push_back("説明の行 " + std::to_string(i) + " 番");
  PaperDocument explained;
  explained.puzzles.push_back(puzzle);
  const std::string pdf = savedPdf(scratch, explained, "explained.pdf");
  const int pages = pdfPages(pdf);
  ASSERT_GE(pages, 3);
  std::vector<std::string> seen;
  for (int p = 1; p <= pages; ++p) {
    for (const std::string &line : pageLines(pdf, p)) {
      if (line.starts_with("説明の行")) seen.push_back(line);
    }
  }
  ASSERT_EQ(seen.size(), 150U);
  for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], "説明の行 " + std::to_string(i + 1) + " 番");
  // The board now stands at the top of the first page.
  const QImage first = renderPage(pdf, 1, 50, scratch.path("e"));
  const std::vector<FoundBoard> top = findBoards(first, 60);
  ASSERT_EQ(top.size(), 1U);
  EXPECT_LT(top[0].rows[0].from, first.height() / 8);
}

TEST(PaperPages, APrintersMarginsCountTowardThePapersOwn) {
  SKIP_WITHOUT_POPPLER();
  const Scratch scratch;
  const PaperDocument document = collection(4, 4, false);
  for (const double margin : {0.0, 5.0, 25.0}) {
    const std::string pdf = scratch.path("m.pdf");
    {
      QPdfWriter writer(QString::fromStdString(pdf));
      writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter));
      ASSERT_EQ(paintDocument(writer, document), 1);
    }
    const QImage page = renderPage(pdf, 1, 50, scratch.path("r"));
    const int edge = static_cast<int>(std::ceil(std::max(12.0, margin) / 25.4 * 50)) - 1;
    int ink = 0;
    for (int y = 0; y < page.height(); ++y) {
      for (int x = 0; x < page.width(); ++x) {
        const bool nearEdge = x < edge || y < edge || x >= page.width() - edge || y >= page.height() - edge;
        if (nearEdge && inked(page, x, y)) ++ink;
      }
    }
    EXPECT_EQ(ink, 0) << "ink within the margin of " << margin << " mm";
    EXPECT_EQ(findBoards(page, 60).size(), 4U);
  }
}

TEST(SaveWhole, ReplacesAFileAndLeavesNothingElseBehind) {
  const Scratch scratch;
  const std::string target = scratch.write("out.png", "old");
  ASSERT_FALSE(saveWhole(QString::fromStdString(target), QByteArray("new content")));
  EXPECT_EQ(fileBytes(target), "new content");
  EXPECT_EQ(scratch.names(), std::vector<std::string>{"out.png"});
}

TEST(SaveWhole, AMissingFolderOrATargetThatIsNoFileIsRefusedAndNothingIsMade) {
  const Scratch scratch;
  const std::string missing = scratch.path("no/such/folder/out.pdf");
  const std::optional<QString> noFolder = saveWhole(QString::fromStdString(missing), QByteArray("x"));
  ASSERT_TRUE(noFolder);
  EXPECT_TRUE(noFolder->contains(QString::fromStdString(missing))) << noFolder->toStdString();
  EXPECT_TRUE(noFolder->contains(QStringLiteral("フォルダ"))) << noFolder->toStdString();
  EXPECT_TRUE(scratch.names().empty());

  std::filesystem::create_directory(scratch.path("folder.pdf"));
  scratch.write("folder.pdf/inside", "kept");
  const std::optional<QString> folder = saveWhole(QString::fromStdString(scratch.path("folder.pdf")), QByteArray("x"));
  ASSERT_TRUE(folder);
  EXPECT_TRUE(folder->contains(QStringLiteral("ファイルではありません"))) << folder->toStdString();
  EXPECT_EQ(fileBytes(scratch.path("folder.pdf/inside")), "kept");
  EXPECT_EQ(scratch.names(), std::vector<std::string>{"folder.pdf"});
}

TEST(SaveWhole, BadRequestsWriteNothing) {
  const Scratch scratch;
  const std::string old = scratch.write("old.pdf", "old bytes");
  EXPECT_TRUE(writePdf(old, PaperDocument{}, {}).error);  // no puzzle
  PaperDocument five = collection(1, 4, false);
  five.perPage = 5;
  EXPECT_TRUE(writePdf(old, five, {}).error);
  EXPECT_TRUE(writePng(old, {}, kMinPicturePixels - 1).error);
  EXPECT_TRUE(writeSvg(old, {}, kMaxPicturePixels + 1, "").error);
  EXPECT_EQ(fileBytes(old), "old bytes");
  EXPECT_EQ(scratch.names(), std::vector<std::string>{"old.pdf"});
  // The smallest and largest sizes are taken.
  EXPECT_FALSE(writePng(scratch.path("small.png"), {}, kMinPicturePixels).error);
  EXPECT_EQ(QImage(QString::fromStdString(scratch.path("small.png"))).size(),
            QSize(kMinPicturePixels, kMinPicturePixels));
}

}  // namespace
}  // namespace paper_test
