#pragma once
// The settings dialog's logic: every field of the settings record on four pages, the
// rules that keep pairs of options consistent, the warnings about risky choices, and on
// OK the copy back into the record and its application to the running program. It never
// touches the registry; the values reach it at the next exit. Only opened while the
// relay is off.
//
// Loaded afresh for every opening from the current settings. Until Form_Activate the
// dialog is not on screen: the reactions set off by loading only enable and disable
// controls. Every way of closing records the page shown in ConfigLastTab.

#include <array>

#include "adapter/AdapterPage.h"
#include "relay/ConfigPageContext.h"
#include "relay/ConnectionPage.h"
#include "relay/DialogControls.h"
#include "relay/InterfacePage.h"
#include "relay/ModalDialog.h"
#include "relay/OptionsPage.h"

namespace zelkora {

class Program;

class ConfigDialog : public ModalDialog {
  // Declared first: the pages are built on them.
  Program& p_;
  ConfigPageContext ctx_;

 public:
  static constexpr const char* Caption = "Zelkora® - Настройки";
  static constexpr std::array<const char*, 4> TabCaptions{"Соединение", "Трансляция", "Установки",
                                                          "Интерфейс"};

  explicit ConfigDialog(Program& program);
  Kind kind() const override { return Kind::Config; }
  // Fills every control from the settings, invisibly.
  void Form_Load() override;
  // The dialog is on screen: the port reaction, with its copies and warning. The window
  // calls it when it is first shown and whenever it takes the activation back from
  // another of the program's windows, not when a message box it opened itself closes
  // (the conflict warning would otherwise come back for ever).
  void Form_Activate() override;
  // The close box: as Cancel.
  void Form_QueryUnload() override;

  void sst_Click(int tab);
  void cmdOK_Click();
  void cmdCancel_Click();

  void LoadControls();
  void StoreControls();
  // The port lock of page 0.
  void ApplyPortLock() { connectionPage.ApplyPortLock(); }
  bool visible() const { return ctx_.visible; }

  ConnectionPage connectionPage;  // page 0
  AdapterPage adapterPage;        // page 1
  OptionsPage optionsPage;        // page 2
  InterfacePage interfacePage;    // page 3
  int sst = 0;                    // the page shown, 0..3
  Button cmdOK{"OK"};
  Button cmdCancel{"Отмена"};

 private:
  void close();
};

}  // namespace zelkora
