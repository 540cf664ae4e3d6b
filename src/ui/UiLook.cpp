#include "ui/UiLook.h"

#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>

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

QString UiLook::gaugeCss(bool smooth) {
  const QString frame =
      "QProgressBar { border: 1px solid #808080; background: white; }"
      "QProgressBar:disabled { background: #e4e4e4; }";
  if (smooth) {
    return frame +
           "QProgressBar::chunk { background: rgb(0,0,128); }"
           "QProgressBar::chunk:disabled { background: #a0a0a0; }";
  }
  return frame +
         "QProgressBar::chunk { background: rgb(0,0,128); width: 6px; margin: 1px; }"
         "QProgressBar::chunk:disabled { background: #a0a0a0; }";
}

QIcon UiLook::stateIcon(int image) {
  const QString path =
      image == 0 ? QString(":/icons/zelkora.png") : QString(":/icons/state%1.png").arg(image);
  if (QFile::exists(path)) {
    QIcon icon(path);
    if (image == 0 && QFile::exists(":/icons/zelkora-64.png"))
      icon.addFile(":/icons/zelkora-64.png");
    return icon;
  }
  // Drawn stand-in when the pictures are not built in.
  static const QColor colours[] = {QColor(90, 90, 160), QColor(128, 128, 128), QColor(0, 170, 0),
                                   QColor(220, 170, 0), QColor(0, 90, 220)};
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

QIcon UiLook::symbol(Symbol kind) {
  static const char* const pictures[] = {":/buttons/start.png", ":/buttons/stop.png",
                                         ":/buttons/hide.png"};
  const QString path = QString::fromLatin1(pictures[static_cast<int>(kind)]);
  if (QFile::exists(path)) return QIcon(path);
  // Drawn stand-in when the pictures are not built in.
  constexpr int kSide = 20;
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case Symbol::Start: {
      QPainterPath arrow;
      arrow.moveTo(4, 2);
      arrow.lineTo(18, 10);
      arrow.lineTo(4, 18);
      arrow.closeSubpath();
      painter.fillPath(arrow, QColor(0, 160, 0));
      painter.setPen(QPen(QColor(0, 90, 0), 1));
      painter.drawPath(arrow);
      break;
    }
    case Symbol::Stop:
      painter.fillRect(QRectF(4, 4, 12, 12), QColor(220, 0, 0));
      painter.setPen(QPen(QColor(120, 0, 0), 1));
      painter.drawRect(QRectF(4, 4, 12, 12));
      break;
    case Symbol::Cross:
      painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QPointF(5, 5), QPointF(15, 15));
      painter.drawLine(QPointF(15, 5), QPointF(5, 15));
      break;
  }
  painter.end();
  return QIcon(pixmap);
}

QFrame* UiLook::panel(QWidget* parent, const QRect& place, const char* name) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
  frame->setGeometry(place);
  return frame;
}

QLabel* UiLook::textPanel(QWidget* parent, const QRect& place, const char* name,
                          const QString& tip) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  label->setAlignment(Qt::AlignCenter);
  if (!tip.isEmpty()) label->setToolTip(tip);
  return label;
}

QLabel* UiLook::overlay(QWidget* parent, const QRect& place, const char* name, const QColor& colour,
                        const QFont& font) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setFont(font);
  label->setAlignment(Qt::AlignCenter);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setStyleSheet(QString("color: %1; background: transparent;").arg(colour.name()));
  return label;
}

}  // namespace zelkora
