// Painting puzzles on paper and pictures through QPainter, so that one piece
// of code serves a printer (print preview included), a PDF, a PNG and an
// SVG. Everything is drawn as vectors: lines as lines, digits as text in
// IPA Gothic (the PDF embeds it).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QString>

#include "export/paper.h"

namespace numplace::exports {

// The widths of the board's lines, in the painter's units.
struct BoardLines {
  double thin = 1;   // between cells
  double thick = 3;  // between blocks, and the frame
  // Lines and their widths on whole pixels, for a raster picture: every
  // line of a width is then equally wide and sharp.
  bool snap = false;
};

// Paints `board` into `square` (its width is taken as the side): the frame
// and the block lines inside the square, the givens bold, entries or the
// solution lighter. Draws the lines first and then the digits row by row,
// so a PDF's text reads in the board's order.
void paintBoard(QPainter &painter, const QRectF &square, const BoardContent &board, const BoardLines &lines);

// Paints the document page after page onto a printer or a PDF writer (its
// page size, orientation and margins; at least 12 mm of margin all round).
// Starts and ends its own QPainter on `device`. Returns the pages painted, 0
// when the device cannot be painted on or there is no puzzle.
int paintDocument(QPagedPaintDevice &device, const PaperDocument &document);

// The document as PDF bytes (A4, title and creator set); `pages` gets the
// page count. Empty when nothing could be painted.
QByteArray documentPdf(const PaperDocument &document, const PdfSettings &settings, int *pages = nullptr);

// The board alone on a white square of `pixels` by `pixels`.
QImage boardImage(const BoardContent &board, int pixels);
QByteArray boardPng(const BoardContent &board, int pixels);
QByteArray boardSvg(const BoardContent &board, int pixels, const QString &title);

// The face of every text and digit: IPA Gothic, `pixels` high in the
// painter's device.
QFont paperFont(double pixels, bool bold = false);

// Writes `bytes` to `path` through a temporary file beside it that is then
// renamed over it, so that a failed write leaves no file behind and an
// existing file byte for byte as it was. Refuses a target that exists but
// is no regular file (a folder, a device). The message when it fails.
std::optional<QString> saveWhole(const QString &path, const QByteArray &bytes);

}  // namespace numplace::exports
