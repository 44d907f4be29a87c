#include "app/boxes.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

namespace numplace::app {
namespace {

// What QLineEdit keeps free on either side of its text, inside the contents.
constexpr int kLineEditMargin = 2;

}  // namespace

Box::Box(QWidget *parent) : QLineEdit(parent) { setFrame(false); }

QRect Box::textArea() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return contents.marginsRemoved(textMargins()).adjusted(kLineEditMargin, 0, -kLineEditMargin, 0);
}

void Box::paintEvent(QPaintEvent *event) {
  QLineEdit::paintEvent(event);
  // Four strips of one pixel rather than a pen's outline: at a fractional
  // device pixel ratio an outline can fall between device pixels and vanish.
  QPainter painter(this);
  const QColor border = palette().color(hasFocus() ? QPalette::Highlight : QPalette::Dark);
  painter.fillRect(QRect(0, 0, width(), 1), border);
  painter.fillRect(QRect(0, height() - 1, width(), 1), border);
  painter.fillRect(QRect(0, 0, 1, height()), border);
  painter.fillRect(QRect(width() - 1, 0, 1, height()), border);
}

CaptionLabel::CaptionLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  // A label covers whatever the runs draw beneath it.
  setAutoFillBackground(true);
}

void CaptionLabel::setVisibleHeight(int rows) {
  visibleHeight_ = rows;
  update();
}

QRectF CaptionLabel::inkBox() const {
  const QRectF ink = QFontMetricsF(font()).tightBoundingRect(text());
  // Whole pixels: a partly covered one is drawn too.
  const double left = std::floor(ink.left());
  const double top = std::floor(ink.top());
  return {left, top, std::ceil(ink.right()) - left, std::ceil(ink.bottom()) - top};
}

QRectF CaptionLabel::captionRect() const {
  const QRectF ink = inkBox();
  const double rows = visibleHeight();
  const double across = ink.right() > width() ? width() / ink.right() : 1.0;
  const double down = ink.height() > rows ? rows / ink.height() : 1.0;
  const double top = std::round((rows - ink.height() * down) / 2);
  return {ink.left() * across, top, ink.width() * across, ink.height() * down};
}

void CaptionLabel::paintEvent(QPaintEvent * /*event*/) {
  const QRectF ink = inkBox();
  if (ink.isEmpty()) return;
  const QRectF place = captionRect();
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  painter.translate(0, place.top());
  painter.scale(place.width() / ink.width(), place.height() / ink.height());
  painter.drawText(QPointF(0, -ink.top()), text());
}

}  // namespace numplace::app
