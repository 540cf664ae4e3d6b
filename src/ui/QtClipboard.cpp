#include "ui/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

namespace zelkora {

void QtClipboard::clear() {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->clear();
}

void QtClipboard::setText(const std::string& text) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) {
    clipboard->setText(QString::fromStdString(text));
  }
}

}  // namespace zelkora
