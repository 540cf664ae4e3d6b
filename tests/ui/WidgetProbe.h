#pragma once
// What a widget shows, read from the widget as painted.

#include <QIcon>
#include <QImage>
#include <QWidget>
#include <cstdlib>

namespace zelkora::test {

// Whether any pixel of the widget as painted has this colour, each channel within
// `tolerance` (small antialiased text has few pixels of the pure colour).
inline bool showsColour(QWidget& widget, const QColor& colour, int tolerance = 0) {
  const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  auto near = [&](int a, int b) { return std::abs(a - b) <= tolerance; };
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (near(qRed(line[x]), colour.red()) && near(qGreen(line[x]), colour.green()) &&
          near(qBlue(line[x]), colour.blue())) {
        return true;
      }
    }
  }
  return false;
}

inline bool sameIcon(const QIcon& a, const QIcon& b) {
  return a.pixmap(32, 32).toImage() == b.pixmap(32, 32).toImage();
}

}  // namespace zelkora::test
