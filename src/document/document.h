// The puzzle being worked on: its givens as they were loaded, where they
// came from (typed, a data file, a collection and the place in it, a paste,
// a generated puzzle), the open collection and what the last 答 wrote into
// 追加 1. The form's boxes stay its editor: what the runs read is still what
// the boxes hold, and the document reads the boxes to tell the givens from
// the user's own entries. Loading a puzzle sets all of it at once, so that
// nothing of one puzzle leaks into the next.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/collection.h"
#include "board/ports.h"
#include "runs/result.h"

namespace numplace {

struct PuzzleOrigin {
  enum class Kind { New, DataFile, Collection, Paste, Generated, Progress };
  Kind kind = Kind::New;
  std::string file;    // DataFile, Collection, Progress: the path as it was opened
  int index = 0;       // Collection: the puzzle's place in it, from 1
  int count = 0;       // Collection: how many puzzles it holds
  std::string detail;  // Generated: what was asked for
  friend bool operator==(const PuzzleOrigin &, const PuzzleOrigin &) = default;
};

// "new", "data_file", "collection", "paste", "generated", "progress".
std::string_view originKindName(PuzzleOrigin::Kind kind);

// A puzzle line as users exchange them: 81 cells, '1'..'9' (full-width
// digits too) for a given and '0' or '.' for an empty cell, blanks and line
// breaks anywhere ignored. Nothing when the text is not exactly that.
std::optional<Grid> gridFromLine(std::string_view text);

// The digit a cell box holds: its text read as a number when that is a whole
// number from 1 to 9, else 0 (empty, blank, 0, "12", "-1").
int cellDigit(const Controls &controls, int row, int column);
// The grid's digits as cellDigit reads them.
Grid gridOfBoxes(const Controls &controls);

class PuzzleDocument {
 public:
  // Everything the document knows, as one value: what an undo step restores.
  struct State {
    Grid givens{};
    bool givensFixed = false;  // loaded, or fixed by the user; else the grid is still being typed
    PuzzleOrigin origin;
    std::shared_ptr<const std::vector<Grid>> collection;  // the open collection's puzzles
    int collectionIndex = -1;                             // from 0
    std::string answerTrial;                              // the text the last 答 wrote into Text1
    bool modified = false;                                // changed since loaded or saved
    friend bool operator==(const State &, const State &) = default;
  };

  const State &state() const { return state_; }
  void restore(State state) { state_ = std::move(state); }

  // Loads `givens` as the puzzle: every cell box gets its digit or the empty
  // text, the row boxes are emptied, 追加 1 and 追加 2 get their start-up
  // texts back and the picture is cleared. The open collection is kept only
  // when `origin` is a place in it.
  void load(Controls &controls, DrawingSurface &surface, const Grid &givens, PuzzleOrigin origin);

  // 開く: a data file (its puzzle, read as the runs read the file, goes into
  // the grid and its name into 入力データ名), a collection (its first
  // puzzle) or a progress file (its givens, then the user's entries). The
  // message, in Japanese, when the file is none of them.
  std::optional<std::string> open(const std::string &path, Controls &controls, DrawingSurface &surface);
  // The same for a file already read (readOpenedFile); false when it is Unusable.
  bool open(const std::string &path, const OpenedFile &opened, Controls &controls, DrawingSurface &surface);
  // The progress file's text: the givens as loaded or fixed, and the user's entries.
  std::string progress(const Controls &controls) const;
  // The puzzle `delta` places on in the open collection; false when there is none there.
  bool step(int delta, Controls &controls, DrawingSurface &surface);
  // 貼り付け: a puzzle line (gridFromLine); false, with nothing changed, for any other text.
  bool paste(std::string_view text, Controls &controls, DrawingSurface &surface);
  // この盤面を問題にする: the digits in the grid become the givens.
  void fixGrid(const Controls &controls);

  // The user changed the boxes.
  void edited() { state_.modified = true; }
  void saved() { state_.modified = false; }
  // A run ended: an answer run's trial code in 追加 1 is remembered, so that
  // it can be told apart from an extra given the user typed.
  void runEnded(const RunResult &result);

  bool hasCollection() const { return state_.collection != nullptr && !state_.collection->empty(); }
  int collectionSize() const { return hasCollection() ? static_cast<int>(state_.collection->size()) : 0; }
  // True while the grid holds the open collection's puzzle at the current
  // place (entries of the user's own beside its givens allowed).
  bool showsCollectionPuzzle(const Controls &controls) const;

  // The user's own entries: digits in the boxes at cells that hold no given,
  // and digits other than the given at cells that do. None until the givens
  // are fixed.
  Grid entries(const Controls &controls) const;
  // The givens still standing in their boxes (a given the user emptied or
  // typed over is not among them).
  Grid givensShown(const Controls &controls) const;

  // The file part of the document's name for a title bar: "top95.txt 3/95"
  // while the grid holds that puzzle, "karune111.csv"; empty when the puzzle
  // came from no file (the window names those in its own language).
  std::string fileName(const Controls &controls) const;

 private:
  State state_;
};

}  // namespace numplace
