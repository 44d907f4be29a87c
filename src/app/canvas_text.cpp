// How the surface's texts are laid out and rendered: each character once
// in each face and colour, at places that are the same at every scale.
#include "app/canvas_text.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <cmath>
#include <map>
#include <utility>

#include "app/fonts.h"
#include "board/layout.h"

namespace numplace::app {
namespace {

// 96 dpi, so that a point size gives the same pixels here as on the screen.
constexpr int kDotsPerMeter = 3780;
constexpr double kTwipsPerPoint = 20;

// A text rendered once in a face and colour: antialiased ink on a
// transparent image, and where the image stands from the text's baseline
// origin.
struct Ink {
  QImage image;
  QPoint offset;
};

// Where a character of a text starts: its index and its offset, pixels.
struct Start {
  qsizetype index;
  double offset;
};

// A face at one size, measured on a 96-dpi picture.
struct Face {
  QFont font;
  double ascent;
  double height;
  QFontMetricsF metrics;
  // Texts repeat (table entries, digits): each is measured once, and each
  // character rendered once in each of its colours.
  QHash<QString, std::vector<Start>> layouts;
  QHash<std::pair<QString, QRgb>, Ink> inks;

  // Where each character of a text starts, pixels from the text's start,
  // kerning included; the last entry is the text's end.
  const std::vector<Start> &starts(const QString &text) {
    auto found = layouts.constFind(text);
    if (found != layouts.cend()) return *found;
    if (layouts.size() > kKept) layouts.clear();
    std::vector<Start> laidOut{{0, 0}};
    for (qsizetype i = 0; i < text.size();) {
      i += text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      laidOut.push_back({i, metrics.horizontalAdvance(text.left(i))});
    }
    return *layouts.insert(text, laidOut);
  }

  double advance(const QString &text) { return starts(text).back().offset; }

  // Every drawing of a character is a copy of the one rendering: Qt's own
  // glyph rendering may differ by a shade between the first use of a size
  // and later ones, and a part of the picture rendered again must come out
  // exactly as before.
  const Ink &ink(const QString &text, const QColor &colour) {
    const auto key = std::make_pair(text, colour.rgb());
    auto found = inks.constFind(key);
    if (found != inks.cend()) return *found;
    if (inks.size() > kKept) inks.clear();
    const int pad = static_cast<int>(std::ceil(height / 4)) + 2;
    const QRect area = metrics.boundingRect(text).toAlignedRect().adjusted(-pad, -pad, pad, pad);
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(-area.topLeft(), text);
    painter.end();
    return *inks.insert(key, Ink{image, area.topLeft()});
  }

  static constexpr qsizetype kKept = 4096;
};

std::map<std::pair<double, bool>, Face> &faces() {
  static std::map<std::pair<double, bool>, Face> made;
  return made;
}

// Drops the faces of scales no longer in use. Only when the whole picture
// is rendered afresh: a face made again may render a shade differently.
void forgetFaces() {
  if (faces().size() > 64) faces().clear();
}

// Grey-scale antialiasing: the same pixels on every screen, with no colour
// fringes for a later overprint or a test to meet.
Face &faceAt(double points, bool narrow) {
  const auto key = std::make_pair(points, narrow);
  auto found = faces().find(key);
  if (found == faces().end()) {
    static const QImage device = [] {
      QImage image(1, 1, QImage::Format_RGB32);
      image.setDotsPerMeterX(kDotsPerMeter);
      image.setDotsPerMeterY(kDotsPerMeter);
      return image;
    }();
    QFont font = narrow ? narrowFont(points) : windowFont(points);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    const QFontMetricsF metrics(font, &device);
    // Both faces share one text cell: that of the window font.
    const QFontMetricsF cell(windowFont(points), &device);
    found = faces().emplace(key, Face{font, cell.ascent(), cell.height(), metrics, {}, {}}).first;
  }
  return found->second;
}

// Where each character of a text starts, in twips from the text's start,
// as laid out at scale 1: the same places at every scale, and a text printed
// in pieces stands where it stands printed whole. Blanks only move the
// position.
struct PlacedCharacter {
  QString text;
  bool narrow;
  double offset;
};

double layOut(const QString &text, double points, std::vector<PlacedCharacter> *placed) {
  double advance = 0;
  for (const FaceRun &run : faceRuns(text)) {
    if (run.kind == FaceRun::Kind::Blanks) {
      advance += static_cast<double>(run.text.size()) * kBlankEm * points * kTwipsPerPoint;
      continue;
    }
    const bool narrow = run.kind == FaceRun::Kind::Narrow;
    const QString part = run.text.toString();
    const std::vector<Start> &starts = faceAt(points, narrow).starts(part);
    if (placed != nullptr) {
      for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        placed->push_back({part.mid(starts[i].index, starts[i + 1].index - starts[i].index), narrow,
                           advance + starts[i].offset * kTwipsPerPixel});
      }
    }
    advance += starts.back().offset * kTwipsPerPixel;
  }
  return advance;
}

}  // namespace

void forgetTextFaces() { forgetFaces(); }

double textLineHeight(double points) { return faceAt(points, false).height * kTwipsPerPixel; }

// How far a printed text moves the position, twips: texts repeat, each is
// laid out once.
double advanceOf(const QString &text, double points) {
  static QHash<std::pair<QString, double>, double> known;
  const auto key = std::make_pair(text, points);
  auto found = known.constFind(key);
  if (found != known.cend()) return *found;
  if (known.size() > 4096) known.clear();
  return *known.insert(key, layOut(text, points, nullptr));
}

void drawText(QPainter &painter, QPointF from, double points, double pixelsPerTwip, const QString &text,
              const QColor &colour) {
  const double k = pixelsPerTwip;
  // The size in points on the 96-dpi picture that gives the scaled pixel size.
  const double scaled = points * k * kTwipsPerPixel;
  std::vector<PlacedCharacter> placed;
  layOut(text, points, &placed);
  for (const PlacedCharacter &character : placed) {
    Face &face = faceAt(scaled, character.narrow);
    const Ink &ink = face.ink(character.text, colour);
    // The position names the top-left corner of the text cell, the ink stands on the baseline.
    const QPoint origin(qRound((from.x() + character.offset) * k), qRound(from.y() * k + face.ascent));
    painter.drawImage(origin + ink.offset, ink.image);
  }
}

}  // namespace numplace::app
