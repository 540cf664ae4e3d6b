#include "ui/frmLogo.h"

#include <QLabel>
#include <QPixmap>

#include "ui/UiLook.h"

namespace zelkora {

frmLogo::frmLogo(SplashDialog& logic, QWidget*) : DialogWindow(logic, nullptr), splash_(logic) {
  setObjectName("frmLogo");
  // A splash window is kept out of the taskbar by the window manager.
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFixedSize(440, 264);
  setCursor(Qt::WaitCursor);
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(128, 128, 128));
  setPalette(grey);
  setAutoFillBackground(true);
  auto* picture = new QLabel(this);
  picture->setObjectName("imgLogo");
  picture->setGeometry(0, 0, 440, 264);
  const QPixmap logo(":/logo.jpg");
  if (!logo.isNull()) picture->setPixmap(logo.scaled(440, 264));
  // The black copy 2 px right of and below the cyan one gives it its shadow.
  const QFont font = UiLook::arial(9, true);
  lblVer_[1] = UiLook::overlay(this, {7, 4, 145, 33}, "lblVer1", Qt::black, font);
  lblVer_[0] = UiLook::overlay(this, {5, 2, 145, 33}, "lblVer0", QColor(0, 255, 255), font);
  for (QLabel* l : lblVer_) l->setWordWrap(true);
  centreOn(nullptr);
}

void frmLogo::renderLogic() {
  const QString line = QString::fromStdString(splash_.lblVer);
  for (QLabel* l : lblVer_) l->setText(line);
}

}  // namespace zelkora
