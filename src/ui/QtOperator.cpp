#include "ui/QtOperator.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include "relay/Texts.h"
#include "ui/UiLook.h"

namespace zelkora {

namespace {

struct ButtonSet {
  std::vector<std::pair<QMessageBox::StandardButton, MsgAnswer>> buttons;
};

ButtonSet buttonsOf(MsgButtons kind) {
  using B = QMessageBox;
  switch (kind) {
    case MsgButtons::OK:
      return {{{B::Ok, MsgAnswer::OK}}};
    case MsgButtons::OKCancel:
      return {{{B::Ok, MsgAnswer::OK}, {B::Cancel, MsgAnswer::Cancel}}};
    case MsgButtons::AbortRetryIgnore:
      return {{{B::Abort, MsgAnswer::Abort},
               {B::Retry, MsgAnswer::Retry},
               {B::Ignore, MsgAnswer::Ignore}}};
    case MsgButtons::YesNoCancel:
      return {{{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}, {B::Cancel, MsgAnswer::Cancel}}};
    case MsgButtons::YesNo:
      return {{{B::Yes, MsgAnswer::Yes}, {B::No, MsgAnswer::No}}};
    case MsgButtons::RetryCancel:
      return {{{B::Retry, MsgAnswer::Retry}, {B::Cancel, MsgAnswer::Cancel}}};
  }
  return {{{B::Ok, MsgAnswer::OK}}};
}

QMessageBox::Icon iconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical:
      return QMessageBox::Critical;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// Russian captions for the standard buttons, whatever the system's language.
QString captionOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return "OK";
    case QMessageBox::Cancel:
      return "Отмена";
    case QMessageBox::Abort:
      return "Стоп";
    case QMessageBox::Retry:
      return "Повтор";
    case QMessageBox::Ignore:
      return "Пропустить";
    case QMessageBox::Yes:
      return "Да";
    case QMessageBox::No:
      return "Нет";
    default:
      return {};
  }
}

}  // namespace

bool QtOperator::EscapeGuard::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Close) {
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
  }
  return false;
}

std::map<QAbstractButton*, MsgAnswer> QtOperator::prepare(QMessageBox& box,
                                                          const Message& message) {
  box.setWindowTitle(
      QString::fromStdString(message.title.empty() ? texts::ProgramTitle : message.title));
  box.setText(UiLook::displayText(message.text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(iconOf(message.icon));
  const ButtonSet set = buttonsOf(message.buttons);
  std::map<QAbstractButton*, MsgAnswer> answers;
  bool hasCancel = false;
  for (size_t i = 0; i < set.buttons.size(); ++i) {
    QPushButton* b = box.addButton(set.buttons[i].first);
    b->setText(captionOf(set.buttons[i].first));
    answers[b] = set.buttons[i].second;
    hasCancel = hasCancel || set.buttons[i].first == QMessageBox::Cancel;
    if (static_cast<int>(i) + 1 == message.defaultButton) box.setDefaultButton(b);
  }
  if (hasCancel) {
    box.setEscapeButton(box.button(QMessageBox::Cancel));
  } else if (set.buttons.size() > 1) {
    // Yes/No and Abort/Retry/Ignore have no neutral answer: the box has no close box,
    // and Escape does not pick one of the answers for the operator.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    box.installEventFilter(&escapeGuard_);
  }
  return answers;
}

MsgAnswer QtOperator::MsgBox(const Message& message) {
  QMessageBox box(owner_);
  const auto answers = prepare(box, message);
  box.exec();
  auto it = answers.find(box.clickedButton());
  if (it != answers.end()) return it->second;
  return message.buttons == MsgButtons::OK ? MsgAnswer::OK : MsgAnswer::Cancel;
}

std::string QtOperator::InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& proposed) {
  QInputDialog dialog(owner_);
  dialog.setWindowTitle(QString::fromStdString(title));
  dialog.setLabelText(UiLook::displayText(prompt));
  dialog.setTextValue(QString::fromStdString(proposed));
  dialog.setOkButtonText("OK");
  dialog.setCancelButtonText("Отмена");
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.textValue().toStdString();
}

std::unique_ptr<DialogWindow> QtOperator::windowFor(ModalDialog& dialog) const {
  auto factory = factories_.find(dialog.kind());
  if (factory == factories_.end()) return nullptr;
  return factory->second(dialog, owner_);
}

void QtOperator::ShowModal(ModalDialog& dialog) {
  std::unique_ptr<DialogWindow> window = windowFor(dialog);
  QEventLoop loop;
  dialog.onChanged = [&] {
    if (window) window->renderLogic();
    if (dialog.closed()) loop.quit();
  };
  dialog.Form_Load();
  if (!dialog.closed()) {
    if (window) {
      window->setModal(true);
      window->show();
      window->renderLogic();
    }
    dialog.Form_Activate();
    // A dialog without a window of its own is asked to close, so that it can never wait
    // unseen; one that closes only by itself (the splash) keeps its time.
    if (!window && !dialog.closed()) dialog.Form_QueryUnload();
    if (!dialog.closed()) loop.exec();
  }
  dialog.onChanged = nullptr;
  if (window) window->hide();
}

}  // namespace zelkora
