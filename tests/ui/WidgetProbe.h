#pragma once
// What a widget shows, read from the widget as painted.

#include <QIcon>
#include <QImage>
#include <QWidget>

namespace zelkora::test {

// Whether any pixel of the widget as painted has exactly this colour.
inline bool showsColour(QWidget& widget, const QColor& colour) {
  const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb wanted = colour.rgb();
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] | 0xff000000u) == wanted) return true;
    }
  }
  return false;
}

inline bool sameIcon(const QIcon& a, const QIcon& b) {
  return a.pixmap(32, 32).toImage() == b.pixmap(32, 32).toImage();
}

}  // namespace zelkora::test
