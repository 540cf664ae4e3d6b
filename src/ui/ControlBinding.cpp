#include "ui/ControlBinding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "ui/UiLook.h"

namespace zelkora {

namespace {
QString text(const std::string& s) {
  return QString::fromStdString(s);
}

void setTip(QWidget* widget, const std::string& tip) {
  if (widget->toolTip() != text(tip)) widget->setToolTip(text(tip));
}
}  // namespace

void ControlBinding::enable(QWidget* widget, bool enabled) {
  if (widget->isEnabledTo(widget->parentWidget()) != enabled) widget->setEnabled(enabled);
}

void ControlBinding::render(QComboBox* widget, const ComboBox& model) {
  const QSignalBlocker quiet(widget);
  const int count = static_cast<int>(model.items.size());
  while (widget->count() > count) widget->removeItem(widget->count() - 1);
  for (int i = 0; i < count; ++i) {
    const QString item = text(model.items[static_cast<size_t>(i)]);
    if (i >= widget->count()) {
      widget->addItem(item);
    } else if (widget->itemText(i) != item) {
      widget->setItemText(i, item);
    }
  }
  if (widget->currentIndex() != model.index) widget->setCurrentIndex(model.index);
  enable(widget, model.enabled);
  setTip(widget, model.toolTip);
}

void ControlBinding::render(QListWidget* widget, const ComboBox& model) {
  const QSignalBlocker quiet(widget);
  const int count = static_cast<int>(model.items.size());
  while (widget->count() > count) delete widget->takeItem(widget->count() - 1);
  for (int i = 0; i < count; ++i) {
    const QString item = text(model.items[static_cast<size_t>(i)]);
    if (i >= widget->count()) {
      widget->addItem(item);
    } else if (widget->item(i)->text() != item) {
      widget->item(i)->setText(item);
    }
  }
  if (widget->currentRow() != model.index) widget->setCurrentRow(model.index);
  enable(widget, model.enabled);
  setTip(widget, model.toolTip);
}

void ControlBinding::render(QCheckBox* widget, const CheckBox& model) {
  const QSignalBlocker quiet(widget);
  if (widget->text() != text(model.caption)) widget->setText(text(model.caption));
  if (widget->isChecked() != model.checked) widget->setChecked(model.checked);
  enable(widget, model.enabled);
  setTip(widget, model.toolTip);
}

void ControlBinding::render(QRadioButton* widget, const OptionButton& model) {
  const QSignalBlocker quiet(widget);
  // The dialog decides which option is selected; the buttons do not exclude each other.
  widget->setAutoExclusive(false);
  if (widget->text() != text(model.caption)) widget->setText(text(model.caption));
  if (widget->isChecked() != model.selected) widget->setChecked(model.selected);
  enable(widget, model.enabled);
}

void ControlBinding::render(QSlider* widget, const Slider& model) {
  const QSignalBlocker quiet(widget);
  if (widget->minimum() != model.min || widget->maximum() != model.max) {
    widget->setRange(model.min, model.max);
  }
  if (widget->value() != model.value) widget->setValue(model.value);
  enable(widget, model.enabled);
}

void ControlBinding::render(QLabel* widget, const Label& model) {
  if (widget->text() != text(model.caption)) widget->setText(text(model.caption));
  if (model.pointSize > 0 && widget->font().pointSize() != model.pointSize) {
    QFont font = widget->font();
    font.setPointSize(model.pointSize);
    widget->setFont(font);
  }
  enable(widget, model.enabled);
}

void ControlBinding::render(QAbstractButton* widget, const Button& model) {
  if (widget->text() != text(model.caption)) widget->setText(text(model.caption));
  enable(widget, model.enabled);
  setTip(widget, model.toolTip);
}

void ControlBinding::render(QTextEdit* widget, const TextBox& model) {
  const QString shown = UiLook::displayText(model.text);
  if (widget->toPlainText() == shown) return;
  widget->setPlainText(shown);
  QTextCursor all(widget->document());
  all.select(QTextCursor::Document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  all.mergeBlockFormat(centred);
  widget->moveCursor(QTextCursor::Start);
}

}  // namespace zelkora
