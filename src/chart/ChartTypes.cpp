#include "chart/ChartTypes.h"

#include <array>

namespace tee {

TColor GetDefaultColor(int index) {
  static constexpr std::array<TColor, kDefaultPaletteSize> kPalette{
      fw::clRed,     fw::clGreen,  fw::clYellow, fw::clBlue,   fw::clWhite, fw::clGray,
      fw::clFuchsia, fw::clTeal,   fw::clNavy,   fw::clMaroon, fw::clLime,  fw::clOlive,
      fw::clPurple,  fw::clSilver, fw::clAqua,   fw::clBlack};
  const int i = index % kDefaultPaletteSize;
  return kPalette[static_cast<std::size_t>(i < 0 ? i + kDefaultPaletteSize : i)];
}

}  // namespace tee
