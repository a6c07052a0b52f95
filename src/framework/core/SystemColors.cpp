#include "framework/core/SystemColors.h"

#include <array>

namespace fw {
namespace {

std::array<TColor, kSystemColorCount>& SystemColorTable() {
  static std::array<TColor, kSystemColorCount> table = {
      RGB(0xD4, 0xD0, 0xC8),  // scroll bar
      RGB(0x3A, 0x6E, 0xA5),  // desktop
      RGB(0x0A, 0x24, 0x6A),  // active caption
      RGB(0x80, 0x80, 0x80),  // inactive caption
      RGB(0xD4, 0xD0, 0xC8),  // menu
      RGB(0xFF, 0xFF, 0xFF),  // window
      RGB(0x00, 0x00, 0x00),  // window frame
      RGB(0x00, 0x00, 0x00),  // menu text
      RGB(0x00, 0x00, 0x00),  // window text
      RGB(0xFF, 0xFF, 0xFF),  // caption text
      RGB(0xD4, 0xD0, 0xC8),  // active border
      RGB(0xD4, 0xD0, 0xC8),  // inactive border
      RGB(0x80, 0x80, 0x80),  // application workspace
      RGB(0x0A, 0x24, 0x6A),  // highlight
      RGB(0xFF, 0xFF, 0xFF),  // highlight text
      RGB(0xD4, 0xD0, 0xC8),  // button face
      RGB(0x80, 0x80, 0x80),  // button shadow
      RGB(0x80, 0x80, 0x80),  // grey text
      RGB(0x00, 0x00, 0x00),  // button text
      RGB(0xD4, 0xD0, 0xC8),  // inactive caption text
      RGB(0xFF, 0xFF, 0xFF),  // button highlight
      RGB(0x40, 0x40, 0x40),  // 3D dark shadow
      RGB(0xD4, 0xD0, 0xC8),  // 3D light
      RGB(0x00, 0x00, 0x00),  // tooltip text
      RGB(0xFF, 0xFF, 0xE1),  // tooltip background
  };
  return table;
}

}  // namespace

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) {
    const int index = color & 0xFF;
    return index < kSystemColorCount ? SystemColorTable()[index] : clBlack;
  }
  return color & 0xFFFFFF;
}

void SetSystemColor(int index, TColor rgb) {
  if (index >= 0 && index < kSystemColorCount) SystemColorTable()[index] = rgb & 0xFFFFFF;
}

}  // namespace fw
