#include "app/fonts.h"

#include <QStringList>

#include "board/layout.h"

namespace numplace::app {
namespace {

// 0.64 em to 0.5 em.
constexpr int kNarrowStretch = 78;

FaceRun::Kind kindOf(QChar ch) {
  if (ch == u' ') return FaceRun::Kind::Blanks;
  return ch.unicode() > 0x20 && ch.unicode() < 0x7F ? FaceRun::Kind::Narrow : FaceRun::Kind::Wide;
}

}  // namespace

void installFontSubstitutions() {
  const QStringList fallbacks{QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")};
  for (const QString &name : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")}) {
    QFont::insertSubstitutions(name, fallbacks);
  }
}

QFont windowFont(double points) {
  QFont font(QString::fromUtf8(kWindowFont.data(), static_cast<qsizetype>(kWindowFont.size())));
  font.setPointSizeF(points);
  font.setWeight(QFont::Normal);
  return font;
}

QFont narrowFont(double points) {
  QFont font = windowFont(points);
  font.setStretch(kNarrowStretch);
  return font;
}

std::vector<FaceRun> faceRuns(QStringView text) {
  std::vector<FaceRun> runs;
  qsizetype start = 0;
  for (qsizetype i = 1; i <= text.size(); ++i) {
    if (i == text.size() || kindOf(text[i]) != kindOf(text[start])) {
      runs.push_back({text.mid(start, i - start), kindOf(text[start])});
      start = i;
    }
  }
  return runs;
}

}  // namespace numplace::app
