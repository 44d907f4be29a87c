// The small handlers that help enter a puzzle: stepping a cell's digit by
// mouse presses, sending a typed row to the next row box, and clearing.
#pragma once

#include "board/ports.h"

namespace numplace {

inline constexpr int kEnterKey = 13;

// Mouse press on cell box `cell` (10 * row + column), x twips from its left edge.
void pressCell(Controls &controls, int cell, double x);

// Key press in the quick-input box, before the box handles the key.
void quickInputKey(Controls &controls, int keyCode);

// The "消去" button.
void clearEntry(Controls &controls);

}  // namespace numplace
