#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "adapter/AdapterPage.h"
#include "relay/ConfigDialog.h"
#include "support/OfflineProgram.h"

namespace zelkora {
namespace {

using test::OfflineProgram;

const std::string kOther = "Другой    ( База - ";

// A settings dialog loaded and on screen, without the modal loop around it.
class AdapterPageTest : public ::testing::Test {
 protected:
  AdapterPage& show() {
    dialog.emplace(*world);
    dialog->Form_Load();
    dialog->Form_Activate();
    return dialog->adapterPage;
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const Message& m : world.op.messages) texts.push_back(m.text);
    return texts;
  }

  OfflineProgram world;
  Settings& settings = world->settings;
  std::optional<ConfigDialog> dialog;
};

TEST_F(AdapterPageTest, NoDirectPortAccessNoAdapterWhateverTheDirection) {
  world->run.IsNT = true;
  AdapterPage& page = show();
  for (int duplex : {0, 1, 2, 0}) {
    page.lstDuplex_Click(duplex);
    EXPECT_FALSE(page.optUseHW.enabled) << duplex;
    EXPECT_TRUE(page.optNoUseHW.enabled) << duplex;
  }
  page.optUseHW_Click();
  EXPECT_FALSE(page.optUseHW.selected) << "a disabled option cannot be chosen";
}

TEST_F(AdapterPageTest, OneWayFromPortTwoWhileLoadingIsSilent) {
  settings.Duplex = 2;
  AdapterPage& page = show();
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(page.optNoUseHW.selected);
  EXPECT_FALSE(page.optUseHW.enabled);
}

TEST_F(AdapterPageTest, OneWayFromPortTwoByHandDropsTheAdapterWithOneWarning) {
  settings.HWUse = true;
  AdapterPage& page = show();
  page.lstDuplex_Click(2);
  EXPECT_EQ(messages(), std::vector<std::string>{AdapterPage::UselessAdapterWarning});
  EXPECT_EQ(world.op.messages[0].icon, MsgIcon::Exclamation);
  EXPECT_TRUE(page.optNoUseHW.selected);
  EXPECT_FALSE(page.optUseHW.enabled);

  page.lstDuplex_Click(0);
  EXPECT_TRUE(page.optUseHW.enabled);
  EXPECT_FALSE(page.optUseHW.selected) << "enabled again, not chosen again";
  page.lstDuplex_Click(2);
  EXPECT_EQ(messages().size(), 1u) << "without the adapter chosen there is nothing to say";
}

TEST_F(AdapterPageTest, AdapterChoiceNamesTheColumnsAndTheModes) {
  settings.Duplex = 1;
  AdapterPage& page = show();
  const ConnectionPage& ports = dialog->connectionPage;
  const std::vector<std::string> plain{
      "Двухсторонний обмен:    Первый Порт   <<--->>   Второй Порт",
      "Односторонний обмен:    Первый Порт   ------->>   Второй Порт",
      "Односторонний обмен:    Первый Порт   <<-------   Второй Порт"};
  const std::vector<std::string> withAdapter{
      "Двухсторонний обмен:          Модем        <<--->>   Korvane™",
      "Односторонний обмен:          Модем        ------->>   Korvane™",
      "Односторонний обмен:          Модем        <<-------   Korvane™"};
  EXPECT_EQ(page.lstDuplex.items, plain);
  EXPECT_EQ(ports.lblPort[0].caption, "Первый");
  EXPECT_EQ(ports.lblPort[1].caption, "Второй");
  EXPECT_EQ(ports.lblPort[1].pointSize, 14);
  EXPECT_FALSE(page.cboLPT.enabled || page.cboHWMode.enabled || page.lblHWRev.enabled);
  for (size_t i = 1; i <= 4; ++i) EXPECT_FALSE(page.lblHW[i].enabled) << i;

  page.optUseHW_Click();
  EXPECT_EQ(page.lstDuplex.items, withAdapter);
  EXPECT_EQ(page.lstDuplex.index, 1) << "the selected mode stays selected";
  EXPECT_EQ(ports.lblPort[0].caption, "Модем");
  EXPECT_EQ(ports.lblPort[1].caption, "Korvane™");
  EXPECT_EQ(ports.lblPort[1].pointSize, 13);
  EXPECT_TRUE(page.cboLPT.enabled && page.cboHWMode.enabled && page.lblHWRev.enabled);
  for (size_t i = 0; i <= 4; ++i) EXPECT_TRUE(page.lblHW[i].enabled) << i;

  page.optNoUseHW_Click();
  EXPECT_EQ(page.lstDuplex.items, plain);
  EXPECT_TRUE(page.lblHW[0].enabled) << "the systems note is never disabled";
  EXPECT_EQ(page.lblHWRev.caption, "Hardware Revision 1.5C");
}

TEST_F(AdapterPageTest, ChangeAddressOnlyForTheOtherPortWithTheAdapter) {
  struct Case {
    bool adapter;
    int lpt;
    bool enabled;
  };
  AdapterPage& page = show();
  for (const Case& c : {Case{false, 3, false}, Case{true, 3, true}, Case{true, 0, false},
                        Case{true, 2, false}, Case{false, 0, false}}) {
    c.adapter ? page.optUseHW_Click() : page.optNoUseHW_Click();
    page.cboLPT_Click(c.lpt);
    EXPECT_EQ(page.cmdChangeLPT.enabled, c.enabled) << c.adapter << " " << c.lpt;
  }
  page.optNoUseHW_Click();
  page.cmdChangeLPT_Click();
  EXPECT_TRUE(world.op.inputs.empty()) << "a disabled button asks nothing";
}

TEST_F(AdapterPageTest, DefaultOtherPortShows178) {
  AdapterPage& page = show();
  EXPECT_EQ(page.cboLPT.items[3], kOther + "178h )");
  EXPECT_EQ(page.cboLPT.index, 0);
}

struct AddressCase {
  std::vector<std::string> answers;
  int lpt;            // cboLPT index afterwards
  int32_t otherBase;  // OtherLptBase afterwards
  size_t refusals;    // invalid-address messages
};

class AddressEntryTest : public AdapterPageTest,
                         public ::testing::WithParamInterface<AddressCase> {};

TEST_P(AddressEntryTest, ReadsChecksAndAsksAgain) {
  const AddressCase& c = GetParam();
  settings.HWUse = true;
  settings.HWPortSel = 4;
  AdapterPage& page = show();
  for (const std::string& answer : c.answers) world.op.inputAnswers.push_back(answer);
  page.cmdChangeLPT_Click();

  EXPECT_EQ(messages(), std::vector<std::string>(c.refusals, AdapterPage::InvalidAddress));
  ASSERT_EQ(world.op.inputs.size(), c.answers.size());
  for (const auto& asked : world.op.inputs) {
    EXPECT_EQ(asked.prompt,
              "Введите базовый адрес LPT-порта в HEX-форме (просто цифру, диапазон значений: "
              "100 - 3FF) :\r\rПримеры:  378  278  3BC");
    EXPECT_EQ(asked.title, "Ручная настройка LPT-порта");
    EXPECT_EQ(asked.proposed, "178") << "the unchanged address is proposed again";
  }
  EXPECT_EQ(page.cboLPT.index, c.lpt);
  EXPECT_EQ(page.OtherLptBase, c.otherBase);
  EXPECT_EQ(page.cboLPT.items[3], kOther + AdapterPage::Hex(c.otherBase) + "h )");
  EXPECT_EQ(page.cmdChangeLPT.enabled, c.lpt == 3);

  dialog->cmdOK_Click();
  EXPECT_EQ(settings.HWPortSel, c.lpt + 1);
  EXPECT_EQ(settings.HWPortOverride, c.otherBase);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, AddressEntryTest,
    ::testing::Values(AddressCase{{"378"}, 0, 0x178, 0}, AddressCase{{"278"}, 1, 0x178, 0},
                      AddressCase{{"3bc"}, 2, 0x178, 0}, AddressCase{{"1A0"}, 3, 0x1A0, 0},
                      AddressCase{{" 3 f f "}, 3, 0x3FF, 0},
                      AddressCase{{"\t1\n2 3h"}, 3, 0x123, 0}, AddressCase{{"100"}, 3, 0x100, 0},
                      AddressCase{{""}, 3, 0x178, 0},
                      AddressCase{{"400", "FF", "xyz", "123456789ABCDEF0123", ""}, 3, 0x178, 4},
                      AddressCase{{"  ", "2a8"}, 3, 0x2A8, 1}));

TEST(HexReading, AsTheAddressBoxReadsIt) {
  const std::vector<std::pair<std::string, std::optional<uint32_t>>> cases{
      {"", 0u},
      {"xyz", 0u},
      {"  ", 0u},
      {"&H378", 0u},
      {"0000000000000378", 0x378u},
      {"FfFfFfFf", 0xFFFFFFFFu},
      {"100000000", std::nullopt},
      {"3\r78", 3u},
      {"3BCg1", 0x3BCu},
  };
  for (const auto& [answer, expected] : cases) {
    EXPECT_EQ(AdapterPage::ReadHexNumber(answer), expected) << '"' << answer << '"';
  }
}

TEST_F(AdapterPageTest, DescriptionIsTheResourceDecoded) {
  const auto asset = std::filesystem::path(__FILE__).parent_path() / "../../assets/korvane.txt";
  std::ifstream file(asset, std::ios::binary);
  ASSERT_TRUE(file) << asset;
  world.adapterDescription.assign(std::istreambuf_iterator<char>(file), {});
  AdapterPage& page = show();

  std::vector<std::string> lines;
  const std::string& text = page.txtInfo.text;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "the text ends with a line break";
  ASSERT_EQ(lines.size(), 25u);
  EXPECT_EQ(lines[0], "Korvane™ - что это ?");
  EXPECT_EQ(lines[16], "другую - просто нет смысла, т.к. модем сигналами  ");
  EXPECT_EQ(lines[18], "не нужны. На Korvane™`е также находятся ");
  EXPECT_EQ(lines[21], "");
  EXPECT_EQ(lines[22], "Удачного Вам коннекта!");
  EXPECT_FALSE(lines[24].empty()) << "the maker's signature";
  for (const std::string& line : lines) EXPECT_EQ(line.find('\r'), std::string::npos) << line;
}

TEST_F(AdapterPageTest, NoDescriptionLeavesTheBoxEmpty) {
  world.adapterDescription.clear();
  EXPECT_TRUE(show().txtInfo.text.empty());
}

}  // namespace
}  // namespace zelkora
