#include "emblem.h"

#include <QColor>
#include <QGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPointF>
#include <QRadialGradient>
#include <QRectF>
#include <QString>

namespace steamcalc {

std::vector<EmblemShape> EmblemShapes() {
  std::vector<EmblemShape> shapes;

  QPainterPath disc;
  disc.addEllipse(QRectF(1.5, 1.5, 62, 62));
  QRadialGradient halo(QPointF(32.5, 32.5), 32);
  halo.setColorAt(0.0, QColor(0xFF, 0xF4, 0xD6));
  halo.setColorAt(1.0, QColor(0xF2, 0xA6, 0x3B));
  shapes.push_back({disc, QPen(QColor(0xB5, 0x3A, 0x1A), 1.5), QBrush(halo)});

  // A drop: a round bulb drawn out into a point at the top.
  QPainterPath drop;
  const QPointF tip(24, 9);
  const QPointF centre(24, 41);
  constexpr double kRadius = 14;
  drop.moveTo(tip);
  drop.cubicTo(QPointF(27, 19), QPointF(centre.x() + kRadius, centre.y() - 12),
               QPointF(centre.x() + kRadius, centre.y()));
  drop.arcTo(QRectF(centre.x() - kRadius, centre.y() - kRadius, 2 * kRadius, 2 * kRadius), 0, -180);
  drop.cubicTo(QPointF(centre.x() - kRadius, centre.y() - 12), QPointF(21, 19), tip);
  QLinearGradient water(QPointF(12, 12), QPointF(38, 56));
  water.setColorAt(0.0, QColor(0x9F, 0xDC, 0xFF));
  water.setColorAt(1.0, QColor(0x0B, 0x3D, 0xA8));
  shapes.push_back({drop, QPen(QColor(0x08, 0x2A, 0x78), 1.2), QBrush(water)});

  QPainterPath gleam;
  gleam.addEllipse(QRectF(15, 36, 5, 9));
  shapes.push_back({gleam, QPen(Qt::NoPen), QBrush(QColor(0xFF, 0xFF, 0xFF, 0xC0))});

  // Steam: three wisps rising to the right of the drop.
  const QPen wisp_pen(QColor(0x70, 0x70, 0x78), 2.6, Qt::SolidLine, Qt::RoundCap);
  for (int i = 0; i < 3; ++i) {
    const double x = 41 + 6.5 * i;
    const double bottom = 50 - 3 * i;
    QPainterPath wisp;
    wisp.moveTo(x, bottom);
    wisp.cubicTo(QPointF(x - 5, bottom - 8), QPointF(x + 5, bottom - 14), QPointF(x, bottom - 22));
    wisp.cubicTo(QPointF(x - 4, bottom - 28), QPointF(x + 3, bottom - 32),
                 QPointF(x + 1, bottom - 36));
    shapes.push_back({wisp, wisp_pen, QBrush(Qt::NoBrush)});
  }
  return shapes;
}

QImage RenderEmblem(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kEmblemBox, size / kEmblemBox);
  for (const EmblemShape& shape : EmblemShapes()) {
    painter.setPen(shape.pen);
    painter.setBrush(shape.brush);
    painter.drawPath(shape.path);
  }
  painter.end();
  return image;
}

namespace {

QString Number(double value) { return QString::number(value, 'g', 6); }

QString Colour(const QColor& colour) { return colour.name(QColor::HexRgb); }

// Path data: Qt keeps a cubic segment as one CurveToElement followed by two
// CurveToDataElements (the second control point and the end point).
// A subpath that ends where it began is closed ("Z"), as Qt's stroker joins it.
QString PathData(const QPainterPath& path) {
  QString data;
  QPointF start;
  const auto close_subpath = [&](int end) {
    if (end > 0 && QPointF(path.elementAt(end - 1)) == start) data += QStringLiteral("Z ");
  };
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    switch (e.type) {
      case QPainterPath::MoveToElement:
        close_subpath(i);
        start = QPointF(e);
        data += QStringLiteral("M") + Number(e.x) + ' ' + Number(e.y) + ' ';
        break;
      case QPainterPath::LineToElement:
        data += QStringLiteral("L") + Number(e.x) + ' ' + Number(e.y) + ' ';
        break;
      case QPainterPath::CurveToElement:
        data += QStringLiteral("C") + Number(e.x) + ' ' + Number(e.y);
        break;
      case QPainterPath::CurveToDataElement:
        data += ' ' + Number(e.x) + ' ' + Number(e.y);
        if (i + 1 == path.elementCount() ||
            path.elementAt(i + 1).type != QPainterPath::CurveToDataElement) {
          data += ' ';
        }
        break;
    }
  }
  close_subpath(path.elementCount());
  return data.trimmed();
}

QString GradientStops(const QGradient& gradient) {
  QString stops;
  for (const QGradientStop& stop : gradient.stops()) {
    stops += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"/>")
                 .arg(Number(stop.first), Colour(stop.second));
  }
  return stops;
}

}  // namespace

QByteArray EmblemSvg(int size) {
  QString defs;
  QString body;
  int gradients = 0;
  for (const EmblemShape& shape : EmblemShapes()) {
    QString fill = QStringLiteral("none");
    const QBrush& brush = shape.brush;
    if (const QGradient* gradient = brush.gradient()) {
      const QString id = QStringLiteral("g%1").arg(++gradients);
      fill = QStringLiteral("url(#%1)").arg(id);
      if (gradient->type() == QGradient::LinearGradient) {
        const auto* linear = static_cast<const QLinearGradient*>(gradient);
        defs += QStringLiteral(
                    "<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" "
                    "y1=\"%3\" x2=\"%4\" y2=\"%5\">")
                    .arg(id, Number(linear->start().x()), Number(linear->start().y()),
                         Number(linear->finalStop().x()), Number(linear->finalStop().y())) +
                GradientStops(*gradient) + QStringLiteral("</linearGradient>\n");
      } else {
        const auto* radial = static_cast<const QRadialGradient*>(gradient);
        defs += QStringLiteral(
                    "<radialGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" cx=\"%2\" "
                    "cy=\"%3\" r=\"%4\">")
                    .arg(id, Number(radial->center().x()), Number(radial->center().y()),
                         Number(radial->radius())) +
                GradientStops(*gradient) + QStringLiteral("</radialGradient>\n");
      }
    } else if (brush.style() == Qt::SolidPattern) {
      fill = Colour(brush.color());
      if (brush.color().alpha() != 255) {
        fill += QStringLiteral("\" fill-opacity=\"") + Number(brush.color().alphaF());
      }
    }
    QString stroke = QStringLiteral("none");
    if (shape.pen.style() != Qt::NoPen) {
      stroke = Colour(shape.pen.color()) + QStringLiteral("\" stroke-width=\"") +
               Number(shape.pen.widthF());
      if (shape.pen.capStyle() == Qt::RoundCap)
        stroke += QStringLiteral("\" stroke-linecap=\"round");
    }
    body += QStringLiteral("<path d=\"%1\" fill=\"%2\" stroke=\"%3\"/>\n")
                .arg(PathData(shape.path), fill, stroke);
  }
  const QString svg =
      QStringLiteral(
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %2 "
          "%2\">\n<defs>\n%3</defs>\n%4</svg>\n")
          .arg(QString::number(size), Number(kEmblemBox), defs, body);
  return svg.toUtf8();
}

}  // namespace steamcalc
