// The texts of the drawing surface: laid out at scale 1 in twips, so that a
// text stands in the same place at every scale and a text printed in pieces
// where it stands printed whole, and rendered antialiased in grey, each
// character once in each face and colour.
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>

class QPainter;

namespace numplace::app {

// How far a printed text moves the drawing position, twips.
double advanceOf(const QString &text, double points);
// The height of a printed line, twips.
double textLineHeight(double points);
// Draws `text` with the top-left corner of its cell at `from` (twips).
void drawText(QPainter &painter, QPointF from, double points, double pixelsPerTwip, const QString &text,
              const QColor &colour);
// Lets go of the faces of scales no longer in use; only when the whole
// picture is rendered afresh, as a face made again may render a shade differently.
void forgetTextFaces();

}  // namespace numplace::app
