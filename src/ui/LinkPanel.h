#pragma once
// A text panel that reports a click of the left mouse button, for the About box's links.

#include <QLabel>

namespace zelkora {

class LinkPanel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace zelkora
