#pragma once
// Everything that asks the operator something: message boxes, the input box and the
// modal dialogs. Production shows a window and runs a nested event loop until it is
// answered; tests answer from a script and may let virtual time pass meanwhile.

#include <string>

namespace zelkora {

class ModalDialog;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgAnswer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// A message box. Lines of `text` are separated by a single carriage return (13); an empty
// title means the program title.
struct Message {
  std::string text;
  MsgButtons buttons = MsgButtons::OK;
  MsgIcon icon = MsgIcon::None;
  std::string title;
  int defaultButton = 1;  // 1-based
};

class Operator {
 public:
  virtual ~Operator() = default;
  virtual MsgAnswer MsgBox(const Message& message) = 0;
  // The answer typed, or the empty text when cancelled.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& proposed) = 0;
  // Shows the dialog modally and returns once it has closed.
  virtual void ShowModal(ModalDialog& dialog) = 0;
};

}  // namespace zelkora
