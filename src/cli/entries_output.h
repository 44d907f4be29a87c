// What numplace-cli says of the user's entries and of a hint: the JSON
// fields "entries" and "hint", and the lines of the summary.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "hints/hints.h"

namespace numplace {

// Appends the field `"entries":{...}` (no comma before it):
// {"wrong":[[R,C],...]|null,"empty":N,"complete":BOOL,"judged":BOOL,"solutions":N};
// "wrong" is null when the entries cannot be judged.
void appendEntriesField(std::string &out, const EntriesCheck &entries);

// Appends the field `"hint":{...}` (no comma before it):
// {"level":N,"kind":"...","cells":[[R,C],...],"unit":{"kind":"row"|"column"|"block","index":N}|null,
//  "word":"..."|null,"technique":"..."|null,"digit":D|null,"reason":"..."|null,"text":"..."}.
void appendHintField(std::string &out, const Hint &hint);

// Puts fields written as above into a JSON object written on one line
// (`{...}`), after the fields it has: addFields(json, field) on `{"a":1}`
// gives `{"a":1,FIELD}`.
void addFields(std::string &object, std::string_view fields);

// The summary lines (as printCheck writes its own):
//   entries wrong r3c4 r5c6      (or "entries wrong none")
//   entries empty 12
//   entries complete no
// and when the entries cannot be judged, instead of the first and the last:
//   entries unjudged solutions 2 (0 with clashing givens or none, 2 for two or more)
void printEntries(std::ostream &out, const EntriesCheck &entries);

// The hint as two lines: the data, then the Japanese sentence.
//   hint 1 placement block 5 ブロ          hint 2 placement block 5 ブロ 7
//   hint 3 placement r3c4 ブロ 7           hint 1 wrong_entry r3c4 7
//   hint 1 solution_cell r3c4              hint 2 solution_cell r3c4 7
//   hint 1 none complete                   (several, no_solution, clash)
//   hint text ブロック5 を見てください（ブロ）
void printHint(std::ostream &out, const Hint &hint);

}  // namespace numplace
