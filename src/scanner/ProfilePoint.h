// The arithmetic of one profile point: 14-bit raw values, the no-point marker, and the scaling
// of raw values onto the chart.
//
// A profile reply carries each point as two 14-bit two's-complement values, A (height) and B
// (position across the laser line), each split into two 7-bit groups, low group first. The value
// -4096 (raw pattern 0x3000) marks a point the scanner did not see. On the chart a point sits at
// X = B * 30000 / 4096 and Y = A * 75000 / 4096, each truncated toward zero in 32-bit integer
// arithmetic. The scanner simulator uses the same definitions to build its replies.
#pragma once

#include <cstdint>

namespace scanner {

// The raw 14-bit pattern 0x3000 sign-extended: a point the scanner did not see.
inline constexpr std::int32_t kNoPointMarker = -4096;
// The range of a signed 14-bit value.
inline constexpr std::int32_t kRawMin = -8192;
inline constexpr std::int32_t kRawMax = 8191;

// Two 7-bit groups, low first, as one 14-bit raw value (0 to 16383). Bit 7 of each byte is
// ignored.
inline constexpr std::uint16_t JoinRaw14(std::uint8_t lo, std::uint8_t hi) {
  return static_cast<std::uint16_t>((lo & 0x7Fu) | ((hi & 0x7Fu) << 7));
}

// A 14-bit raw value as a signed number: bit 13 set means negative (raw - 16384).
inline constexpr std::int32_t SignExtend14(std::uint16_t raw) {
  const std::int32_t value = raw & 0x3FFF;
  return (value & 0x2000) != 0 ? value - 0x4000 : value;
}

// A signed value from -8192 to 8191 as its 14-bit raw pattern.
inline constexpr std::uint16_t ToRaw14(std::int32_t value) {
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0x3FFFu);
}

// value * factor / 4096, truncated toward zero. The product fits 32 bits for every 14-bit value
// and both factors; a negative product has 4095 added before the arithmetic shift so that the
// shift, which rounds toward minus infinity, truncates toward zero instead.
inline constexpr std::int32_t Scale4096(std::int32_t value, std::int32_t factor) {
  std::int32_t product = value * factor;
  if (product < 0) product += 4095;
  return product >> 12;
}

// Chart coordinates of the raw values B (second) and A (first).
inline constexpr std::int32_t ChartX(std::int32_t b) {
  return Scale4096(b, 30000);
}
inline constexpr std::int32_t ChartY(std::int32_t a) {
  return Scale4096(a, 75000);
}

}  // namespace scanner
