#include "app/canvas.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
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

// A face at one size, measured on a 96-dpi picture.
struct Face {
  QFont font;
  double ascent;
  double height;
  QFontMetricsF metrics;
};

// Everything is drawn aliased: a text printed again in another colour must
// replace every pixel of the first one without a fringe of the old colour.
const Face &faceAt(double points, bool narrow) {
  static std::map<std::pair<double, bool>, Face> faces;
  const auto key = std::make_pair(points, narrow);
  auto found = faces.find(key);
  if (found == faces.end()) {
    if (faces.size() > 64) faces.clear();  // sizes of scales no longer in use
    static const QImage device = [] {
      QImage image(1, 1, QImage::Format_RGB32);
      image.setDotsPerMeterX(kDotsPerMeter);
      image.setDotsPerMeterY(kDotsPerMeter);
      return image;
    }();
    QFont font = narrow ? narrowFont(points) : windowFont(points);
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetricsF metrics(font, &device);
    // Both faces share one text cell: that of the window font.
    const QFontMetricsF cell(windowFont(points), &device);
    found = faces.emplace(key, Face{font, cell.ascent(), cell.height(), metrics}).first;
  }
  return found->second;
}

// Where each run of a text starts, in twips from the text's start, as laid
// out at scale 1: the same places at every scale.
// Blanks only move the position.
struct PlacedRun {
  QString text;
  bool narrow;
  double offset;
};

double layOut(const QString &text, double points, std::vector<PlacedRun> *runs) {
  double advance = 0;
  for (const FaceRun &run : faceRuns(text)) {
    if (run.kind == FaceRun::Kind::Blanks) {
      advance += static_cast<double>(run.text.size()) * kBlankEm * points * kTwipsPerPoint;
      continue;
    }
    const bool narrow = run.kind == FaceRun::Kind::Narrow;
    const QString part = run.text.toString();
    if (runs != nullptr) runs->push_back({part, narrow, advance});
    advance += faceAt(points, narrow).metrics.horizontalAdvance(part) * kTwipsPerPixel;
  }
  return advance;
}

bool drawnOver(const Canvas::Stroke &a, const Canvas::Stroke &b) {
  if (a.kind != b.kind || a.from != b.from) return false;
  if (a.kind == Canvas::Stroke::Kind::Line) return a.to == b.to && a.width == b.width;
  return a.text == b.text && a.points == b.points;
}

QImage blankPicture(QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  picture.setDotsPerMeterX(kDotsPerMeter);
  picture.setDotsPerMeterY(kDotsPerMeter);
  picture.fill(kBackground);
  return picture;
}

}  // namespace

Canvas::Canvas(QWidget *parent) : QWidget(parent), devicePixelRatio_(devicePixelRatioF()), points_(kWindowFontSize) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, kPixelsWide, kPixelsHigh);
  render();
}

double Canvas::pixelsPerTwip() const { return scale_ * devicePixelRatio_ / kTwipsPerPixel; }

void Canvas::setScale(double scale) {
  if (scale == scale_) return;
  scale_ = scale;
  render();
}

void Canvas::render() {
  const double k = scale_ * devicePixelRatio_;
  picture_ = blankPicture(QSize(qRound(kPixelsWide * k), qRound(kPixelsHigh * k)));
  QPainter painter(&picture_);
  for (const Stroke &stroke : strokes_) draw(painter, stroke);
  update();
}

// Draws again what lies in an area, from the strokes alone.
void Canvas::renderArea(const QRectF &twips) {
  const double k = pixelsPerTwip();
  const QRect pixels =
      QRectF(twips.x() * k, twips.y() * k, twips.width() * k, twips.height() * k).toAlignedRect() & picture_.rect();
  if (pixels.isEmpty()) return;
  const QRectF area(pixels.x() / k, pixels.y() / k, pixels.width() / k, pixels.height() / k);
  QPainter painter(&picture_);
  painter.setClipRect(pixels);
  painter.fillRect(pixels, kBackground);
  for (const Stroke &stroke : strokes_) {
    if (stroke.bounds.intersects(area)) draw(painter, stroke);
  }
  update();
}

void Canvas::draw(QPainter &painter, const Stroke &stroke) const {
  const double k = pixelsPerTwip();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  if (stroke.kind == Stroke::Kind::Line) {
    const int width = std::max(1, qRound(stroke.width * scale_ * devicePixelRatio_));
    painter.setPen(QPen(stroke.colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPoint(qRound(stroke.from.x() * k), qRound(stroke.from.y() * k)),
                     QPoint(qRound(stroke.to.x() * k), qRound(stroke.to.y() * k)));
    return;
  }
  // The size in points on the 96-dpi picture that gives the scaled pixel size.
  const double points = stroke.points * k * kTwipsPerPixel;
  std::vector<PlacedRun> runs;
  layOut(stroke.text, stroke.points, &runs);
  painter.setPen(stroke.colour);
  for (const PlacedRun &run : runs) {
    const Face &face = faceAt(points, run.narrow);
    painter.setFont(face.font);
    // The position names the top-left corner of the text cell, Qt wants the baseline.
    painter.drawText(QPoint(qRound((stroke.from.x() + run.offset) * k), qRound(stroke.from.y() * k + face.ascent)),
                     run.text);
  }
}

// A stroke drawn again exactly where an earlier one stands covers every
// pixel of it, so the earlier one is dropped; drawn in the background
// colour, it takes the earlier one away and shows what lay beneath. That is
// how the candidate table erases an entry, and a frame line beneath an
// entry stays whole.
void Canvas::add(Stroke stroke) {
  QRectF uncovered;
  const auto covered = [&](const Stroke &old) {
    if (!drawnOver(old, stroke)) return false;
    uncovered |= old.bounds;
    return true;
  };
  const auto dropped = std::remove_if(strokes_.begin(), strokes_.end(), covered);
  const bool erases = dropped != strokes_.end() && stroke.colour == kBackground;
  strokes_.erase(dropped, strokes_.end());
  if (erases) {
    renderArea(uncovered);
    return;
  }
  strokes_.push_back(std::move(stroke));
  QPainter painter(&picture_);
  draw(painter, strokes_.back());
  update();
}

void Canvas::clear() {
  strokes_.clear();
  picture_.fill(kBackground);
  x_ = 0;
  y_ = 0;
  update();
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
  const double reach = (line.width + 1) * kTwipsPerPixel;
  line.bounds = QRectF(line.from, line.to).normalized().adjusted(-reach, -reach, reach, reach);
  add(std::move(line));
  x_ = x2;
  y_ = y2;
}

void Canvas::print(std::string_view text, Ending ending) {
  const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const double advance = layOut(line, points_, nullptr);
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

void Canvas::paintEvent(QPaintEvent * /*event*/) {
  if (devicePixelRatioF() != devicePixelRatio_) {
    devicePixelRatio_ = devicePixelRatioF();
    render();
  }
  QPainter painter(this);
  painter.drawImage(QRectF(0, 0, picture_.width() / devicePixelRatio_, picture_.height() / devicePixelRatio_),
                    picture_);
}

void Canvas::mousePressEvent(QMouseEvent *event) { event->accept(); }

}  // namespace numplace::app
