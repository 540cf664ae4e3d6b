// Message boxes as the operator sees them, prepared but never shown: line breaks where the
// texts have carriage returns, Russian captions, the answer of each button.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include "relay/Texts.h"
#include "ui/QtOperator.h"
#include "ui/UiLook.h"

namespace zelkora::test {
namespace {

TEST(MessageBoxLook, EveryCarriageReturnIsALineBreak) {
  EXPECT_EQ(UiLook::displayText("a\rb").toStdString(), "a\nb");
  EXPECT_EQ(UiLook::displayText("a\r\r\rb").toStdString(), "a\n\n\nb");
  EXPECT_EQ(UiLook::displayText("a\r\nb").toStdString(), "a\nb");

  QtOperator op(nullptr);
  QMessageBox box;
  op.prepare(box, {texts::RegistryFatal, MsgButtons::OK, MsgIcon::Critical, ""});
  EXPECT_EQ(box.text().count('\n'), 3);
  EXPECT_FALSE(box.text().contains('\r'));
  EXPECT_TRUE(box.text().endsWith("Дальнейшая работа невозможна !!"));
  EXPECT_EQ(box.windowTitle().toStdString(), texts::ProgramTitle);
  EXPECT_EQ(box.icon(), QMessageBox::Critical);
}

struct ButtonCase {
  MsgButtons kind;
  std::vector<std::pair<const char*, MsgAnswer>> buttons;
};

TEST(MessageBoxLook, RussianCaptionsAndTheirAnswers) {
  const ButtonCase cases[] = {
      {MsgButtons::OK, {{"OK", MsgAnswer::OK}}},
      {MsgButtons::OKCancel, {{"OK", MsgAnswer::OK}, {"Отмена", MsgAnswer::Cancel}}},
      {MsgButtons::RetryCancel, {{"Повтор", MsgAnswer::Retry}, {"Отмена", MsgAnswer::Cancel}}},
      {MsgButtons::YesNo, {{"Да", MsgAnswer::Yes}, {"Нет", MsgAnswer::No}}},
      {MsgButtons::YesNoCancel,
       {{"Да", MsgAnswer::Yes}, {"Нет", MsgAnswer::No}, {"Отмена", MsgAnswer::Cancel}}},
      {MsgButtons::AbortRetryIgnore,
       {{"Стоп", MsgAnswer::Abort},
        {"Повтор", MsgAnswer::Retry},
        {"Пропустить", MsgAnswer::Ignore}}},
  };
  QtOperator op(nullptr);
  for (const ButtonCase& c : cases) {
    QMessageBox box;
    const auto answers = op.prepare(box, {"?", c.kind, MsgIcon::Question, "T"});
    ASSERT_EQ(answers.size(), c.buttons.size());
    for (const auto& [caption, answer] : c.buttons) {
      auto found = std::find_if(answers.begin(), answers.end(), [&](const auto& entry) {
        return entry.first->text().toStdString() == caption;
      });
      ASSERT_NE(found, answers.end()) << caption;
      EXPECT_EQ(found->second, answer) << caption;
    }
  }
}

TEST(MessageBoxLook, DefaultButtonIsTheOneTheMessageNames) {
  QtOperator op(nullptr);
  QMessageBox box;
  const auto answers = op.prepare(box, {"?", MsgButtons::OKCancel, MsgIcon::Question, "", 2});
  ASSERT_NE(box.defaultButton(), nullptr);
  EXPECT_EQ(answers.at(box.defaultButton()), MsgAnswer::Cancel);
}

TEST(MessageBoxLook, BoxWithoutNeutralAnswerIgnoresEscapeAndCloseRequest) {
  QtOperator op(nullptr);
  QMessageBox box;
  op.prepare(box, {"?", MsgButtons::AbortRetryIgnore, MsgIcon::Exclamation, ""});
  EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
  box.show();
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&box, &escape);
  EXPECT_FALSE(box.close());
  EXPECT_TRUE(box.isVisible());
  EXPECT_EQ(box.clickedButton(), nullptr);
  box.hide();
}

}  // namespace
}  // namespace zelkora::test
