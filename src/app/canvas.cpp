#include "app/canvas.h"

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
#include <utility>

#include "app/canvas_text.h"
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
  forgetTextFaces();
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
  drawText(painter, stroke.from, stroke.points, k, stroke.text, stroke.colour);
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
  const double height = textLineHeight(points_);
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
