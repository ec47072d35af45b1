#pragma once

#include <cstdint>

// Result codes of the exchange operations, and the directions of the
// dispatch operations that the display itself uses.
namespace ExchangeCode {
inline constexpr std::uint8_t Done = 0;
// Sending: the previous message is still waiting. Receiving: no message.
inline constexpr std::uint8_t NothingToDo = 2;
inline constexpr std::uint8_t FileError = 3;
inline constexpr std::uint8_t UnknownDirection = 4;
} // namespace ExchangeCode

namespace ExchangeDirection {
inline constexpr int Send = 1;
inline constexpr int Receive = 2;
} // namespace ExchangeDirection
