#include "ui/DialogWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace zelkora {

void DialogWindow::closeEvent(QCloseEvent* event) {
  // The logic decides; the window goes away when the logic has closed itself.
  if (!logic_.closed()) logic_.Form_QueryUnload();
  if (logic_.closed()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void DialogWindow::centreOn(QWidget* owner) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect desk = screen->availableGeometry();
  const bool onOwner = owner != nullptr && owner->isVisible() && !owner->isMinimized();
  const QRect area = onOwner ? owner->frameGeometry() : desk;
  QPoint topLeft = area.center() - QPoint(width() / 2, height() / 2);
  // Kept on the screen when the owner lies near its edge.
  topLeft.setX(std::clamp(topLeft.x(), desk.left(), std::max(desk.left(), desk.right() - width())));
  topLeft.setY(std::clamp(topLeft.y(), desk.top(), std::max(desk.top(), desk.bottom() - height())));
  QWidget::move(topLeft);
}

}  // namespace zelkora
