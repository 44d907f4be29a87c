#include "app/fonts.h"

#include <QStringList>

#include "board/layout.h"

namespace numplace::app {

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

}  // namespace numplace::app
