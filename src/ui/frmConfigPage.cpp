#include "ui/frmConfigPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace zelkora {

QLabel* frmConfigPage::label(QWidget* parent, const QRect& place, const char* name,
                             const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(place);
  return l;
}

QComboBox* frmConfigPage::combo(QWidget* parent, const QRect& place, const char* name,
                                std::function<void(int)> chosen) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setGeometry(place);
  box->setEditable(false);
  box->setMaxVisibleItems(16);
  // A choice by the operator, also of the item already shown, as a click of the list.
  connect(box, &QComboBox::activated, this,
          [this, chosen = std::move(chosen)](int index) { forward([&] { chosen(index); }); });
  return box;
}

QCheckBox* frmConfigPage::check(QWidget* parent, const QRect& place, const char* name,
                                std::function<void(bool)> clicked) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(name);
  box->setGeometry(place);
  connect(box, &QCheckBox::clicked, this,
          [this, clicked = std::move(clicked)](bool on) { forward([&] { clicked(on); }); });
  return box;
}

QGroupBox* frmConfigPage::frame(QWidget* parent, const QRect& place, const char* name,
                                const QString& title) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(name);
  group->setGeometry(place);
  return group;
}

}  // namespace zelkora
