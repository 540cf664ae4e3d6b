#include "relay/InterfacePage.h"

#include "relay/Settings.h"

namespace zelkora {

InterfacePage::InterfacePage(ConfigPageContext& context)
    : chkAutoRun{"Автозапуск (вместе с Windows)"},
      chkAutoMeON{"Включать Zelkora®"},
      chkAutoCplON{"Включать Панель Управления"},
      chkMeON{"Включать Zelkora®"},
      chkCplON{"Включать Панель Управления"},
      chkSaveCplON{"Сохранять состояние Панели Управления", false, true,
                   "Не позицию, а Вкл/Выкл !"},
      cboLogo{{"Никогда не показывать", "Показывать при простом запуске",
               "Показывать при любом запуске"}},
      chkAutoClose{"Разрешить закрытие во Включенном режиме"},
      chkAutoCloseEnsure{"Запрос на подтверждение"},
      ctx_(context) {}

void InterfacePage::Load(const Settings& s) {
  chkAutoRun.checked = s.AutoRun;
  applyAutorunRule();
  chkMeON.checked = s.MeON;
  chkCplON.checked = s.CplON;
  chkSaveCplON.checked = s.SaveCplON;
  applyPanelRules();
  chkAutoMeON.checked = s.AutoMeON;
  chkAutoCplON.checked = s.AutoCplON;
  if (cboLogo.index != s.LogoType) {
    cboLogo.index = s.LogoType;
    logoReaction();
  }
  chkAutoClose.checked = s.AutoClose;
  applyClosingRule();
  chkAutoCloseEnsure.checked = s.AutoCloseEnsure;
}

void InterfacePage::Store(Settings& s) const {
  s.AutoRun = chkAutoRun.checked;
  s.MeON = chkMeON.checked;
  s.CplON = chkCplON.checked;
  s.AutoMeON = chkAutoMeON.checked;
  s.AutoCplON = chkAutoCplON.checked;
  s.SaveCplON = chkSaveCplON.checked;
  s.LogoType = cboLogo.selection();
  s.AutoClose = chkAutoClose.checked;
  s.AutoCloseEnsure = chkAutoCloseEnsure.checked;
}

void InterfacePage::chkAutoRun_Click(bool checked) {
  tickRuled(chkAutoRun, checked);
}
void InterfacePage::chkCplON_Click(bool checked) {
  tickRuled(chkCplON, checked);
}
void InterfacePage::chkSaveCplON_Click(bool checked) {
  tickRuled(chkSaveCplON, checked);
}
void InterfacePage::chkAutoClose_Click(bool checked) {
  tickRuled(chkAutoClose, checked);
}

void InterfacePage::chkAutoMeON_Click(bool checked) {
  ctx_.tick(chkAutoMeON, checked);
}
void InterfacePage::chkAutoCplON_Click(bool checked) {
  ctx_.tick(chkAutoCplON, checked);
}
void InterfacePage::chkMeON_Click(bool checked) {
  ctx_.tick(chkMeON, checked);
}
void InterfacePage::chkAutoCloseEnsure_Click(bool checked) {
  ctx_.tick(chkAutoCloseEnsure, checked);
}

void InterfacePage::cboLogo_Click(int index) {
  if (!cboLogo.has(index)) return;
  cboLogo.index = index;
  logoReaction();
  ctx_.changed();
}

void InterfacePage::tickRuled(CheckBox& box, bool checked) {
  box.checked = checked;
  applyAutorunRule();
  applyPanelRules();
  applyClosingRule();
  ctx_.changed();
}

void InterfacePage::applyAutorunRule() {
  fraAutorun.enabled = chkAutoMeON.enabled = chkAutoCplON.enabled = chkAutoRun.checked;
}

void InterfacePage::applyPanelRules() {
  chkSaveCplON.enabled = !chkCplON.checked;
  chkCplON.enabled = !chkSaveCplON.checked;
}

void InterfacePage::applyClosingRule() {
  chkAutoCloseEnsure.enabled = chkAutoClose.checked;
}

void InterfacePage::logoReaction() {
  // Compared with the stored setting, not with the previous choice: every switch to
  // "never" in one opening is answered.
  if (cboLogo.index == 0 && ctx_.stored.LogoType != 0) ctx_.warn(SplashOffWarning);
}

}  // namespace zelkora
