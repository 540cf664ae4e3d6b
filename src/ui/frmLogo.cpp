#include "ui/frmLogo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include "relay/Version.h"
#include "ui/UiLook.h"

namespace zelkora {

frmLogo::frmLogo(ModalDialog& logic, QWidget*) : DialogWindow(logic, nullptr) {
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(440, 264);
  setCursor(Qt::WaitCursor);
  setStyleSheet("frmLogo { background: rgb(128,128,128); }");
  auto* picture = new QLabel(this);
  picture->setGeometry(0, 0, 440, 264);
  QPixmap logo(":/logo.jpg");
  if (!logo.isNull()) picture->setPixmap(logo.scaled(440, 264));
  const QString line = QString::fromStdString(version::VersionLine());
  // The black copy 2 px right and below gives the cyan text its shadow.
  auto* shadow = new QLabel(line, this);
  shadow->setGeometry(7, 4, 145, 33);
  auto* text = new QLabel(line, this);
  text->setGeometry(5, 2, 145, 33);
  for (QLabel* l : {shadow, text}) {
    l->setFont(UiLook::arial(9, true));
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    l->setAttribute(Qt::WA_TranslucentBackground);
  }
  shadow->setStyleSheet("color: black; background: transparent;");
  text->setStyleSheet("color: rgb(0,255,255); background: transparent;");
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    QWidget::move(area.center() - QPoint(220, 132));
  }
}

}  // namespace zelkora
