// Colours as the framework passes them around.
//
// A `TColor` is a 32-bit value: 0x00BBGGRR for a plain colour (`clRed` is 255), a system colour
// (`clBtnFace`, ...) with the top byte 0xFF whose RGB value is looked up only when the colour
// reaches the platform, or one of the two marker values `clNone` (0x1FFFFFFF, no colour) and
// `clDefault` (0x20000000, the owner's default colour). `ColorToString` / `StringToColor` convert
// to and from the names used in window descriptions ("clRed", or "$00BBGGRR" for any other value).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace fw {

using TColor = std::int32_t;

inline constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

inline constexpr int GetRValue(TColor c) {
  return static_cast<int>(static_cast<std::uint32_t>(c) & 0xFF);
}
inline constexpr int GetGValue(TColor c) {
  return static_cast<int>((static_cast<std::uint32_t>(c) >> 8) & 0xFF);
}
inline constexpr int GetBValue(TColor c) {
  return static_cast<int>((static_cast<std::uint32_t>(c) >> 16) & 0xFF);
}

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = clSilver;
inline constexpr TColor clDkGray = clGray;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// System colours: the platform's colour of the given role, resolved when drawn.
inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
inline constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index));
}
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

inline constexpr bool IsSystemColor(TColor c) {
  return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0xFF000000u;
}

// "clRed" for a named colour, "$00BBGGRR" (eight hex digits) for any other.
std::string ColorToString(TColor color);

// Accepts a colour name (case-insensitive) or an integer text ("255", "$0000FF", "0xFF").
std::optional<TColor> StringToColor(const std::string& text);

}  // namespace fw
