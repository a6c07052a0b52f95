#include "framework/core/Color.h"

#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "framework/core/Conversions.h"

namespace fw {
namespace {

struct ColorName {
  TColor value;
  const char* name;
};

constexpr std::array<ColorName, 43> kColorNames{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
}};

}  // namespace

std::string ColorToString(TColor color) {
  for (const auto& entry : kColorNames)
    if (entry.value == color) return entry.name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(static_cast<std::uint32_t>(color)));
  return buf;
}

std::optional<TColor> StringToColor(const std::string& text) {
  for (const auto& entry : kColorNames)
    if (SameText(text, entry.name)) return entry.value;
  // Colours are bit patterns, so "$FF00000F" is accepted although it exceeds the signed range.
  if (auto v = TryStrToInt64(text)) {
    if (*v >= INT32_MIN && *v <= static_cast<long long>(UINT32_MAX))
      return static_cast<TColor>(static_cast<std::uint32_t>(*v));
  }
  return std::nullopt;
}

}  // namespace fw
