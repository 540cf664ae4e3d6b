#pragma once
// The About box's logic: the version line, the time of the program's file, the makers'
// credits and three links — the web page and the mail address open through the desktop,
// the messenger number goes to the clipboard after a question.

#include <array>
#include <ctime>
#include <string>

#include "relay/DialogControls.h"
#include "relay/ModalDialog.h"

namespace zelkora {

class Program;

class AboutDialog : public ModalDialog {
 public:
  static constexpr const char* Caption =
      "О Программе  \"Zelkora® - Коммуникационный ретранслятор\"";
  // Short enough for their link panels.
  static constexpr const char* WebPage = "http://zelkora.example/";
  static constexpr const char* AuthorName = "Ivan Zelenov";
  static constexpr const char* AuthorMail = "iz@zk.example";
  static constexpr const char* AuthorIcq = "271828182";
  static constexpr std::array<const char*, 2> Credits{
      "Программа: Иван Зеленов, Devodovazar Lab",
      "Korvane™: Всеволод Ладогин   Тестирование: Анна Зеленова"};
  static constexpr const char* CopyQuestion = "Скопировать ICQ UIN автора в буфер обмена?";
  static constexpr const char* CopiedNote = "ICQ UIN автора скопирован в буфер обмена.";

  explicit AboutDialog(Program& program);
  Kind kind() const override { return Kind::About; }
  // Builds the version line.
  void Form_Load() override;
  // The icon, the file time, the web address and the hand cursor over the links.
  void Form_Activate() override;

  void lblURL_Click();
  void lblMail_Click();
  void lblICQ_Click();
  void cmdOK_Click();

  // "DD.MM.YYYY , HH:NN:SS" (NN the minutes).
  static std::string FileTimeText(const std::tm& time);
  // "mailto:", a blank, the author's name, a blank and the address in angle brackets.
  static std::string MailLink();

  Label lblVer;
  // lblDate(0) the shadow, lblDate(1) the green text over it; empty when the time of the
  // program's file cannot be read.
  std::array<Label, 2> lblDate;
  Label lblURL;
  Label lblICQ;
  Label lblMail;
  Button cmdOK;
  bool iconShown = false;      // imgICO carries the program icon
  bool linkCursorSet = false;  // the pointing hand over the three links

 private:
  Program& p_;
};

}  // namespace zelkora
