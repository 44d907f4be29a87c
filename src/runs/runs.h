// The four analysis runs behind the window's buttons. Each reads the puzzle
// afresh from the controls and keeps its working tables to itself.
#pragma once

#include "board/ports.h"

namespace numplace {

void runAnswer(Ports &ports);       // "答": logic, then trial placements
void runStep(Ports &ports);         // "  1　STEP": one placement at a time
void runReference1(Ports &ports);   // "       参考1 (同盟)　　": the step run showing pair members
void runReference2(Ports &ports);   // "参考2 ( ペア)": placements reported, block pairs shown at halts

// What a button click does, by the button's name: false for a name that is
// not an analysis or clearing button.
bool clickButton(Ports &ports, std::string_view button);

}  // namespace numplace
