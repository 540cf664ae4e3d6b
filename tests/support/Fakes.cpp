#include "support/Fakes.h"

namespace zelkora::test {

MsgAnswer ScriptedOperator::MsgBox(const Message& message) {
  messages.push_back(message);
  if (!messageScripts.empty()) {
    MessageScript script = std::move(messageScripts.front());
    messageScripts.pop_front();
    return script(message);
  }
  if (defaultMessage) return defaultMessage(message);
  return DefaultAnswer(message);
}

MsgAnswer ScriptedOperator::DefaultAnswer(const Message& message) {
  switch (message.buttons) {
    case MsgButtons::OK:
    case MsgButtons::OKCancel: return message.defaultButton == 2 ? MsgAnswer::Cancel : MsgAnswer::OK;
    case MsgButtons::RetryCancel: return message.defaultButton == 2 ? MsgAnswer::Cancel : MsgAnswer::Retry;
    case MsgButtons::AbortRetryIgnore:
      return message.defaultButton == 2 ? MsgAnswer::Retry
             : message.defaultButton == 3 ? MsgAnswer::Ignore
                                          : MsgAnswer::Abort;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
  }
  return MsgAnswer::OK;
}

std::string ScriptedOperator::InputBox(const std::string& prompt, const std::string& title,
                                       const std::string& proposed) {
  inputs.push_back({prompt, title, proposed});
  if (inputAnswers.empty()) return {};
  std::string answer = std::move(inputAnswers.front());
  inputAnswers.pop_front();
  return answer;
}

void ScriptedOperator::ShowModal(ModalDialog& dialog) {
  dialogs.push_back(dialog.kind());
  dialog.Form_Load();
  if (dialog.closed()) return;
  dialog.Form_Activate();
  if (dialog.closed()) return;
  if (!dialogScripts.empty()) {
    DialogScript script = std::move(dialogScripts.front());
    dialogScripts.pop_front();
    script(dialog);
  } else if (defaultDialog) {
    defaultDialog(dialog);
  }
}

}  // namespace zelkora::test
