#include "app/canvas.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>

#include "app/fonts.h"
#include "board/layout.h"

namespace numplace::app {
namespace {

constexpr int kPixelsWide = static_cast<int>(kClientWidth / kTwipsPerPixel);
constexpr int kPixelsHigh = static_cast<int>(kClientHeight / kTwipsPerPixel);
// 96 dpi, so that a point size gives the same pixels here as on the screen.
constexpr int kDotsPerMeter = 3780;

int toPixels(double twips) { return qRound(twips / kTwipsPerPixel); }

// Everything is drawn aliased: a text printed again in the background colour
// must remove every pixel of the first one, and a recoloured digit must not
// keep a fringe of its old colour.
void setUpPainter(QPainter &painter) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
}

}  // namespace

Canvas::Canvas(QWidget *parent)
    : QWidget(parent), picture_(kPixelsWide, kPixelsHigh, QImage::Format_RGB32), font_(windowFont(kWindowFontSize)) {
  picture_.setDotsPerMeterX(kDotsPerMeter);
  picture_.setDotsPerMeterY(kDotsPerMeter);
  picture_.fill(Qt::white);
  font_.setStyleStrategy(QFont::NoAntialias);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, kPixelsWide, kPixelsHigh);
}

void Canvas::clear() {
  picture_.fill(Qt::white);
  x_ = 0;
  y_ = 0;
  update();
}

void Canvas::setFontSize(double points) { font_.setPointSizeF(points); }

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
  {
    QPainter painter(&picture_);
    setUpPainter(painter);
    painter.setPen(QPen(colour_, qMax(1, lineWidth_), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPoint(toPixels(x1), toPixels(y1)), QPoint(toPixels(x2), toPixels(y2)));
  }
  x_ = x2;
  y_ = y2;
  update();
}

void Canvas::print(std::string_view text, Ending ending) {
  const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QFontMetricsF metrics(font_, &picture_);
  if (!line.isEmpty()) {
    QPainter painter(&picture_);
    setUpPainter(painter);
    painter.setFont(font_);
    painter.setPen(colour_);
    // The position names the top-left corner of the text cell, Qt wants the baseline.
    painter.drawText(QPoint(toPixels(x_), qRound(y_ / kTwipsPerPixel + metrics.ascent())), line);
    update();
  }
  if (ending == Ending::Continue) {
    x_ += metrics.horizontalAdvance(line) * kTwipsPerPixel;
  } else {
    x_ = 0;
    y_ += metrics.height() * kTwipsPerPixel;
  }
}

void Canvas::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), picture_, event->rect());
}

void Canvas::mousePressEvent(QMouseEvent *event) { event->accept(); }

}  // namespace numplace::app
