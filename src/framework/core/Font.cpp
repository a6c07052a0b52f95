#include "framework/core/Font.h"

#include "framework/core/Geometry.h"

namespace fw {

void TFont::SetName(const std::string& value) {
  if (value == name_) return;
  name_ = value;
  Changed();
}

void TFont::SetHeight(int value) {
  if (value == height_) return;
  height_ = value;
  Changed();
}

int TFont::Size() const {
  return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int value) {
  SetHeight(-MulDiv(value, pixelsPerInch_, 72));
}

void TFont::SetPixelsPerInch(int value) {
  if (value <= 0 || value == pixelsPerInch_) return;
  pixelsPerInch_ = value;
  Changed();
}

void TFont::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TFont::SetStyle(TFontStyles value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

void TFont::SetCharset(std::uint8_t value) {
  if (value == charset_) return;
  charset_ = value;
  Changed();
}

void TFont::SetPitch(TFontPitch value) {
  if (value == pitch_) return;
  pitch_ = value;
  Changed();
}

void TFont::SetEscapement(int tenthsOfDegree) {
  if (tenthsOfDegree == escapement_) return;
  escapement_ = tenthsOfDegree;
  Changed();
}

const TClassInfo& TFont::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TFont>("TFont", TGraphicsObject::StaticClass())
          .Property("Charset", &TFont::Charset, &TFont::SetCharset)
          .Default(TValue(std::int64_t{DEFAULT_CHARSET}))
          .Color("Color", &TFont::Color, &TFont::SetColor)
          .Default(TValue(std::int64_t{clWindowText}))
          .Property("Height", &TFont::Height, &TFont::SetHeight)
          .Property("Name", &TFont::Name, &TFont::SetName)
          .Property("Pitch", &TFont::Pitch, &TFont::SetPitch)
          .Default(TValue(std::int64_t{fpDefault}))
          .Property("Size", &TFont::Size, &TFont::SetSize)
          .Stored(false)
          .SetOf<TFontStyle>(
              "Style", [](const TFont& f) { return static_cast<int>(f.Style().Bits()); },
              [](TFont& f, int bits) {
                f.SetStyle(TFontStyles::FromBits(static_cast<std::uint8_t>(bits)));
              })
          .Default(TValue(std::int64_t{0}))
          .Build();
  return info;
}

void TFont::Assign(const TPersistent* from) {
  const auto* font = dynamic_cast<const TFont*>(from);
  if (font == nullptr) return TGraphicsObject::Assign(from);
  const TFont& source = *font;
  if (&source == this) return;
  const int height = source.pixelsPerInch_ == pixelsPerInch_
                         ? source.height_
                         : -MulDiv(source.Size(), pixelsPerInch_, 72);
  if (source.name_ == name_ && height == height_ && source.color_ == color_ &&
      source.style_ == style_ && source.charset_ == charset_ && source.pitch_ == pitch_ &&
      source.escapement_ == escapement_)
    return;
  name_ = source.name_;
  height_ = height;
  color_ = source.color_;
  style_ = source.style_;
  charset_ = source.charset_;
  pitch_ = source.pitch_;
  escapement_ = source.escapement_;
  Changed();
}

}  // namespace fw
