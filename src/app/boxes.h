// The look of the window's text boxes and labels: made to show their whole
// content in the sizes the layout table gives them.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QRectF>

namespace numplace::app {

// A text box with a one-pixel border of its own instead of the style's
// frame, which takes two pixels on every side and leaves a row box 105 of
// its 113 pixels. Boxes that overlap by a pixel, as the cells of the grid
// do, share that border.
class Box : public QLineEdit {
 public:
  explicit Box(QWidget *parent = nullptr);

  // The part of the box that its text can use: what QLineEdit keeps clear of
  // the border (two pixels each side) taken off.
  QRect textArea() const;

 protected:
  void paintEvent(QPaintEvent *event) override;
};

// A label whose caption is drawn inside the label, in the rows that no box
// covers. "入力データ名" is 17 pixels tall at 14.25 pt, and Text3 covers the
// last of Label1's 17 rows; the ink of "初期データ　２" is a pixel wider than
// Label3. A caption larger than its place is drawn just small enough to fit
// (by a pixel or so), never cut.
class CaptionLabel : public QLabel {
 public:
  explicit CaptionLabel(const QString &text, QWidget *parent = nullptr);

  // How many rows from the top no other control covers.
  void setVisibleHeight(int rows);
  int visibleHeight() const { return visibleHeight_ >= 0 ? visibleHeight_ : height(); }
  // Where the caption's ink stands, in the label's pixels.
  QRectF captionRect() const;

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  // The caption's ink box at the font's size, from its baseline.
  QRectF inkBox() const;
  int visibleHeight_ = -1;
};

}  // namespace numplace::app
