#pragma once
// Page 1 of the settings dialog, "Трансляция": the transfer direction and everything about
// the Korvane™ adapter — whether it is used, its parallel port, the lines it reproduces,
// its description. The page keeps the adapter choice consistent with the direction (one
// way from port 2 has no use for it) and with the system (no direct port access, no
// adapter), and names the port columns of page 0 after the choice.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "relay/ConfigPageContext.h"
#include "relay/DialogControls.h"

namespace zelkora {

struct Settings;

class AdapterPage {
 public:
  // The raw bytes of the description resource: Windows-1251, lines ended by CR LF. Empty
  // when it cannot be had.
  using DescriptionLoader = std::function<std::string()>;

  static constexpr const char* UselessAdapterWarning =
      "В этом режиме использование Korvane™`а не имеет смысла !";
  static constexpr const char* AddressPrompt =
      "Введите базовый адрес LPT-порта в HEX-форме (просто цифру, диапазон значений: 100 - 3FF) :"
      "\r\r"
      "Примеры:  378  278  3BC";
  static constexpr const char* AddressTitle = "Ручная настройка LPT-порта";
  static constexpr const char* InvalidAddress = "Неверный базовый адрес LPT-порта !";
  static constexpr const char* OtherLptPrefix = "Другой    ( База - ";

  // `portTitles` are the column titles of page 0, lblPort(1) and lblPort(2).
  AdapterPage(ConfigPageContext& context, std::array<Label, 2>& portTitles,
              DescriptionLoader description);

  ComboBox lstDuplex;  // index = Duplex
  OptionButton optNoUseHW;
  OptionButton optUseHW;
  // lblHW(0) the systems note, (1) "Сигналы:", (2) the "Powered by" panel, (3) "Порт:",
  // (4) the credit line of the adapter's designer.
  std::array<Label, 5> lblHW;
  Label lblHWRev;
  TextBox txtInfo;  // read-only, centred, yellow on black
  ComboBox cboLPT;  // index + 1 = HWPortSel; item 3 is the address OtherLptBase
  Button cmdChangeLPT;
  ComboBox cboHWMode;  // index = HWMode
  // The base address of the fourth port item while the dialog is open.
  int32_t OtherLptBase = 0x178;

  void Load(const Settings& settings);
  void Store(Settings& settings) const;

  void lstDuplex_Click(int index);
  void optNoUseHW_Click();
  void optUseHW_Click();
  void cboLPT_Click(int index);
  void cboHWMode_Click(int index);
  // Asks for a base address until a valid one or nothing is entered.
  void cmdChangeLPT_Click();

  // The fourth port item shows OtherLptBase.
  void ShowOtherLptItem();
  // Reads an answer as a hexadecimal number: blanks, tabs and line feeds are skipped
  // wherever they are, digits of either case, reading stops at the first other character,
  // no leading digit reads as 0. Empty when the number does not fit 32 bits.
  static std::optional<uint32_t> ReadHexNumber(std::string_view answer);
  // Upper-case digits without leading zeros.
  static std::string Hex(int32_t value);

 private:
  void DuplexReaction();
  void AdapterChoiceReaction(bool adapterSelected);
  void PortChoiceReaction();
  void selectOption(bool useAdapter);
  void selectLpt(int index);

  ConfigPageContext& ctx_;
  std::array<Label, 2>& portTitles_;
  DescriptionLoader description_;
};

}  // namespace zelkora
