// The four analysis runs behind the window's buttons. Each reads the puzzle
// afresh from the controls and keeps its working tables to itself.
#pragma once

#include <map>
#include <string>

#include "board/ports.h"

namespace numplace {

// What an answer run did, for batch statistics: the placements of the pass
// that produced the final board, by technique word, and the passes it took.
struct AnswerStats {
  std::map<std::string, int> placements;
  int passes = 0;
};

void runAnswer(Ports &ports, AnswerStats *stats = nullptr);  // "答": logic, then trial placements
void runStep(Ports &ports);                                  // "  1　STEP": one placement at a time
void runReference1(Ports &ports);  // "       参考1 (同盟)　　": the step run showing pair members
void runReference2(Ports &ports);  // "参考2 ( ペア)": placements reported, block pairs shown at halts

// What a button click does, by the button's name: false for a name that is
// not an analysis or clearing button.
bool clickButton(Ports &ports, std::string_view button);

}  // namespace numplace
