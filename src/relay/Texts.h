#pragma once
// The program's fixed texts. Lines inside a message are separated by a single carriage
// return; the blanks are part of the texts.

namespace zelkora::texts {

inline constexpr const char* ProgramTitle = "Zelkora®";
inline constexpr const char* InstanceMarker = "Menu for Zelkora";

inline constexpr const char* NoRegistryAccessWarning = "Нет доступа к Системному Реестру !";
inline constexpr const char* NoRegistryAccess = "Нет доступа к Реестру!";
inline constexpr const char* RegistryFatal =
    "По непонятным причинам невозможно обратиться к Системному Реестру.\r\r\r"
    "                           Дальнейшая работа невозможна !!";

inline constexpr const char* FirstRunText = "Вы в первый раз запускаете Zelkora® !  Мы рады, что Вы используете нашу программу и надеемся, что не разочаруетесь в ней. Итак, для начала Мы рекомендуем Вам настроить порты в окне Настроек. Приятной Вам работы !!";
inline constexpr const char* FirstRunTitle = "Первый запуск Zelkora®";

inline constexpr const char* CloseQuestion = "Zelkora® Включен !  Разъединить ?";
inline constexpr const char* CloseTitle = "Zelkora® - Закрытие";

}  // namespace zelkora::texts
