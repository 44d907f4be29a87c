#include "board/sources.h"

#include <cmath>

#include "board/layout.h"
#include "board/number.h"

namespace numplace {
namespace {

// Whole numbers up to this size are exact in a double.
constexpr double kLargestExact = 9007199254740992.0;  // 2^53

// Why a number cannot go onto the board, or nothing when it can.
std::optional<InputError::Kind> wrongNumber(double v) {
  if (!std::isfinite(v) || std::fabs(v) >= kLargestExact) return InputError::Kind::TooLarge;
  if (v != std::floor(v)) return InputError::Kind::NotWhole;
  return std::nullopt;
}

double cellValue(const Controls &controls, int r, int c) {
  return textToNumber(controls.text(controls::Text15(cellIndex(r, c))));
}

// Adds the leading 1,000,000,000 and counts the rows that were empty.
int finishRowCodes(Tables &t) {
  int empty = 0;
  for (int r = 1; r <= 9; ++r) {
    if (t.RowCodes[r] == 0) ++empty;
    t.RowCodes[r] += 1'000'000'000;
  }
  return empty;
}

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

}  // namespace

DataFileResult parseDataFile(std::string_view content, std::string_view name) {
  DataFileResult out;
  std::size_t i = 0;
  if (content.starts_with("\xEF\xBB\xBF")) i = 3;  // UTF-8 byte-order mark
  FieldPlace at{1, 0};                             // the line being read, the fields begun on it
  int fieldsRead = 0;
  const auto atLineBreak = [&] { return i < content.size() && (content[i] == '\n' || content[i] == '\r'); };
  const auto skipBlanks = [&] {
    while (i < content.size() && isBlank(content[i])) ++i;
  };
  // Steps over one line break: LF, CR LF or CR.
  const auto nextLine = [&] {
    if (content[i] == '\r') ++i;
    if (i < content.size() && content[i] == '\n') ++i;
    at = {at.line + 1, 0};
  };
  // Reads one field and its separator; false at the end of the content.
  const auto readField = [&](std::string &text, bool &quoted, FieldPlace &place) -> bool {
    // Leading blank lines (and blanks) before a field are skipped.
    for (;;) {
      skipBlanks();
      if (!atLineBreak()) break;
      nextLine();
    }
    if (i >= content.size()) return false;
    text.clear();
    quoted = false;
    place = {at.line, ++at.field};
    if (content[i] == '"') {
      quoted = true;
      ++i;
      const std::size_t close = content.find('"', i);
      const std::size_t end = close == std::string_view::npos ? content.size() : close;
      text.assign(content.substr(i, end - i));
      // A quoted text may run over lines; the next field stands on the last.
      for (std::size_t k = i; k < end; ++k) {
        if (content[k] == '\n' || (content[k] == '\r' && (k + 1 == end || content[k + 1] != '\n'))) {
          at = {at.line + 1, 1};
        }
      }
      i = close == std::string_view::npos ? content.size() : close + 1;
      // Anything up to the separator after the closing quote is ignored.
      while (i < content.size() && content[i] != ',' && content[i] != '\n' && content[i] != '\r') ++i;
    } else {
      const std::size_t start = i;
      while (i < content.size() && content[i] != ',' && content[i] != '\n' && content[i] != '\r') ++i;
      std::size_t end = i;
      while (end > start && isBlank(content[end - 1])) --end;
      text.assign(content.substr(start, end - start));
    }
    if (i < content.size() && content[i] == ',') {
      ++i;
      // A comma that ends a line is one separator with the line break.
      skipBlanks();
      if (atLineBreak()) nextLine();
    } else if (atLineBreak()) {
      nextLine();
    }
    return true;
  };

  int lastLine = 0;
  for (int k = 1; k <= 9; ++k) {
    auto &rec = out.records[static_cast<std::size_t>(k)];
    for (int f = 0; f < 5; ++f) {
      const auto slot = static_cast<std::size_t>(f);
      bool quoted = false;
      if (!readField(rec.fields[slot], quoted, rec.places[slot])) {
        InputError &e = out.error.emplace();
        e.kind = fieldsRead == 0 ? InputError::Kind::NoFields : InputError::Kind::TooFewFields;
        e.place = {lastLine, 0};
        e.fieldCount = fieldsRead;
        e.file = name;
        return out;
      }
      rec.quoted[slot] = quoted;
      lastLine = rec.places[slot].line;
      ++fieldsRead;
    }
    const auto &field1 = rec.fields[0];
    const ParsedNumber n = parseNumber(field1);
    const bool blank = field1.find_first_not_of(" \t") == std::string::npos;
    if (!blank && !n.wholeText) {
      const FieldPlace &place = rec.places[0];
      InputError &e = out.error.emplace();
      e.kind = place.field == 1 ? InputError::Kind::RowNotANumber : InputError::Kind::FieldsOutOfStep;
      e.row = k;
      e.place = place;
      e.token = field1;
      e.file = name;
      return out;
    }
    out.recordsRead = k;
  }
  return out;
}

std::optional<InputError> readPuzzle(const Controls &controls, const FileReader &files, Tables &t,
                                     PuzzleSource *readFrom) {
  using Source = SourceKind;
  Source source = Source::Grid;
  for (int r = 1; r <= 9; ++r) {
    double code = 0;
    for (int c = 1; c <= 9; ++c) code += cellValue(controls, r, c) * std::pow(10.0, 9 - c);
    t.RowCodes[r] = code;
  }
  int empty = finishRowCodes(t);
  if (empty >= 3) {
    source = Source::Rows;
    for (int r = 1; r <= 9; ++r) t.RowCodes[r] = textToNumber(controls.text(controls::Text5(r)));
    empty = finishRowCodes(t);
  }
  DataFileResult file;
  std::string name;
  if (empty >= 3) {
    source = Source::File;
    name = controls.text(controls::Text3);
  }
  if (readFrom != nullptr) *readFrom = PuzzleSource{source, name, source != Source::Grid};
  if (source == Source::File) {
    const FileBytes bytes = files.read(name);
    if (bytes.failure != FileBytes::Failure::None) {
      InputError e;
      switch (bytes.failure) {
        case FileBytes::Failure::CannotOpen:
          e.kind = InputError::Kind::CannotOpenFile;
          break;
        case FileBytes::Failure::NotRegular:
          e.kind = InputError::Kind::FileNotRegular;
          break;
        case FileBytes::Failure::TooLarge:
          e.kind = InputError::Kind::FileTooLarge;
          break;
        default:  // a folder, or a failed read
          e.kind = InputError::Kind::CannotReadFile;
          break;
      }
      e.box = controls::Text3;
      e.file = name;
      return e;
    }
    file = parseDataFile(bytes.content, name);
    if (file.error) {
      file.error->box = controls::Text3;
      return file.error;
    }
    for (int k = 1; k <= 9; ++k) {
      t.RowCodes[k] = textToNumber(file.records[static_cast<std::size_t>(k)].fields[0]) + 1'000'000'000;
    }
  }
  // The board takes only whole digits: a fraction or a number beyond exact
  // arithmetic would put something other than a digit into a cell.
  for (int r = 1; r <= 9; ++r) {
    const auto rowFault = wrongNumber(t.RowCodes[r]);
    if (!rowFault) continue;
    InputError e;
    e.row = r;
    switch (source) {
      case Source::Grid:
        // The cell that makes the row's number unusable, else the row.
        for (int c = 1; c <= 9; ++c) {
          if (const auto cellFault = wrongNumber(cellValue(controls, r, c) * std::pow(10.0, 9 - c))) {
            e.kind = *cellFault;
            e.box = controls::Text15(cellIndex(r, c));
            e.column = c;
            e.token = controls.text(e.box);
            return e;
          }
        }
        e.kind = InputError::Kind::GridRowTooLarge;
        e.box = controls::Text15;
        return e;
      case Source::Rows:
        e.kind = *rowFault;
        e.box = controls::Text5(r);
        e.token = controls.text(e.box);
        return e;
      case Source::File: {
        const DataFileRecord &record = file.records[static_cast<std::size_t>(r)];
        e.kind = *rowFault;
        e.box = controls::Text3;
        e.place = record.places[0];
        e.token = record.fields[0];
        e.file = name;
        return e;
      }
    }
  }
  return std::nullopt;
}

std::variant<ExtraGivens, InputError> checkExtraGivens(const Controls &controls) {
  double codes[2] = {0, 0};
  int k = 0;
  for (const ControlRef box : {ControlRef(controls::Text1), ControlRef(controls::Text2)}) {
    std::string text = controls.text(box);
    const double v = textToNumber(text);
    if (!std::isfinite(v) || v < 0 || v >= 1000) {
      InputError e;
      e.kind = InputError::Kind::ExtraGivenUnusable;
      e.box = box;
      e.token = std::move(text);
      return e;
    }
    codes[k++] = v;
  }
  return ExtraGivens(codes[0], codes[1]);
}

void layExtraGivens(const ExtraGivens &extras, Tables &t) {
  layTrialCode(t, extras.first());
  layTrialCode(t, extras.second());
}

}  // namespace numplace
