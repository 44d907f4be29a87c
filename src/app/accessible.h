// Names and descriptions that a screen reader announces for the controls of
// the window. The layout table gives the window its captions; the boxes have
// no caption of their own, so their names come from here.
#pragma once

#include <QString>

#include "board/layout.h"

namespace numplace::app {

// The accessible name of a control: "行3 列5" for a cell box of the grid,
// "行データ 3" for a row box, the text of a label, and for the other boxes and
// the buttons what they are for, starting with the caption they are known by.
QString accessibleNameFor(const ControlEntry &control);

// A longer explanation of what a control does, or an empty text.
QString accessibleDescriptionFor(const ControlEntry &control);

}  // namespace numplace::app
