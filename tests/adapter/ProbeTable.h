#pragma once
// What the adapter's detection must write and read, and the operator's texts, written
// out independently of the program for its tests.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sim/support/SimAdapter.h"

namespace zelkora::test::probe {

using Access = sim::SimAdapter::Access;
inline constexpr int kData = 0x378;
inline constexpr int kStatus = 0x379;
inline constexpr uint8_t kPresence[] = {0x04, 0x01, 0x05, 0x00, 0x04, 0x01, 0x05, 0x00};
inline constexpr uint8_t kCable[] = {0x50, 0x01, 0x51, 0x00, 0x50, 0x01, 0x51, 0x00};

inline const std::string kTitle = "Инициализация Korvane™ 'a";
inline const std::string kNotFound =
    "Не удалось обнаружить Korvane™ ! Проверьте, совпадают ли ревизии в программе и в "
    "Korvane™'e, правильно ли указан LPT-порт и правильно ли к нему подключен Korvane™.\r"
    "\r"
    "Сейчас нажмите:\r"
    "\r"
    "Стоп -   для разрыва связи\r"
    "Повтор  -  для повторного поиска Korvane™ 'a\r"
    "Пропустить  -  для продолжения с отказом от Korvane™ 'a";
inline const std::string kNotEstablished = "Связь не была успешно установлена !";

inline std::string NotConnected(const std::string& port) {
  return "Korvane™ не подключен к последовательному порту  " + port +
         "  !!\r"
         "\r"
         "Сейчас нажмите:\r"
         "\r"
         "Стоп  -   для разрыва связи\r"
         "Повтор  -  для повторной проверки\r"
         "Пропустить  -  для продолжения с отказом от Korvane™ 'a";
}

// A detection that passes every step, from the initial reset to the initialised register.
inline std::vector<Access> SuccessfulTraffic() {
  std::vector<Access> t{{kData, true, 0x00}};
  uint8_t latch = 0x00;
  for (uint8_t w : kPresence) {
    t.push_back({kData, false, latch});
    t.push_back({kData, true, w});
    t.push_back({kStatus, false, static_cast<uint8_t>((w & 0x04) != 0 ? 0x40 : 0x00)});
    latch = w;
  }
  t.push_back({kData, true, 0x00});
  latch = 0x00;
  for (uint8_t w : kCable) {
    t.push_back({kData, false, latch});
    t.push_back({kData, true, w});
    latch = w;
  }
  t.push_back({kData, true, 0x01});
  return t;
}

// Runs `action` once, right after the `n`-th register write of `adapter`.
inline void AfterWrite(sim::SimAdapter& adapter, int n, std::function<void()> action) {
  adapter.onAccess = [count = 0, n, action = std::move(action)](const Access& a) mutable {
    if (a.write && ++count == n) action();
  };
}

}  // namespace zelkora::test::probe
