// The program's emblem, a water drop with rising steam on a round warm halo,
// as vector shapes in a 65 x 65 box. make_pictures paints it on white for the
// main window's JPEG; emblem_icon paints it on a transparent background for
// the application icons and writes it as SVG.
#ifndef STEAMCALC_TOOLS_EMBLEM_H
#define STEAMCALC_TOOLS_EMBLEM_H

#include <QBrush>
#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <vector>

namespace steamcalc {

inline constexpr double kEmblemBox = 65;  // side of the drawing's box, in its units

struct EmblemShape {
  QPainterPath path;
  QPen pen;      // Qt::NoPen: not outlined
  QBrush brush;  // Qt::NoBrush, a solid colour or a linear or radial gradient
};

// The shapes, back to front.
std::vector<EmblemShape> EmblemShapes();

// The emblem scaled to size x size pixels on a transparent background
// (ARGB32, premultiplied).
QImage RenderEmblem(int size);

// The emblem as an SVG document of size x size pixels (the viewBox is the
// 65 x 65 box).
QByteArray EmblemSvg(int size);

}  // namespace steamcalc

#endif  // STEAMCALC_TOOLS_EMBLEM_H
