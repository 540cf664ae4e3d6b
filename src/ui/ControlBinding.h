#pragma once
// Puts the state of a dialog's control, as the core composed it, onto its widget. Rendering
// never reports back: the widget's signals are blocked meanwhile, so only the operator's
// own input reaches the dialog's handlers.

#include "relay/DialogControls.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QSlider;
class QTextEdit;
class QWidget;

namespace zelkora {

class ControlBinding {
 public:
  static void render(QComboBox* widget, const ComboBox& model);
  static void render(QListWidget* widget, const ComboBox& model);
  static void render(QCheckBox* widget, const CheckBox& model);
  static void render(QRadioButton* widget, const OptionButton& model);
  static void render(QSlider* widget, const Slider& model);
  // A point size of 0 leaves the widget's own font.
  static void render(QLabel* widget, const Label& model);
  static void render(QAbstractButton* widget, const Button& model);
  // Centred lines; the text's CR LF line ends become line breaks.
  static void render(QTextEdit* widget, const TextBox& model);
  static void enable(QWidget* widget, bool enabled);
};

}  // namespace zelkora
