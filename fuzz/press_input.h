// How fuzz_press reads its input bytes. Kept apart so that the layout is in
// one place; fuzz/make_seeds.py writes the same layout.
//
// Sections are separated by NUL bytes (a user cannot type NUL into a box, and
// the data-file reader gets NUL bytes from fuzz_datafile):
//   0     control texts, separated by LF:
//           line 0      header: byte 0 the first button, byte 1 the file
//                       Text3 names, byte 2 a second button (each taken
//                       modulo the number of choices; a missing byte is 0,
//                       a missing byte 2 means no second click), byte 3
//                       even: the answer run skips its cycle grid, odd:
//                       it draws it; 1 modulo 8: also press again the
//                       other way and compare the results (rarely, as it
//                       doubles the work)
//           lines 1..81 Text15 cells, row-major
//           lines 82..  Text5(1..9), Text1, Text2, Text6, Text7
//         a missing line leaves the control's start-up text; an empty line
//         types the empty text
//   1..3  the contents of the three data files
//   4     prompt answers, separated by LF: an empty line cancels the prompt,
//         a line holding only DEL (0x7F) confirms the empty text; NUL bytes
//         here are part of the answers
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/layout.h"

namespace fuzzpress {

inline constexpr std::array<std::string_view, 5> kButtons = {"Command3", "Command7", "Command1", "Command5",
                                                             "Command4"};
// The three written files, a missing file and a directory.
inline constexpr int kTextFileChoices = 5;
inline constexpr int kFiles = 3;
inline constexpr std::size_t kEntryControls = 81 + 9 + 4;
// Enough answers for every prompt of the longest step run.
inline constexpr std::size_t kMaxAnswers = 400;

// The entry control typed from line i + 1 of the control section.
inline numplace::ControlRef entryControl(std::size_t i) {
  if (i < 81) {
    const int k = static_cast<int>(i);
    return {"Text15", numplace::cellIndex(k / 9 + 1, k % 9 + 1)};
  }
  if (i < 90) return {"Text5", static_cast<int>(i - 80)};
  static constexpr std::array<std::string_view, 4> kOthers = {"Text1", "Text2", "Text6", "Text7"};
  return {kOthers[i - 90], 0};
}

struct PressInput {
  std::vector<int> buttons;   // indices into kButtons, one or two
  int textFile = 0;           // which name Text3 holds
  bool skipCycleGrid = true;  // the run option of the answer run
  bool compareGrid = false;   // press again with the other option and compare
  std::array<std::optional<std::string>, kEntryControls> texts;
  std::array<std::string, kFiles> files;
  std::vector<std::optional<std::string>> answers;
};

inline std::vector<std::string_view> splitOn(std::string_view s, char separator, std::size_t maxParts) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < maxParts) {
    const std::size_t at = s.find(separator);
    if (at == std::string_view::npos) break;
    parts.push_back(s.substr(0, at));
    s.remove_prefix(at + 1);
  }
  parts.push_back(s);
  return parts;
}

inline PressInput parsePressInput(std::string_view data) {
  PressInput in;
  const std::vector<std::string_view> sections = splitOn(data, '\0', 2 + kFiles);
  const std::vector<std::string_view> lines = splitOn(sections[0], '\n', 1 + kEntryControls + 1);
  const std::string_view header = lines[0];
  const auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(header[k]); };
  in.buttons.push_back(header.empty() ? 0 : byteAt(0) % static_cast<int>(kButtons.size()));
  in.textFile = header.size() < 2 ? 0 : byteAt(1) % kTextFileChoices;
  if (header.size() >= 3 && byteAt(2) % (kButtons.size() + 1) < kButtons.size()) {
    in.buttons.push_back(static_cast<int>(byteAt(2) % (kButtons.size() + 1)));
  }
  in.skipCycleGrid = header.size() < 4 || byteAt(3) % 2 == 0;
  in.compareGrid = header.size() >= 4 && byteAt(3) % 8 == 1;
  for (std::size_t i = 0; i < kEntryControls && i + 1 < lines.size(); ++i) in.texts[i] = std::string(lines[i + 1]);
  for (std::size_t f = 0; f < kFiles && f + 1 < sections.size(); ++f) in.files[f] = std::string(sections[f + 1]);
  if (sections.size() == 2 + kFiles) {
    for (const std::string_view line : splitOn(sections.back(), '\n', kMaxAnswers)) {
      if (line.empty()) {
        in.answers.emplace_back(std::nullopt);
      } else if (line == "\x7F") {
        in.answers.emplace_back(std::string());
      } else {
        in.answers.emplace_back(std::string(line));
      }
    }
  }
  return in;
}

}  // namespace fuzzpress
