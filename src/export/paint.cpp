#include "export/paint.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace numplace::exports {
namespace {

// Paper's own margin; a printer's unprintable border counts toward it.
constexpr double kMarginMm = 12;

constexpr QRgb kInk = qRgb(0, 0, 0);
// Lighter than the givens, yet dark enough to read on a poor printer.
constexpr QRgb kEntryInk = qRgb(0x70, 0x70, 0x70);
constexpr QRgb kSolutionInk = qRgb(0x50, 0x50, 0x50);

// A digit's height against the inside of its cell.
constexpr double kDigitScale = 0.64;

QString fromUtf8(const std::string &text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The centres of the ten lines across a board, from `origin` on: the frame
// lies inside the side. Snapped, the cells are a whole number of pixels
// wide and each line's edges fall on whole pixels (the board then centred
// in the side).
std::array<double, 10> linePositions(double origin, double side, double thin, double thick, bool snap) {
  std::array<double, 10> at{};
  const double pitch = snap ? std::floor((side - thick) / 9) : (side - thick) / 9;
  const double start = snap ? std::round(origin + (side - 9 * pitch - thick) / 2) : origin;
  for (std::size_t i = 0; i < at.size(); ++i) {
    const double width = i % 3 == 0 ? thick : thin;
    const double edge =
        start + pitch * static_cast<double>(i) + (snap ? std::floor((thick - width) / 2) : (thick - width) / 2);
    at[i] = edge + width / 2;
  }
  return at;
}

// Where each digit's ink starts against its pen position, so that the ink
// (not the text box) is centred in the cell.
struct DigitInk {
  explicit DigitInk(const QFont &face, const QPaintDevice *device) : font(face) {
    const QFontMetricsF metrics(font, device);
    for (std::size_t d = 1; d < centre.size(); ++d) {
      centre[d] = metrics.tightBoundingRect(QString(QChar(u'0' + static_cast<char16_t>(d)))).center();
    }
  }
  QFont font;
  std::array<QPointF, 10> centre{};
};

void drawText(QPainter &painter, const QFont &font, QRgb ink, const QPointF &baseline, const QString &text) {
  painter.setFont(font);
  painter.setPen(QColor::fromRgb(ink));
  painter.drawText(baseline, text);
}

double advance(const QPainter &painter, const QFont &font, const QString &text) {
  return QFontMetricsF(font, painter.device()).horizontalAdvance(text);
}

// A text centred on `centreX`, cut short with an ellipsis beyond `width`.
void drawCentred(QPainter &painter, const QFont &font, QRgb ink, double centreX, double baseline, const QString &text,
                 double width) {
  const QString shown = QFontMetricsF(font, painter.device()).elidedText(text, Qt::ElideRight, width);
  drawText(painter, font, ink, QPointF(centreX - advance(painter, font, shown) / 2, baseline), shown);
}

// The pages of a document as they are painted: the first comes with the
// painter, each further one from the device.
class Pages {
 public:
  Pages(QPagedPaintDevice &device, QPainter &painter) : device_(device), painter_(painter) {
    const int dpi = device.logicalDpiX();
    mm_ = dpi / 25.4;
    const QPageLayout layout = device.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    // The painter's origin is the corner of the printable area; the margin
    // a printer keeps already counts toward the paper's own.
    const double want = kMarginMm * mm_;
    const double left = std::max(0.0, want - (paint.left() - full.left()));
    const double top = std::max(0.0, want - (paint.top() - full.top()));
    const double right = std::max(0.0, want - (full.right() - paint.right()));
    const double bottom = std::max(0.0, want - (full.bottom() - paint.bottom()));
    content_ = QRectF(left, top, device.width() - left - right, device.height() - top - bottom);
  }

  QPainter &painter() { return painter_; }
  const QRectF &content() const { return content_; }
  double mm() const { return mm_; }
  bool landscape() const { return content_.width() > content_.height(); }
  int count() const { return count_; }

  // A page to paint on: the first page while nothing is on it, else a new one.
  void start() {
    if (started_) {
      device_.newPage();
      ++count_;
    }
    started_ = true;
  }

 private:
  QPagedPaintDevice &device_;
  QPainter &painter_;
  QRectF content_;
  double mm_ = 1;
  int count_ = 1;
  bool started_ = false;
};

// Lines for a board of `side` on paper: hairlines would vanish on a small
// board, so the widths have a floor.
BoardLines paperLines(double side, double mm) {
  return {.thin = std::max(0.2 * mm, side / 600), .thick = std::max(0.6 * mm, side / 190), .snap = false};
}

struct Grid2 {
  int columns = 1;
  int rows = 1;
};

Grid2 slotGrid(int count, bool landscape) {
  Grid2 grid;
  switch (count) {
    case 2:
      grid = {1, 2};
      break;
    case 4:
      grid = {2, 2};
      break;
    case 6:
      grid = {2, 3};
      break;
    case kSolutionsPerPage:
      grid = {3, 4};
      break;
    default:
      break;
  }
  if (landscape) std::swap(grid.columns, grid.rows);
  return grid;
}

QRectF slotRect(const QRectF &area, Grid2 grid, int index) {
  const double width = area.width() / grid.columns;
  const double height = area.height() / grid.rows;
  const int row = index / grid.columns;
  const int column = index % grid.columns;
  return {area.left() + width * column, area.top() + height * row, width, height};
}

// A puzzle's board as the puzzle pages show it: its solution waits for the
// solution pages.
BoardContent withoutSolution(const BoardContent &board) {
  return {.givens = board.givens, .entries = board.entries, .solution = std::nullopt};
}

QString numberLabel(const PaperTexts &texts, int number) {
  return number > 0 ? fromUtf8(texts.numberPrefix) + QString::number(number) : QString();
}

// One puzzle (or solution) in its share of a page: its number above the
// board's left corner, the board, a line under it; the three centred in the
// share.
void paintSlot(Pages &pages, const QRectF &slot, const QString &label, const BoardContent &board,
               const QString &caption) {
  QPainter &painter = pages.painter();
  const double mm = pages.mm();
  const double labelSize = std::clamp(slot.height() * 0.045, 2.8 * mm, 5 * mm);
  const double captionSize = labelSize * 0.85;
  const double gap = labelSize * 0.5;
  const double labelLine = label.isEmpty() ? 0 : labelSize * 1.25 + gap;
  const double captionLine = caption.isEmpty() ? 0 : gap + captionSize * 1.25;
  const double side = std::min(slot.width() * 0.9, slot.height() - labelLine - captionLine - 2 * gap);
  if (side <= 0) return;
  const double top = slot.top() + (slot.height() - (labelLine + side + captionLine)) / 2;
  const double left = slot.center().x() - side / 2;
  if (!label.isEmpty()) drawText(painter, paperFont(labelSize, true), kInk, QPointF(left, top + labelSize), label);
  const QRectF square(left, top + labelLine, side, side);
  paintBoard(painter, square, board, paperLines(side, mm));
  if (!caption.isEmpty()) {
    drawCentred(painter, paperFont(captionSize), kInk, square.center().x(), square.bottom() + gap + captionSize,
                caption, slot.width() * 0.98);
  }
}

// The explanation's lines from `top` down, wrapped to the content's width,
// going on at the top of further pages. Returns where the next line would stand.
double paintLines(Pages &pages, const std::vector<std::string> &lines, double top) {
  QPainter &painter = pages.painter();
  const QRectF &area = pages.content();
  const QFont font = paperFont(3.4 * pages.mm());
  const double spacing = 0.3 * QFontMetricsF(font, painter.device()).height();
  double y = top;
  painter.setPen(QColor::fromRgb(kInk));
  for (const std::string &text : lines) {
    QTextLayout layout(fromUtf8(text), font, painter.device());
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(area.width());
    }
    layout.endLayout();
    for (int i = 0; i < layout.lineCount(); ++i) {
      const QTextLine line = layout.lineAt(i);
      if (y + line.height() > area.bottom()) {
        pages.start();
        y = area.top();
      }
      line.draw(&painter, QPointF(area.left(), y) - line.position());
      y += line.height() + spacing;
    }
  }
  return y;
}

// A puzzle on a page of its own, large: centred on the page when nothing
// follows it, else at the top with its explanation after it.
void paintSingle(Pages &pages, const PaperPuzzle &puzzle, const PaperTexts &texts) {
  pages.start();
  QPainter &painter = pages.painter();
  const QRectF &area = pages.content();
  const double mm = pages.mm();
  const double labelSize = 5 * mm;
  const double captionSize = 4.2 * mm;
  const double gap = 3 * mm;
  const QString label = numberLabel(texts, puzzle.number);
  const QString caption = fromUtf8(puzzle.caption);
  const double labelLine = label.isEmpty() ? 0 : labelSize * 1.25 + gap;
  const double captionLine = caption.isEmpty() ? 0 : gap + captionSize * 1.25;
  const double side = std::min(area.width() * 0.9, area.height() * 0.62);
  const double block = labelLine + side + captionLine;
  const double top = puzzle.explanation.empty() ? area.top() + (area.height() - block) / 2 : area.top();
  const double left = area.center().x() - side / 2;
  if (!label.isEmpty()) drawText(painter, paperFont(labelSize, true), kInk, QPointF(left, top + labelSize), label);
  const QRectF square(left, top + labelLine, side, side);
  paintBoard(painter, square, withoutSolution(puzzle.board), paperLines(side, mm));
  if (!caption.isEmpty()) {
    drawCentred(painter, paperFont(captionSize), kInk, square.center().x(), square.bottom() + gap + captionSize,
                caption, area.width());
  }
  if (!puzzle.explanation.empty()) paintLines(pages, puzzle.explanation, square.bottom() + captionLine + 8 * mm);
}

void paintCollection(Pages &pages, const PaperDocument &document) {
  const Grid2 grid = slotGrid(document.perPage, pages.landscape());
  for (std::size_t i = 0; i < document.puzzles.size(); ++i) {
    const int slot = static_cast<int>(i % static_cast<std::size_t>(document.perPage));
    if (slot == 0) pages.start();
    const PaperPuzzle &puzzle = document.puzzles[i];
    paintSlot(pages, slotRect(pages.content(), grid, slot), numberLabel(document.texts, puzzle.number),
              withoutSolution(puzzle.board), fromUtf8(puzzle.caption));
  }
}

// The solutions under a heading, numbered as their puzzles: a collection's
// twelve a page, a single puzzle's two.
void paintSolutions(Pages &pages, const PaperDocument &document) {
  const int perPage = document.layout == Layout::Collection ? kSolutionsPerPage : 2;
  const Grid2 grid = slotGrid(perPage, pages.landscape());
  const double headingSize = 6 * pages.mm();
  const QString heading = fromUtf8(document.texts.solutionsHeading);
  for (std::size_t i = 0; i < document.puzzles.size(); ++i) {
    const int slot = static_cast<int>(i % static_cast<std::size_t>(perPage));
    const QRectF &area = pages.content();
    if (slot == 0) {
      pages.start();
      drawText(pages.painter(), paperFont(headingSize, true), kInk, QPointF(area.left(), area.top() + headingSize),
               heading);
    }
    const QRectF below = area.adjusted(0, headingSize * 1.6, 0, 0);
    const PaperPuzzle &puzzle = document.puzzles[i];
    BoardContent board{.givens = puzzle.board.givens, .entries = std::nullopt, .solution = puzzle.board.solution};
    paintSlot(pages, slotRect(below, grid, slot), numberLabel(document.texts, puzzle.number), board,
              fromUtf8(puzzle.solutionNote));
  }
}

}  // namespace

QFont paperFont(double pixels, bool bold) {
  QFont font;
  // IPA Gothic: every digit and kana the same width, so numbered lines align.
  font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPA ゴシック"), QStringLiteral("IPAPGothic")});
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

void paintBoard(QPainter &painter, const QRectF &square, const BoardContent &board, const BoardLines &lines) {
  double thin = lines.thin;
  double thick = lines.thick;
  if (lines.snap) {
    thin = std::max(1.0, std::round(thin));
    thick = std::max(1.0, std::round(thick));
  }
  const double side = square.width();
  const std::array<double, 10> xs = linePositions(square.left(), side, thin, thick, lines.snap);
  const std::array<double, 10> ys = linePositions(square.top(), side, thin, thick, lines.snap);
  painter.save();
  QPen pen(QColor::fromRgb(kInk));
  pen.setCapStyle(Qt::FlatCap);
  // Cell lines, then block lines over them, then the frame, whose square
  // caps close its corners.
  for (int pass = 0; pass < 3; ++pass) {
    pen.setWidthF(pass == 0 ? thin : thick);
    pen.setCapStyle(pass == 2 ? Qt::SquareCap : Qt::FlatCap);
    painter.setPen(pen);
    for (std::size_t i = 0; i < xs.size(); ++i) {
      const bool frame = i == 0 || i == 9;
      const bool block = i % 3 == 0 && !frame;
      if ((pass == 0 && i % 3 == 0) || (pass == 1 && !block) || (pass == 2 && !frame)) continue;
      painter.drawLine(QLineF(xs[i], ys[0], xs[i], ys[9]));
      painter.drawLine(QLineF(xs[0], ys[i], xs[9], ys[i]));
    }
  }
  const double cell = (xs[9] - xs[0]) / 9;
  const double digitPixels = (cell - thin) * kDigitScale;
  const DigitInk bold(paperFont(digitPixels, true), painter.device());
  const DigitInk regular(paperFont(digitPixels), painter.device());
  for (std::size_t r = 0; r < 9; ++r) {
    for (std::size_t c = 0; c < 9; ++c) {
      const std::size_t at = r * 9 + c;
      int digit = board.givens[at];
      const DigitInk *face = &bold;
      QRgb ink = kInk;
      if (digit == 0 && board.solution) {
        digit = (*board.solution)[at];
        face = &regular;
        ink = kSolutionInk;
      } else if (digit == 0 && board.entries) {
        digit = (*board.entries)[at];
        face = &regular;
        ink = kEntryInk;
      }
      if (digit < 1 || digit > 9) continue;
      const QPointF centre((xs[c] + xs[c + 1]) / 2, (ys[r] + ys[r + 1]) / 2);
      drawText(painter, face->font, ink, centre - face->centre[static_cast<std::size_t>(digit)],
               QString(QChar(u'0' + static_cast<char16_t>(digit))));
    }
  }
  painter.restore();
}

int paintDocument(QPagedPaintDevice &device, const PaperDocument &document) {
  if (document.puzzles.empty()) return 0;
  if (document.layout == Layout::Collection && !isPerPage(document.perPage)) return 0;
  QPainter painter;
  if (!painter.begin(&device)) return 0;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  Pages pages(device, painter);
  if (document.layout == Layout::Single) {
    for (const PaperPuzzle &puzzle : document.puzzles) paintSingle(pages, puzzle, document.texts);
  } else {
    paintCollection(pages, document);
  }
  if (document.solutions) paintSolutions(pages, document);
  painter.end();
  return pages.count();
}

}  // namespace numplace::exports
