#include "document/document.h"

#include <cmath>

#include "board/collection.h"
#include "board/files.h"
#include "board/layout.h"
#include "board/number.h"
#include "board/sources.h"
#include "script/headless.h"

namespace numplace {
namespace {

constexpr ControlRef kExtraGivens[] = {controls::Text1, controls::Text2};
constexpr ControlRef kDataFileName = controls::Text3;

std::size_t at(int row, int column) { return static_cast<std::size_t>((row - 1) * 9 + column - 1); }

// The full-width digits １ to ９ are EF BC 91 to EF BC 99 in UTF-8.
int fullWidthDigit(std::string_view text, std::size_t i) {
  if (i + 2 < text.size() && static_cast<unsigned char>(text[i]) == 0xEF &&
      static_cast<unsigned char>(text[i + 1]) == 0xBC) {
    const auto third = static_cast<unsigned char>(text[i + 2]);
    if (third >= 0x90 && third <= 0x99) return third - 0x90;
  }
  return -1;
}

std::string fileNameOf(const std::string &path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The puzzle of a data file, read as the runs read the file named in
// 入力データ名 when the grid and the row boxes are empty.
std::optional<Grid> dataFilePuzzle(const std::string &path, const std::string &content) {
  HeadlessControls controls;
  for (int r = 1; r <= 9; ++r) controls.setText(controls::Text5(r), "");
  controls.setText(kDataFileName, path);
  MemoryFiles files;
  files.put(path, content);
  Tables t;
  if (readPuzzle(controls, files, t)) return std::nullopt;
  unpackRowCodes(t);
  Grid grid{};
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) grid[at(r, c)] = static_cast<std::uint8_t>(t.Board[r][c]);
  }
  return grid;
}

}  // namespace

std::string_view originKindName(PuzzleOrigin::Kind kind) {
  switch (kind) {
    case PuzzleOrigin::Kind::New:
      return "new";
    case PuzzleOrigin::Kind::DataFile:
      return "data_file";
    case PuzzleOrigin::Kind::Collection:
      return "collection";
    case PuzzleOrigin::Kind::Paste:
      return "paste";
    case PuzzleOrigin::Kind::Generated:
      return "generated";
    case PuzzleOrigin::Kind::Progress:
      break;
  }
  return "progress";
}

std::optional<Grid> gridFromLine(std::string_view text) {
  Grid grid{};
  std::size_t cells = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    int digit = -1;
    if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') continue;
    if (ch >= '0' && ch <= '9') {
      digit = ch - '0';
    } else if (ch == '.') {
      digit = 0;
    } else if (const int wide = fullWidthDigit(text, i); wide >= 0) {
      digit = wide;
      i += 2;
    } else if (text.substr(i, 3) == "\xE3\x80\x80") {  // an ideographic blank
      i += 2;
      continue;
    } else {
      return std::nullopt;
    }
    if (cells == grid.size()) return std::nullopt;
    grid[cells++] = static_cast<std::uint8_t>(digit);
  }
  if (cells != grid.size()) return std::nullopt;
  return grid;
}

int cellDigit(const Controls &controls, int row, int column) {
  const double v = textToNumber(controls.text(controls::Text15(cellIndex(row, column))));
  return v >= 1 && v <= 9 && v == std::floor(v) ? static_cast<int>(v) : 0;
}

Grid gridOfBoxes(const Controls &controls) {
  Grid grid{};
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) grid[at(r, c)] = static_cast<std::uint8_t>(cellDigit(controls, r, c));
  }
  return grid;
}

void PuzzleDocument::load(Controls &controls, DrawingSurface &surface, const Grid &givens, PuzzleOrigin origin) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int digit = givens[at(r, c)];
      controls.setText(controls::Text15(cellIndex(r, c)), digit == 0 ? std::string() : std::to_string(digit));
    }
    controls.setText(controls::Text5(r), "");
  }
  for (const ControlRef box : kExtraGivens) controls.setText(box, findControl(box)->text);
  surface.clear();
  if (origin.kind != PuzzleOrigin::Kind::Collection) {
    state_.collection.reset();
    state_.collectionIndex = -1;
  }
  state_.givens = givens;
  state_.givensFixed = true;
  state_.origin = std::move(origin);
  state_.answerTrial.clear();
  state_.modified = false;
}

std::optional<std::string> PuzzleDocument::open(const std::string &path, Controls &controls, DrawingSurface &surface) {
  const OpenedFile opened = readOpenedFile(path);
  if (!open(path, opened, controls, surface)) return openedFileText(opened);
  return std::nullopt;
}

bool PuzzleDocument::open(const std::string &path, const OpenedFile &opened, Controls &controls,
                          DrawingSurface &surface) {
  switch (opened.kind) {
    case OpenedFile::Kind::Unusable:
      return false;
    case OpenedFile::Kind::DataFile: {
      const std::optional<Grid> puzzle = dataFilePuzzle(path, opened.content);
      if (!puzzle) return false;
      load(controls, surface, *puzzle, {PuzzleOrigin::Kind::DataFile, path, 0, 0, {}});
      controls.setText(kDataFileName, path);
      return true;
    }
    case OpenedFile::Kind::Progress: {
      load(controls, surface, *gridFromLine(opened.puzzles[0]), {PuzzleOrigin::Kind::Progress, path, 0, 0, {}});
      const Grid own = *gridFromLine(opened.puzzles[1]);
      for (std::size_t k = 0; k < own.size(); ++k) {
        const auto cell = static_cast<int>(k);
        if (own[k] != 0)
          controls.setText(controls::Text15(cellIndex(cell / 9 + 1, cell % 9 + 1)), std::to_string(own[k]));
      }
      return true;
    }
    case OpenedFile::Kind::Collection:
      break;
  }
  auto puzzles = std::make_shared<std::vector<Grid>>();
  puzzles->reserve(opened.puzzles.size());
  for (const std::string &line : opened.puzzles) puzzles->push_back(*gridFromLine(line));
  state_.collection = std::move(puzzles);
  state_.collectionIndex = -1;
  state_.origin = {PuzzleOrigin::Kind::Collection, path, 0, collectionSize(), {}};
  step(1, controls, surface);
  return true;
}

std::string PuzzleDocument::progress(const Controls &controls) const {
  const Grid givens = state_.givensFixed ? state_.givens : gridOfBoxes(controls);
  const Grid own = entries(controls);
  const auto line = [](const Grid &grid) {
    std::string out;
    for (const std::uint8_t d : grid) out += static_cast<char>('0' + d);
    return out;
  };
  return progressText(line(givens), line(own));
}

bool PuzzleDocument::step(int delta, Controls &controls, DrawingSurface &surface) {
  if (!hasCollection() || state_.origin.kind != PuzzleOrigin::Kind::Collection) return false;
  const int to = state_.collectionIndex + delta;
  if (to < 0 || to >= collectionSize()) return false;
  state_.collectionIndex = to;
  PuzzleOrigin origin = state_.origin;
  origin.index = to + 1;
  load(controls, surface, (*state_.collection)[static_cast<std::size_t>(to)], std::move(origin));
  return true;
}

bool PuzzleDocument::paste(std::string_view text, Controls &controls, DrawingSurface &surface) {
  const std::optional<Grid> grid = gridFromLine(text);
  if (!grid) return false;
  load(controls, surface, *grid, {PuzzleOrigin::Kind::Paste, {}, 0, 0, {}});
  return true;
}

void PuzzleDocument::fixGrid(const Controls &controls) {
  state_.givens = gridOfBoxes(controls);
  state_.givensFixed = true;
  state_.modified = true;
}

void PuzzleDocument::runEnded(const RunResult &result) {
  if (result.run == RunKind::Answer && result.wroteText1) {
    state_.answerTrial = result.trialCode ? plainNumber(*result.trialCode) : std::string();
  }
}

bool PuzzleDocument::showsCollectionPuzzle(const Controls &controls) const {
  if (!hasCollection() || state_.origin.kind != PuzzleOrigin::Kind::Collection || state_.collectionIndex < 0) {
    return false;
  }
  const Grid &puzzle = (*state_.collection)[static_cast<std::size_t>(state_.collectionIndex)];
  const Grid shown = gridOfBoxes(controls);
  for (std::size_t k = 0; k < puzzle.size(); ++k) {
    if (puzzle[k] != 0 && shown[k] != puzzle[k]) return false;
  }
  return true;
}

Grid PuzzleDocument::entries(const Controls &controls) const {
  Grid out{};
  if (!state_.givensFixed) return out;
  const Grid shown = gridOfBoxes(controls);
  for (std::size_t k = 0; k < shown.size(); ++k) {
    if (shown[k] != 0 && shown[k] != state_.givens[k]) out[k] = shown[k];
  }
  return out;
}

Grid PuzzleDocument::givensShown(const Controls &controls) const {
  if (!state_.givensFixed) return gridOfBoxes(controls);
  Grid out{};
  const Grid shown = gridOfBoxes(controls);
  for (std::size_t k = 0; k < shown.size(); ++k) {
    if (state_.givens[k] != 0 && shown[k] == state_.givens[k]) out[k] = shown[k];
  }
  return out;
}

std::string PuzzleDocument::fileName(const Controls &controls) const {
  switch (state_.origin.kind) {
    case PuzzleOrigin::Kind::Collection: {
      std::string name = fileNameOf(state_.origin.file);
      if (showsCollectionPuzzle(controls)) {
        name += " " + std::to_string(state_.collectionIndex + 1) + "/" + std::to_string(collectionSize());
      }
      return name;
    }
    case PuzzleOrigin::Kind::DataFile:
    case PuzzleOrigin::Kind::Progress:
      return fileNameOf(state_.origin.file);
    case PuzzleOrigin::Kind::New:
    case PuzzleOrigin::Kind::Paste:
    case PuzzleOrigin::Kind::Generated:
      break;
  }
  return {};
}

}  // namespace numplace
