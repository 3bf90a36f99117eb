#pragma once

namespace velmora {

// The messages of network play (UTF-8, '\r' breaks lines).

inline constexpr const char* kNetDeclinedText = "СЕТЬ: Оппонент отказался от игры.";
inline constexpr const char* kNetBusyText = "СЕТЬ: Оппонент занят.";
inline constexpr const char* kNetBrokenOffText = "СЕТЬ: Оппонент прервал игру.";
inline constexpr const char* kNetCannotListenText =
    "СЕТЬ: Невозможно включить режим ожидания вызова!";
inline constexpr const char* kNetCallErrorText = "СЕТЬ: Связь не установлена - ошибка вызова!";
inline constexpr const char* kNetOpenErrorText =
    "СЕТЬ: Связь не установлена - ошибка открытия сокета!";
inline constexpr const char* kNetBreakGameQuestion = "СЕТЬ: Вы хотите прервать сетевую игру?";
inline constexpr const char* kNotNetworkGameText = "Это не сетевая игра. Функция заблокирована.";

}  // namespace velmora
