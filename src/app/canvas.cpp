#include "app/canvas.h"

#include <QFontMetricsF>
#include <QHash>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QRegion>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <map>
#include <utility>

#include "app/fonts.h"
#include "board/layout.h"

namespace numplace::app {
namespace {

constexpr int kPixelsWide = static_cast<int>(kClientWidth / kTwipsPerPixel);
constexpr int kPixelsHigh = static_cast<int>(kClientHeight / kTwipsPerPixel);
// 96 dpi, so that a point size gives the same pixels here as on the screen.
constexpr int kDotsPerMeter = 3780;
constexpr double kTwipsPerPoint = 20;
const QColor kBackground = Qt::white;

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

void hashInto(std::size_t &seed, std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15U + (seed << 6) + (seed >> 2); }

// The device pixels of an axis-parallel line `width` pixels wide: whole
// pixels, as many across as the width gives wherever the line lies, and
// reaching half the width beyond its ends, as a round cap would.
QRect pixelsOf(QPointF from, QPointF to, int width) {
  const auto edge = [](double x) { return static_cast<int>(std::floor(x + 0.5)); };
  const double half = width / 2.0;
  if (from.x() == to.x()) {
    const int left = edge(from.x() - half);
    const int top = edge(std::min(from.y(), to.y()) - half);
    const int bottom = edge(std::max(from.y(), to.y()) + half);
    return {left, top, width, std::max(width, bottom - top)};
  }
  const int top = edge(from.y() - half);
  const int left = edge(std::min(from.x(), to.x()) - half);
  const int right = edge(std::max(from.x(), to.x()) + half);
  return {left, top, std::max(width, right - left), width};
}

// Antialiasing reaches at most a pixel beyond a glyph's or a line's outline.
constexpr int kInkMargin = 2;

std::size_t bitsOf(double value) { return std::hash<std::uint64_t>{}(std::bit_cast<std::uint64_t>(value)); }

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

}  // namespace

Canvas::Canvas(QWidget *parent) : QWidget(parent), devicePixelRatio_(devicePixelRatioF()), points_(kWindowFontSize) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, kPixelsWide, kPixelsHigh);
  resetPicture();
}

double Canvas::pixelsPerTwip() const { return scale_ * devicePixelRatio_ / kTwipsPerPixel; }

void Canvas::setScale(double scale) {
  if (scale == scale_) return;
  scale_ = scale;
  resetPicture();
}

void Canvas::resetPicture() {
  forgetFaces();
  const double k = scale_ * devicePixelRatio_;
  picture_ = QImage(QSize(qRound(kPixelsWide * k), qRound(kPixelsHigh * k)), QImage::Format_RGB32);
  picture_.setDotsPerMeterX(kDotsPerMeter);
  picture_.setDotsPerMeterY(kDotsPerMeter);
  stale_.clear();
  invalidate(picture_.rect());
}

QRect Canvas::reach(const Stroke &stroke) const {
  const double k = pixelsPerTwip();
  const QRectF &b = stroke.bounds;
  return QRectF(b.x() * k, b.y() * k, b.width() * k, b.height() * k)
      .toAlignedRect()
      .adjusted(-kInkMargin, -kInkMargin, kInkMargin, kInkMargin);
}

// One repaint of the widget is asked for when the picture first changes
// after being shown; later changes join the same stale areas.
void Canvas::invalidate(const QRect &pixels) {
  const QRect area = pixels & picture_.rect();
  if (area.isEmpty()) return;
  if (stale_.empty()) update();
  stale_.insert(area);
}

const QImage &Canvas::picture() const {
  bringUpToDate();
  return picture_;
}

// The stale area is filled with the background and every stroke that
// reaches into it is drawn again, in order, clipped to it: the same pixels
// as rendering the whole list afresh. A run notes the same few hundred
// areas thousands of times; each is kept, and rendered, once.
void Canvas::bringUpToDate() const {
  if (stale_.empty()) return;
  QRegion stale;
  for (const QRect &area : stale_) stale += area;
  stale_.clear();
  std::vector<std::pair<QRect, const Stroke *>> reaches;
  reaches.reserve(strokes_.size());
  for (const std::optional<Stroke> &stroke : strokes_) {
    if (stroke) reaches.emplace_back(reach(*stroke), &*stroke);
  }
  QPainter painter(&picture_);
  for (const QRect &area : stale) {
    painter.setClipRect(area);
    painter.fillRect(area, kBackground);
    for (const auto &[pixels, stroke] : reaches) {
      if (pixels.intersects(area)) draw(painter, *stroke);
    }
  }
}

std::size_t Canvas::AreaHash::operator()(const QRect &area) const {
  auto seed = static_cast<std::size_t>(area.x());
  for (const int value : {area.y(), area.width(), area.height()}) hashInto(seed, static_cast<std::size_t>(value));
  return seed;
}

std::vector<Canvas::Stroke> Canvas::strokes() const {
  std::vector<Stroke> shown;
  for (const std::optional<Stroke> &stroke : strokes_) {
    if (stroke) shown.push_back(*stroke);
  }
  return shown;
}

bool Canvas::Key::operator==(const Key &other) const {
  return kind == other.kind && from == other.from && to == other.to && width == other.width && points == other.points &&
         text == other.text;
}

std::size_t Canvas::KeyHash::operator()(const Key &key) const {
  std::size_t seed = qHash(key.text);
  for (const double value : {key.from.x(), key.from.y(), key.to.x(), key.to.y(), key.points}) {
    hashInto(seed, bitsOf(value));
  }
  hashInto(seed, static_cast<std::size_t>(key.width) * 2 + (key.kind == Stroke::Kind::Text ? 1 : 0));
  return seed;
}

Canvas::Key Canvas::keyOf(const Stroke &stroke) {
  if (stroke.kind == Stroke::Kind::Line) return {stroke.kind, stroke.from, stroke.to, stroke.width, 0, {}};
  return {stroke.kind, stroke.from, {}, 0, stroke.points, stroke.text};
}

void Canvas::draw(QPainter &painter, const Stroke &stroke) const {
  const double k = pixelsPerTwip();
  if (stroke.kind == Stroke::Kind::Line) {
    const int width = std::max(1, qRound(stroke.width * scale_ * devicePixelRatio_));
    const QPointF from = stroke.from * k;
    const QPointF to = stroke.to * k;
    if (from.x() == to.x() || from.y() == to.y()) {
      painter.fillRect(pixelsOf(from, to, width), stroke.colour);
      return;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(stroke.colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(from, to);
    return;
  }
  // The size in points on the 96-dpi picture that gives the scaled pixel size.
  const double points = stroke.points * k * kTwipsPerPixel;
  std::vector<PlacedCharacter> placed;
  layOut(stroke.text, stroke.points, &placed);
  for (const PlacedCharacter &character : placed) {
    Face &face = faceAt(points, character.narrow);
    const Ink &ink = face.ink(character.text, stroke.colour);
    // The position names the top-left corner of the text cell, the ink stands on the baseline.
    const QPoint origin(qRound((stroke.from.x() + character.offset) * k), qRound(stroke.from.y() * k + face.ascent));
    painter.drawImage(origin + ink.offset, ink.image);
  }
}

// A stroke drawn again exactly where an earlier one stands replaces it;
// drawn in the background colour, it takes the earlier one away and shows
// what lay beneath. That is how the candidate table erases an entry, and a
// frame line beneath an entry stays whole. Either way the area is rendered
// again from the strokes, so no antialiased fringe of the old ink remains.
void Canvas::add(Stroke stroke) {
  Key key = keyOf(stroke);
  const auto found = where_.find(key);
  if (found != where_.end()) {
    std::optional<Stroke> &old = strokes_[found->second];
    invalidate(reach(*old));
    old.reset();
    ++gaps_;
    where_.erase(found);
    if (stroke.colour == kBackground) return;
  }
  invalidate(reach(stroke));
  // Packed again once half the list is gaps: a long run keeps about a
  // screenful of strokes.
  if (gaps_ > strokes_.size() / 2) {
    strokes_.erase(std::remove(strokes_.begin(), strokes_.end(), std::nullopt), strokes_.end());
    gaps_ = 0;
    where_.clear();
    for (std::size_t i = 0; i < strokes_.size(); ++i) where_.emplace(keyOf(*strokes_[i]), i);
  }
  where_.emplace(std::move(key), strokes_.size());
  strokes_.emplace_back(std::move(stroke));
}

void Canvas::clear() {
  strokes_.clear();
  where_.clear();
  gaps_ = 0;
  picture_.fill(kBackground);
  stale_.clear();
  x_ = 0;
  y_ = 0;
  update();
}

void Canvas::restore(const Snapshot &snapshot) {
  clear();
  for (const Stroke &stroke : snapshot.strokes) add(stroke);
  x_ = snapshot.position.x();
  y_ = snapshot.position.y();
}

void Canvas::setFontSize(double points) { points_ = points; }

void Canvas::setColour(std::uint32_t colour) {
  colour_ = QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                   static_cast<int>((colour >> 16) & 0xFF));
}

void Canvas::setLineWidth(int pixels) { lineWidth_ = pixels; }

void Canvas::moveTo(double x, double y) {
  x_ = x;
  y_ = y;
}

void Canvas::drawLine(double x1, double y1, double x2, double y2) {
  Stroke line;
  line.kind = Stroke::Kind::Line;
  line.colour = colour_;
  line.from = {x1, y1};
  line.to = {x2, y2};
  line.width = std::max(1, lineWidth_);
  const double beyond = (line.width + 1) * kTwipsPerPixel;
  line.bounds = QRectF(line.from, line.to).normalized().adjusted(-beyond, -beyond, beyond, beyond);
  add(std::move(line));
  x_ = x2;
  y_ = y2;
}

void Canvas::print(std::string_view text, Ending ending) {
  const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const double advance = advanceOf(line, points_);
  const double height = faceAt(points_, false).height * kTwipsPerPixel;
  // Blanks leave no ink.
  if (!line.trimmed().isEmpty()) {
    Stroke printed;
    printed.kind = Stroke::Kind::Text;
    printed.colour = colour_;
    printed.from = {x_, y_};
    printed.points = points_;
    printed.text = line;
    // Glyphs may stand a little outside their cell.
    const double overhang = points_ * kTwipsPerPoint / 4;
    printed.bounds = QRectF(x_ - overhang, y_ - overhang, advance + 2 * overhang, height + 2 * overhang);
    add(std::move(printed));
  }
  if (ending == Ending::Continue) {
    x_ += advance;
  } else {
    x_ = 0;
    y_ += height;
  }
}

void Canvas::paintEvent(QPaintEvent *event) {
  if (devicePixelRatioF() != devicePixelRatio_) {
    devicePixelRatio_ = devicePixelRatioF();
    resetPicture();
  }
  bringUpToDate();
  // Only what the event asks for: a prompt's repaint covers the whole window.
  const QRectF shown = event->rect();
  const QRectF source(shown.x() * devicePixelRatio_, shown.y() * devicePixelRatio_, shown.width() * devicePixelRatio_,
                      shown.height() * devicePixelRatio_);
  QPainter painter(this);
  painter.drawImage(shown, picture_, source);
}

void Canvas::mousePressEvent(QMouseEvent *event) { event->accept(); }

}  // namespace numplace::app
