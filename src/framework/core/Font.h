// The font a canvas writes text with.
//
// Sizes follow the platform: `Height` < 0 is the character height in pixels, `Height` > 0 the cell
// height (character plus internal leading); `Size` is in points and converts through
// `PixelsPerInch` (Size 8 at 96 pixels per inch is Height -11). `Escapement` turns the text
// counter-clockwise in tenths of a degree about its reference point. Font names go to the platform
// unchanged; the drawing backend maps "Arial" and "MS Sans Serif" to metric-compatible faces.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Color.h"
#include "framework/core/GraphicsObject.h"

namespace fw {

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
FW_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")

// A set of font styles.
class TFontStyles {
 public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (auto s : styles) bits_ |= Bit(s);
  }
  constexpr bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  static constexpr TFontStyles FromBits(std::uint8_t bits) {
    TFontStyles s;
    s.bits_ = bits & 0x0F;
    return s;
  }
  friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

 private:
  static constexpr std::uint8_t Bit(TFontStyle s) { return static_cast<std::uint8_t>(1u << s); }
  std::uint8_t bits_ = 0;
};

enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
FW_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed")

inline constexpr std::uint8_t ANSI_CHARSET = 0;
inline constexpr std::uint8_t DEFAULT_CHARSET = 1;

// Published: Charset (DEFAULT_CHARSET), Color (clWindowText), Height, Name, Pitch (fpDefault),
// Size (not stored: Height carries it), Style ([]).
class TFont : public TGraphicsObject {
  FW_CLASS

 public:
  TFont() = default;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  int Height() const { return height_; }
  void SetHeight(int value);
  // Points: -Height × 72 / PixelsPerInch, rounded.
  int Size() const;
  void SetSize(int value);
  int PixelsPerInch() const { return pixelsPerInch_; }
  // Keeps Height; Size then reads differently.
  void SetPixelsPerInch(int value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value);
  std::uint8_t Charset() const { return charset_; }
  void SetCharset(std::uint8_t value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch value);
  int Escapement() const { return escapement_; }
  void SetEscapement(int tenthsOfDegree);

  // From another font: copies every property but PixelsPerInch with one change notification; when
  // the two differ in PixelsPerInch the point Size is kept (the Height is converted).
  void Assign(const TPersistent* source) override;

 private:
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  int pixelsPerInch_ = 96;
  TColor color_ = clWindowText;
  TFontStyles style_;
  std::uint8_t charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int escapement_ = 0;
};

}  // namespace fw
