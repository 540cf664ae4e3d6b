#include "ui/UiLook.h"

#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>

namespace zelkora {

QString UiLook::family() {
  static const QString chosen = [] {
    const QStringList families = QFontDatabase::families(QFontDatabase::Cyrillic);
    for (const char* name : {"Arial", "Liberation Sans", "DejaVu Sans"}) {
      if (families.contains(QString::fromLatin1(name))) return QString::fromLatin1(name);
    }
    return QString::fromLatin1("Sans Serif");
  }();
  return chosen;
}

QFont UiLook::arial(double pointSize, bool bold, bool italic) {
  QFont font(family());
  if (pointSize > 0) font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QString UiLook::colourCss(const Rgb& colour) {
  return QString("color: rgb(%1,%2,%3);").arg(colour.r).arg(colour.g).arg(colour.b);
}

QString UiLook::blockGaugeCss() {
  return "QProgressBar { border: 1px solid #808080; background: white; }"
         "QProgressBar::chunk { background: rgb(0,0,160); width: 6px; margin: 1px; }";
}

QIcon UiLook::stateIcon(int image) {
  const QString path = image == 0 ? QString(":/icons/zelkora.png")
                                  : QString(":/icons/state%1.png").arg(image);
  if (QFile::exists(path)) return QIcon(path);
  // Drawn stand-in when the pictures are not built in.
  static const QColor colours[] = {QColor(90, 90, 160), QColor(128, 128, 128),
                                   QColor(0, 170, 0), QColor(220, 170, 0), QColor(0, 90, 220)};
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(colours[std::clamp(image, 0, 4)]);
  painter.setPen(QPen(Qt::black, 2));
  painter.drawEllipse(3, 3, 26, 26);
  painter.end();
  return QIcon(pixmap);
}

QString UiLook::displayText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace("\r\n", "\n");
  shown.replace('\r', '\n');
  return shown;
}

}  // namespace zelkora
