#pragma once
// Page 3 of the settings dialog, "Интерфейс": what the program does when it starts with the
// system or plainly, the splash screen, and whether it may be closed while the relay is on.

#include "relay/ConfigPageContext.h"
#include "relay/DialogControls.h"

namespace zelkora {

struct Settings;

class InterfacePage {
 public:
  static constexpr const char* StartFrame = "Запуск Zelkora'а";
  static constexpr const char* PlainStartFrame = "Простой Запуск / Выход";
  static constexpr const char* SplashLabel = "Splash Screen:";
  static constexpr const char* CloseFrame = "Закрытие Zelkora'а";
  static constexpr const char* SplashOffWarning =
      "Чё, сплэш мой не понравился ?! Ну ладно, хрен с тобой, выключаю!";

  explicit InterfacePage(ConfigPageContext& context);

  // chkAutoRun is the title of the frame fraAutorun, which holds the next two boxes.
  CheckBox chkAutoRun;
  Label fraAutorun;
  CheckBox chkAutoMeON;
  CheckBox chkAutoCplON;
  CheckBox chkMeON;
  CheckBox chkCplON;
  CheckBox chkSaveCplON;
  ComboBox cboLogo;  // index = LogoType
  CheckBox chkAutoClose;
  CheckBox chkAutoCloseEnsure;

  void Load(const Settings& settings);
  void Store(Settings& settings) const;

  void chkAutoRun_Click(bool checked);
  void chkAutoMeON_Click(bool checked);
  void chkAutoCplON_Click(bool checked);
  void chkMeON_Click(bool checked);
  void chkCplON_Click(bool checked);
  void chkSaveCplON_Click(bool checked);
  void cboLogo_Click(int index);
  void chkAutoClose_Click(bool checked);
  void chkAutoCloseEnsure_Click(bool checked);

 private:
  // Enabling rules; a disabled box keeps its tick and is stored as it is.
  void applyAutorunRule();
  void applyPanelRules();
  void applyClosingRule();
  void logoReaction();
  // A box that an enabling rule depends on: the rules are re-applied, all of them, as
  // each depends on its own box only.
  void tickRuled(CheckBox& box, bool checked);

  ConfigPageContext& ctx_;
};

}  // namespace zelkora
