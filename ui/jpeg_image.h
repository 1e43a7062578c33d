// JPEG pictures: decoding with libjpeg from memory.
#ifndef STEAMCALC_UI_JPEG_IMAGE_H
#define STEAMCALC_UI_JPEG_IMAGE_H

#include <QByteArray>
#include <QImage>
#include <QString>

namespace steamcalc {

// Decodes a baseline or progressive JPEG. A one-component (grey-scale) file
// gives a QImage::Format_Grayscale8 image, any other an RGB888 image. Data
// that libjpeg cannot decode gives a null image.
QImage DecodeJpeg(const QByteArray& data);

// Reads a JPEG from the program's resources (":/emblem.jpg",
// ":/hs_diagram.jpg") and decodes it; a null image if either step fails.
QImage LoadJpegResource(const QString& path);

}  // namespace steamcalc

#endif  // STEAMCALC_UI_JPEG_IMAGE_H
