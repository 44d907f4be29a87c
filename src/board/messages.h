// Pieces of the messages for bad input: what the user typed or the data
// file holds, quoted so that it can be shown, and a message cut into lines
// that fit the foot of the window.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace numplace {

// Text from the user or a file, as a message may show it: valid UTF-8
// (a byte that is not becomes U+FFFD), control characters and other
// invisible or direction-changing ones replaced by U+FFFD as well, and at
// most `maxChars` characters, the end cut off with "…".
std::string shownText(std::string_view raw, std::size_t maxChars);

// The name of the file alone, without its folders, as shownText() gives it;
// a long name keeps its start and its end ("karune…2022.csv").
std::string shownFileName(std::string_view path);

// How wide a text prints in the window font, in ems, reckoned high: kana,
// kanji and full-width forms one em, a blank a third, other characters
// 0.6 (the narrowed digits and most letters stay below that).
double estimatedWidth(std::string_view text);

// Cuts a message into lines of at most `maxEm` ems (estimatedWidth): after
// a sentence when it can, never before a closing mark (。、」）), and not
// inside a run of Latin letters and digits unless that run is longer than
// a line. The lines joined give the message back.
std::vector<std::string> wrapMessage(std::string_view message, double maxEm);

}  // namespace numplace
