#pragma once
// Message boxes, the input box and modal dialogs on Qt, each run in a nested event loop
// in which port events and timers go on.

#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "relay/ModalDialog.h"
#include "relay/Operator.h"
#include "ui/DialogWindow.h"

namespace zelkora {

class QtOperator : public Operator {
 public:
  using WindowFactory =
      std::function<std::unique_ptr<DialogWindow>(ModalDialog& logic, QWidget* owner)>;

  explicit QtOperator(QWidget* owner) : owner_(owner) {}
  MsgAnswer MsgBox(const Message& message) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& proposed) override;
  void ShowModal(ModalDialog& dialog) override;

  // The window shown for each kind of dialog.
  void setWindow(ModalDialog::Kind kind, WindowFactory factory) { factories_[kind] = factory; }
  // A new window for the dialog, owned by the panel; none for a kind without one.
  std::unique_ptr<DialogWindow> windowFor(ModalDialog& dialog) const;

  // Fills a box for the message: title, text with its line breaks, icon, buttons with
  // Russian captions; returns the answer of each button.
  std::map<QAbstractButton*, MsgAnswer> prepare(QMessageBox& box, const Message& message);

 private:
  // Keeps a box without a neutral answer from closing by Escape or its close request.
  class EscapeGuard : public QObject {
   public:
    bool eventFilter(QObject* watched, QEvent* event) override;
  };
  QPointer<QWidget> owner_;
  EscapeGuard escapeGuard_;
  std::map<ModalDialog::Kind, WindowFactory> factories_;
};

}  // namespace zelkora
