// The window's drawing surface: the analysis runs draw on it behind the
// controls. It keeps what was drawn as a list of lines and texts in twips,
// as the runs gave them, and renders that list at the window's scale, so
// the picture is sharp at every size and survives covering and resizing.
// Text is antialiased; lines fill whole device pixels, so that lines of one
// width are equally wide wherever they lie. Drawing only notes which part of
// the picture has changed: that part is rendered again from the strokes when
// the picture is next looked at, so a run that draws thousands of strokes
// between two repaints renders each part once.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <optional>
#include <unordered_map>
#include <unordered_set>
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

  // The picture in device pixels at the current scale, brought up to date.
  const QImage &picture() const;
  // What the picture shows, in the order drawn.
  std::vector<Stroke> strokes() const;
  // The current drawing position, twips.
  QPointF position() const { return {x_, y_}; }
  // What the picture shows and where drawing stands: what undoing the load
  // of another puzzle brings back.
  struct Snapshot {
    std::vector<Stroke> strokes;
    QPointF position;
  };
  Snapshot snapshot() const { return {strokes(), position()}; }
  void restore(const Snapshot &snapshot);

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
  // Device pixels a stroke may touch, antialiasing included.
  QRect reach(const Stroke &stroke) const;
  // Notes that an area must be rendered again before it is next shown.
  void invalidate(const QRect &pixels);
  // A picture of the current size and scale, all of it still to be rendered.
  void resetPicture();
  // Renders again, from the strokes, what has changed since the last time.
  void bringUpToDate() const;

  // Where a stroke stands, and what it is: a stroke drawn again with the
  // same key covers the earlier one.
  struct Key {
    Stroke::Kind kind;
    QPointF from;
    QPointF to;
    int width;
    double points;
    QString text;
    bool operator==(const Key &other) const;
  };
  struct KeyHash {
    std::size_t operator()(const Key &key) const;
  };
  static Key keyOf(const Stroke &stroke);

  // Strokes in drawing order; a covered one leaves a gap until the list is
  // packed again.
  std::vector<std::optional<Stroke>> strokes_;
  std::unordered_map<Key, std::size_t, KeyHash> where_;
  std::size_t gaps_ = 0;
  // A cache of the strokes' rendering: stale inside the areas noted.
  mutable QImage picture_;
  struct AreaHash {
    std::size_t operator()(const QRect &area) const;
  };
  mutable std::unordered_set<QRect, AreaHash> stale_;
  double scale_ = 1;
  double devicePixelRatio_ = 1;
  double x_ = 0;
  double y_ = 0;
  double points_;
  QColor colour_{Qt::black};
  int lineWidth_ = 1;
};

}  // namespace numplace::app
