#include "script/save.h"

#include <fstream>
#include <memory>

#include "board/sources.h"
#include "board/tables.h"

namespace numplace {

GivensRead readGivens(const Controls &controls, const FileReader &files) {
  GivensRead out;
  // The tables are large; a run keeps them off the stack too.
  auto t = std::make_unique<Tables>();
  out.error = readPuzzle(controls, files, *t);
  if (!out.error) out.error = checkExtraGivens(controls);
  if (out.error) return out;
  // As the runs do: the extra givens first, then the row codes over them.
  layExtraGivens(controls, *t);
  unpackRowCodes(*t);
  for (int r = 1; r <= 9; ++r) {
    for (int c = 1; c <= 9; ++c) {
      const int digit = t->Board[r][c];
      out.givens[static_cast<std::size_t>((r - 1) * 9 + c - 1)] =
          static_cast<std::uint8_t>(digit >= 1 && digit <= 9 ? digit : 0);
    }
  }
  return out;
}

std::string dataFileText(const Grid &givens) {
  std::string out;
  for (int r = 0; r < 9; ++r) {
    for (int c = 0; c < 9; ++c) out += static_cast<char>('0' + givens[static_cast<std::size_t>(r * 9 + c)]);
    out += "," + std::to_string(r + 1) + ",\"numplace\",0,0\n";
  }
  return out;
}

std::optional<std::string> savePuzzle(const Controls &controls, const FileReader &files, const std::string &path) {
  const GivensRead read = readGivens(controls, files);
  if (read.error) return read.error;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << dataFileText(read.givens);
  file.close();
  if (!file) return "「" + path + "」に書き込めません。";
  return std::nullopt;
}

}  // namespace numplace
