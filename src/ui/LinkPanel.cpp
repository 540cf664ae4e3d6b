#include "ui/LinkPanel.h"

#include <QMouseEvent>

namespace zelkora {

void LinkPanel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
}

}  // namespace zelkora
