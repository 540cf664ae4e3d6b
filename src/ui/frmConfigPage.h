#pragma once
// Base of the four pages of the settings window: builds controls at fixed places and hands
// every input of the operator to the page's logic, then repaints the whole dialog.

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace zelkora {

struct CheckBox;
struct ComboBox;

class frmConfigPage : public QWidget {
  Q_OBJECT
 public:
  frmConfigPage(QWidget* parent, std::function<void()> repaint)
      : QWidget(parent), repaint_(std::move(repaint)) {}
  virtual void render() = 0;

 protected:
  // Runs a handler of the logic, then repaints what it changed.
  void forward(const std::function<void()>& handler) {
    handler();
    repaint_();
  }
  QLabel* label(QWidget* parent, const QRect& place, const char* name, const QString& text = {});
  QComboBox* combo(QWidget* parent, const QRect& place, const char* name,
                   std::function<void(int)> chosen);
  QCheckBox* check(QWidget* parent, const QRect& place, const char* name,
                   std::function<void(bool)> clicked);
  QGroupBox* frame(QWidget* parent, const QRect& place, const char* name, const QString& title);

 private:
  std::function<void()> repaint_;
};

}  // namespace zelkora
