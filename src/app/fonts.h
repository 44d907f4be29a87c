// The window font. Debian has no "ＭＳ Ｐゴシック"; without a substitution Qt
// would fall back to a Latin face with monospaced kana, so every width on the
// window would change.
#pragma once

#include <QFont>

namespace numplace::app {

// Maps the window font's names onto IPA P Gothic, the proportional face with
// the same metrics role. Call once, before any widget is created.
void installFontSubstitutions();

// The window font at a size in points, regular weight.
QFont windowFont(double points);

}  // namespace numplace::app
