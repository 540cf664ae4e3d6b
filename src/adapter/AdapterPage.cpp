#include "adapter/AdapterPage.h"

#include <cstdio>

#include "relay/Cp1251.h"
#include "relay/Settings.h"
#include "relay/Version.h"

namespace zelkora {

namespace {

// The three standard parallel ports, items 0..2 of cboLPT.
constexpr std::array<int32_t, 3> kStandardBases{0x378, 0x278, 0x3BC};
constexpr int kOtherLptItem = 3;
constexpr int32_t kLowestBase = 0x100;
constexpr int32_t kHighestBase = 0x3FF;

constexpr std::array<const char*, 3> kModeNames{
    "Двухсторонний обмен:", "Односторонний обмен:", "Односторонний обмен:"};
// The second half of each transfer-mode item, with and without the adapter.
constexpr std::array<const char*, 3> kAdapterDirections{
    "          Модем        <<--->>   Korvane™", "          Модем        ------->>   Korvane™",
    "          Модем        <<-------   Korvane™"};
constexpr std::array<const char*, 3> kPortDirections{"    Первый Порт   <<--->>   Второй Порт",
                                                     "    Первый Порт   ------->>   Второй Порт",
                                                     "    Первый Порт   <<-------   Второй Порт"};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

AdapterPage::AdapterPage(ConfigPageContext& context, std::array<Label, 2>& portTitles,
                         DescriptionLoader description)
    : lstDuplex{{"", "", ""}, -1, true, "Режим обмена между Портами"},
      optNoUseHW{"Нормальная Ретрансляция (все сигналы,кроме DCD и RI)"},
      optUseHW{"Полная Ретрансляция    (включая DCD и RI, для модемов)"},
      lblHW{Label{"Только для MS Windows-95, 98, 98SE, ME"}, Label{"Сигналы:"},
            Label{"Powered by Korvane™"}, Label{"Порт:"},
            Label{"Схема и первые образцы Korvane™: Всеволод Ладогин"}},
      cboLPT{{"L P T 1    ( База - 378h )", "L P T 2    ( База - 278h )",
              "L P T 3    ( База - 3BCh )", ""}},
      cmdChangeLPT{"Изменить Адрес"},
      cboHWMode{{"DCD(Data Carrier Detect) + RI(Ring Indicator) (стд.)",
                 "Только DCD (Data Carrier Detect)",
                 "Только RI (Ring Indicator) (не рекомендуется)"}},
      ctx_(context),
      portTitles_(portTitles),
      description_(std::move(description)) {
  AdapterChoiceReaction(false);
  ShowOtherLptItem();
}

void AdapterPage::Load(const Settings& s) {
  txtInfo.text = description_ ? cp1251::ToUtf8(description_()) : std::string();
  lstDuplex.index = s.Duplex;
  DuplexReaction();
  selectOption(s.HWUse);
  cboHWMode.index = s.HWMode;
  cboLPT.index = s.HWPortSel - 1;
  PortChoiceReaction();
  OtherLptBase = s.HWPortOverride;
  ShowOtherLptItem();
  lblHWRev.caption = std::string("Hardware Revision ") + version::HardwareRevision;
}

void AdapterPage::Store(Settings& s) const {
  s.Duplex = lstDuplex.selection();
  s.HWUse = optUseHW.selected;
  s.HWMode = cboHWMode.selection();
  s.HWPortSel = static_cast<uint8_t>(cboLPT.selection() + 1);
  s.HWPortOverride = OtherLptBase;
}

void AdapterPage::lstDuplex_Click(int index) {
  if (!lstDuplex.has(index)) return;
  lstDuplex.index = index;
  DuplexReaction();
  ctx_.changed();
}

void AdapterPage::optNoUseHW_Click() {
  selectOption(false);
  ctx_.changed();
}

void AdapterPage::optUseHW_Click() {
  // A disabled option cannot be chosen: the direction or the system rules the adapter out.
  if (!optUseHW.enabled) return;
  selectOption(true);
  ctx_.changed();
}

void AdapterPage::cboLPT_Click(int index) {
  if (!cboLPT.has(index)) return;
  cboLPT.index = index;
  PortChoiceReaction();
  ctx_.changed();
}

void AdapterPage::cboHWMode_Click(int index) {
  ctx_.pick(cboHWMode, index);
}

void AdapterPage::cmdChangeLPT_Click() {
  if (!cmdChangeLPT.enabled) return;
  for (;;) {
    const std::string answer = ctx_.op.InputBox(AddressPrompt, AddressTitle, Hex(OtherLptBase));
    if (answer.empty()) return;
    const std::optional<uint32_t> number = ReadHexNumber(answer);
    if (!number || *number < static_cast<uint32_t>(kLowestBase) ||
        *number > static_cast<uint32_t>(kHighestBase)) {
      ctx_.warn(InvalidAddress);
      continue;
    }
    const auto base = static_cast<int32_t>(*number);
    for (size_t item = 0; item < kStandardBases.size(); ++item) {
      if (base == kStandardBases[item]) {
        selectLpt(static_cast<int>(item));
        ctx_.changed();
        return;
      }
    }
    OtherLptBase = base;
    ShowOtherLptItem();
    ctx_.changed();
    return;
  }
}

void AdapterPage::ShowOtherLptItem() {
  cboLPT.items[kOtherLptItem] = OtherLptPrefix + Hex(OtherLptBase) + "h )";
}

std::optional<uint32_t> AdapterPage::ReadHexNumber(std::string_view answer) {
  uint64_t value = 0;
  for (char c : answer) {
    if (c == ' ' || c == '\t' || c == '\n') continue;
    const int digit = hexDigit(c);
    if (digit < 0) break;
    value = value * 16 + static_cast<uint64_t>(digit);
    if (value > UINT32_MAX) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

std::string AdapterPage::Hex(int32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(value));
  return digits;
}

void AdapterPage::DuplexReaction() {
  if (lstDuplex.index == 2) {
    const bool adapterWasChosen = optUseHW.selected;
    selectOption(false);
    optUseHW.enabled = false;
    if (ctx_.visible && adapterWasChosen) ctx_.warn(UselessAdapterWarning);
  } else {
    optUseHW.enabled = !ctx_.isNT;
  }
}

void AdapterPage::AdapterChoiceReaction(bool adapterSelected) {
  for (size_t i = 1; i < lblHW.size(); ++i) lblHW[i].enabled = adapterSelected;
  cboHWMode.enabled = cboLPT.enabled = lblHWRev.enabled = adapterSelected;
  PortChoiceReaction();

  portTitles_[0].caption = adapterSelected ? "Модем" : "Первый";
  portTitles_[1].caption = adapterSelected ? "Korvane™" : "Второй";
  portTitles_[1].pointSize = adapterSelected ? 13 : 14;
  const auto& directions = adapterSelected ? kAdapterDirections : kPortDirections;
  for (size_t item = 0; item < lstDuplex.items.size(); ++item) {
    lstDuplex.items[item] = std::string(kModeNames[item]) + directions[item];
  }
}

void AdapterPage::PortChoiceReaction() {
  cmdChangeLPT.enabled = cboLPT.index == kOtherLptItem && optUseHW.selected;
}

void AdapterPage::selectOption(bool useAdapter) {
  optUseHW.selected = useAdapter;
  optNoUseHW.selected = !useAdapter;
  AdapterChoiceReaction(useAdapter);
}

void AdapterPage::selectLpt(int index) {
  if (cboLPT.index == index) return;
  cboLPT.index = index;
  PortChoiceReaction();
}

}  // namespace zelkora
