// The window's drawing surface: a persistent picture behind the controls on
// which the analysis runs draw. Positions arrive in twips and are rounded to
// pixels only when something is drawn.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QWidget>

#include "board/ports.h"

namespace numplace::app {

class Canvas : public QWidget, public DrawingSurface {
 public:
  explicit Canvas(QWidget *parent = nullptr);

  const QImage &picture() const { return picture_; }
  // The current drawing position, twips.
  QPointF position() const { return {x_, y_}; }

  void clear() override;
  void setFontSize(double points) override;
  void setColour(std::uint32_t colour) override;
  void setLineWidth(int pixels) override;
  void moveTo(double x, double y) override;
  void drawLine(double x1, double y1, double x2, double y2) override;
  void print(std::string_view text, Ending ending) override;

 protected:
  void paintEvent(QPaintEvent *event) override;
  // A press on the surface itself has no handler; it must not reach the window.
  void mousePressEvent(QMouseEvent *event) override;

 private:
  QImage picture_;
  double x_ = 0;
  double y_ = 0;
  QFont font_;
  QColor colour_{Qt::black};
  int lineWidth_ = 1;
};

}  // namespace numplace::app
