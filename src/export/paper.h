// Puzzles on paper and as pictures, as plain data: what goes on the pages
// of a print or a PDF, and on a picture of one board. The painting itself
// (src/export/paint.h) needs Qt; this header does not, so the CLI can
// describe an export without linking Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runs/result.h"

namespace numplace::exports {

// One board: the givens (bold), optionally the user's entries (lighter) or
// the solution (lighter, in every cell that is not a given; the entries are
// then not drawn).
struct BoardContent {
  Grid givens{};
  std::optional<Grid> entries;
  std::optional<Grid> solution;
};

// One puzzle on paper.
struct PaperPuzzle {
  BoardContent board;                    // its solution is drawn on the solution pages only
  int number = 0;                        // "No.N" beside the board and its solution; 0 shows none
  std::string caption;                   // the line under the board: source and grade (UTF-8)
  std::string solutionNote;              // a line under its solution, e.g. that it has none
  std::vector<std::string> explanation;  // Single: lines printed after the puzzle
};

enum class Layout {
  Single,      // each puzzle large on a page of its own, its caption and its explanation after it;
               // the solutions two a page at the end
  Collection,  // perPage puzzles a page, numbered, their solutions smaller at the end
};

// The fixed texts of the pages, for the caller to translate.
struct PaperTexts {
  std::string numberPrefix = "No.";
  std::string solutionsHeading = "解答";
};

struct PaperDocument {
  Layout layout = Layout::Single;
  std::vector<PaperPuzzle> puzzles;
  int perPage = 4;         // Collection: 1, 2, 4 or 6
  bool solutions = false;  // the solutions on pages of their own at the end
  PaperTexts texts;
};

// The puzzles a Collection page can hold.
inline bool isPerPage(int n) { return n == 1 || n == 2 || n == 4 || n == 6; }

// Solutions a Collection's page holds: three columns of four on portrait paper.
inline constexpr int kSolutionsPerPage = 12;

// The pages a Collection takes: the puzzle pages, then the solution pages.
inline int collectionPages(const PaperDocument &document) {
  if (!isPerPage(document.perPage)) return 0;
  const auto pagesOf = [count = static_cast<int>(document.puzzles.size())](int perPage) {
    return (count + perPage - 1) / perPage;
  };
  return pagesOf(document.perPage) + (document.solutions ? pagesOf(kSolutionsPerPage) : 0);
}

struct PdfSettings {
  std::string title;       // the PDF's title
  std::string creator;     // the program that made it
  bool landscape = false;  // A4 either way
};

// What a write did: nothing on success, else the message (Japanese unless a
// translator is installed) that names the file and why. A failed write
// leaves no file behind and an existing file as it was.
struct WriteResult {
  std::optional<std::string> error;
  int pages = 0;  // the PDF's pages
};

// Each needs a QGuiApplication (or QApplication) to exist.
WriteResult writePdf(const std::string &path, const PaperDocument &document, const PdfSettings &settings);
// A square PNG of `pixels` by `pixels`, white behind the board.
WriteResult writePng(const std::string &path, const BoardContent &board, int pixels);
// An SVG of `pixels` by `pixels`: lines as lines, digits as text.
WriteResult writeSvg(const std::string &path, const BoardContent &board, int pixels, const std::string &title);

// The smallest and largest picture side in pixels.
inline constexpr int kMinPicturePixels = 64;
inline constexpr int kMaxPicturePixels = 4096;

}  // namespace numplace::exports
