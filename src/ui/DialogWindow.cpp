#include "ui/DialogWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

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
  QRect area;
  if (owner != nullptr && owner->isVisible() && !owner->isMinimized()) {
    area = owner->frameGeometry();
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  if (area.isValid()) QWidget::move(area.center() - QPoint(width() / 2, height() / 2));
}

}  // namespace zelkora
