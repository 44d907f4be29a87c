// The words of "solve it yourself" in the window: the check of the user's
// entries and the hints, made from the core's data in the language of the
// menus.
#pragma once

#include <QString>

#include "hints/hints.h"

namespace numplace::app {

// "ここまで正しく入っています　空きマス 40", "完成！…", the wrong entries, or why
// the entries cannot be judged.
QString entriesText(const EntriesCheck &check);

// "ブロック5 を見てください（ブロ）" and the like, level by level.
QString hintText(const Hint &hint);

}  // namespace numplace::app
