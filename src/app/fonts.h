// The window font. Debian has no "ＭＳ Ｐゴシック"; without a substitution Qt
// would fall back to a Latin face with monospaced kana, so every width on the
// window would change.
#pragma once

#include <QFont>
#include <QStringView>
#include <vector>

namespace numplace::app {

// Maps the window font's names onto IPA P Gothic, the proportional face with
// the same metrics role. Call once, before any widget is created.
void installFontSubstitutions();

// The window font at a size in points, regular weight.
QFont windowFont(double points);

// The window font narrowed to the digit width the window was laid out for:
// half an em. IPA P Gothic draws digits at 0.64 em, so nine digits overflow
// a row box and the candidate table's entries run into its frame.
QFont narrowFont(double points);

// The blank of the face the window was laid out for, in ems: the candidate
// table right-aligns its entries with blanks, and IPA P Gothic's 0.27 em
// blank would move five-digit entries onto the frame.
inline constexpr double kBlankEm = 1.0 / 3;

// A text cut into runs of blanks, of other half-width characters (drawn
// with narrowFont) and of everything else (kana, kanji, full-width forms,
// drawn with windowFont).
struct FaceRun {
  enum class Kind { Blanks, Narrow, Wide };
  QStringView text;
  Kind kind;
};
std::vector<FaceRun> faceRuns(QStringView text);

}  // namespace numplace::app
