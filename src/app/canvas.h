// The window's drawing surface: the analysis runs draw on it behind the
// controls. It keeps what was drawn as a list of lines and texts in twips,
// as the runs gave them, and renders that list at the window's scale, so
// the picture is sharp at every size and survives covering and resizing.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <vector>

#include "board/ports.h"

class QPainter;

namespace numplace::app {

class Canvas : public QWidget, public DrawingSurface {
 public:
  // One line or text of the picture, with the state it was drawn in.
  struct Stroke {
    enum class Kind { Line, Text };
    Kind kind = Kind::Line;
    QColor colour;
    QPointF from;  // a text's top-left corner
    QPointF to;
    int width = 1;  // a line's width at scale 1, pixels
    double points = 0;
    QString text;
    QRectF bounds;  // twips: everything the stroke can touch
  };

  explicit Canvas(QWidget *parent = nullptr);

  // The picture in device pixels at the current scale.
  const QImage &picture() const { return picture_; }
  const std::vector<Stroke> &strokes() const { return strokes_; }
  // The current drawing position, twips.
  QPointF position() const { return {x_, y_}; }

  // Pixels per pixel of the window as laid out (1: 15 twips per pixel).
  double scale() const { return scale_; }
  void setScale(double scale);

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
  double pixelsPerTwip() const;
  void add(Stroke stroke);
  void draw(QPainter &painter, const Stroke &stroke) const;
  void render();
  void renderArea(const QRectF &twips);

  std::vector<Stroke> strokes_;
  QImage picture_;
  double scale_ = 1;
  double devicePixelRatio_ = 1;
  double x_ = 0;
  double y_ = 0;
  double points_;
  QColor colour_{Qt::black};
  int lineWidth_ = 1;
};

}  // namespace numplace::app
