#include "document/beyond_grid.h"

#include <algorithm>
#include <cmath>

#include "board/layout.h"
#include "board/number.h"
#include "board/sources.h"

namespace numplace {
namespace {

constexpr double kNineDigits = 1e9;

std::size_t at(int row, int column) { return static_cast<std::size_t>((row - 1) * 9 + column - 1); }

// The puzzle's own digits, before the extra givens: what would override them.
Grid sourceDigits(const Controls &controls, const FileReader &files) {
  Tables t;
  Grid grid{};
  if (readPuzzle(controls, files, t)) return grid;
  unpackRowCodes(t);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) grid[at(r, c)] = static_cast<std::uint8_t>(t.Board[r][c]);
  }
  return grid;
}

bool inClash(const PuzzleReport &report, int row, int column) {
  return std::any_of(report.check.clashes.begin(), report.check.clashes.end(), [&](const Clash &clash) {
    return std::any_of(clash.cells.begin(), clash.cells.end(),
                       [&](const CellRef &cell) { return cell.row == row && cell.column == column; });
  });
}

void warnCells(const Controls &controls, std::vector<CellWarning> &out) {
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const ControlRef box = controls::Text15(cellIndex(r, c));
      std::string text = controls.text(box);
      const double v = textToNumber(text);
      if (v < 0) {
        out.push_back({box, std::move(text), CellWarning::Why::Negative});
      } else if (v >= 10) {
        out.push_back({box, std::move(text), CellWarning::Why::SeveralDigits});
      }
    }
  }
}

void warnRows(const Controls &controls, std::vector<CellWarning> &out) {
  for (int r = 1; r <= 9; ++r) {
    const ControlRef box = controls::Text5(r);
    std::string text = controls.text(box);
    const double v = textToNumber(text);
    if (v < 0) {
      out.push_back({box, std::move(text), CellWarning::Why::Negative});
    } else if (v >= kNineDigits) {
      out.push_back({box, std::move(text), CellWarning::Why::TooLong});
    }
  }
}

}  // namespace

BeyondGrid describeBeyondGrid(const Controls &controls, const FileReader &files, const PuzzleReport &report,
                              std::string_view answerTrial) {
  BeyondGrid out;
  if (report.source.kind == SourceKind::Grid) {
    warnCells(controls, out.warnings);
  } else if (report.source.kind == SourceKind::Rows) {
    warnRows(controls, out.warnings);
  }
  const Grid source = sourceDigits(controls, files);
  const ControlRef boxes[] = {controls::Text1, controls::Text2};
  for (const ControlRef box : boxes) {
    ExtraGivenNote note;
    note.box = box;
    note.text = controls.text(box);
    const double v = textToNumber(note.text);
    if (v == 0) continue;
    note.writtenByAnswer = box.name == controls::Text1.name && !answerTrial.empty() && note.text == answerTrial;
    if (!std::isfinite(v) || v < 0 || v >= 1000) {
      note.effect = ExtraGivenNote::Effect::OutOfRange;
      out.extras.push_back(std::move(note));
      continue;
    }
    // As the board takes the code apart.
    const double row = std::floor(v / 100);
    const double column = std::floor((v - 100 * row) / 10);
    note.row = static_cast<int>(row);
    note.column = static_cast<int>(column);
    note.digit = static_cast<int>(std::floor(v - 100 * row - 10 * column));
    if (note.row == 0 || note.column == 0 || note.digit == 0) {
      note.effect = ExtraGivenNote::Effect::OutOfRange;
    } else if (source[at(note.row, note.column)] != 0) {
      note.effect = ExtraGivenNote::Effect::Overridden;
    } else if (report.badInput) {
      note.effect = ExtraGivenNote::Effect::Laid;
    } else if (report.givens[at(note.row, note.column)] != note.digit) {
      // 追加 2 at the same cell, laid after it.
      note.effect = ExtraGivenNote::Effect::Overridden;
      note.overriddenBySecond = true;
    } else if (inClash(report, note.row, note.column)) {
      note.effect = ExtraGivenNote::Effect::Clash;
    }
    out.extras.push_back(std::move(note));
  }
  return out;
}

std::string_view effectName(ExtraGivenNote::Effect effect) {
  switch (effect) {
    case ExtraGivenNote::Effect::Laid:
      return "laid";
    case ExtraGivenNote::Effect::Overridden:
      return "overridden";
    case ExtraGivenNote::Effect::Clash:
      return "clash";
    case ExtraGivenNote::Effect::OutOfRange:
      break;
  }
  return "out_of_range";
}

std::string_view warningName(CellWarning::Why why) {
  switch (why) {
    case CellWarning::Why::SeveralDigits:
      return "several_digits";
    case CellWarning::Why::Negative:
      return "negative";
    case CellWarning::Why::TooLong:
      break;
  }
  return "too_long";
}

}  // namespace numplace
