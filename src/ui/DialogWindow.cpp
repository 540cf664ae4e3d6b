#include "ui/DialogWindow.h"

#include <QCloseEvent>

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

}  // namespace zelkora
