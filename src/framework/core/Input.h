// Mouse buttons and modifier-key states as controls report them.
//
// `TShiftState` is a bit set of `TShiftFlag`; `ssDouble` marks the second press of a double click.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace fw {

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };

class TShiftState {
 public:
  constexpr TShiftState() = default;
  constexpr TShiftState(std::initializer_list<TShiftFlag> flags) {
    for (auto f : flags) bits_ |= Bit(f);
  }
  constexpr bool Contains(TShiftFlag f) const { return (bits_ & Bit(f)) != 0; }
  // True when every flag of `other` is also set here.
  constexpr bool ContainsAll(TShiftState other) const {
    return (bits_ & other.bits_) == other.bits_;
  }
  constexpr TShiftState& Include(TShiftFlag f) {
    bits_ |= Bit(f);
    return *this;
  }
  constexpr TShiftState& Exclude(TShiftFlag f) {
    bits_ &= static_cast<std::uint8_t>(~Bit(f));
    return *this;
  }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  friend constexpr bool operator==(TShiftState, TShiftState) = default;

 private:
  static constexpr std::uint8_t Bit(TShiftFlag f) { return static_cast<std::uint8_t>(1u << f); }
  std::uint8_t bits_ = 0;
};

}  // namespace fw
