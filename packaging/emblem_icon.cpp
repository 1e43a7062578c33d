// Build tool: makes the application icon from the emblem JPEG.
//   emblem_icon <emblem.jpg> <icon.png> <size>
// Decodes the JPEG with libjpeg, scales it smoothly to size x size pixels and
// writes it as PNG, for the hicolor icon theme's fixed-size folders.
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>

// jpeglib.h uses FILE and size_t without including their headers.
#include <jpeglib.h>

namespace {

QImage DecodeJpeg(const char* path) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "rb"), &std::fclose);
  if (!file) return {};
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);  // a corrupt file ends the tool with libjpeg's message
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file.get());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
               QImage::Format_RGB888);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <emblem.jpg> <icon.png> <size>\n", argv[0]);
    return 2;
  }
  const int size = std::atoi(argv[3]);
  const QImage emblem = DecodeJpeg(argv[1]);
  if (emblem.isNull() || size <= 0) {
    std::fprintf(stderr, "emblem_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QImage icon = emblem.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (!icon.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "emblem_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
