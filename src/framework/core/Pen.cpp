#include "framework/core/Pen.h"

namespace fw {

void TPen::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TPen::SetMode(TPenMode value) {
  if (value == mode_) return;
  mode_ = value;
  Changed();
}

void TPen::SetStyle(TPenStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

void TPen::SetWidth(int value) {
  if (value == width_) return;
  width_ = value;
  Changed();
}

const TClassInfo& TPen::StaticClass() {
  static const TClassInfo& info = TClassBuilder<TPen>("TPen", TGraphicsObject::StaticClass())
                                      .Color("Color", &TPen::Color, &TPen::SetColor)
                                      .Default(TValue(std::int64_t{clBlack}))
                                      .Property("Mode", &TPen::Mode, &TPen::SetMode)
                                      .Default(TValue(std::int64_t{pmCopy}))
                                      .Property("Style", &TPen::Style, &TPen::SetStyle)
                                      .Default(TValue(std::int64_t{psSolid}))
                                      .Property("Width", &TPen::Width, &TPen::SetWidth)
                                      .Default(TValue(std::int64_t{1}))
                                      .Build();
  return info;
}

void TPen::Assign(const TPersistent* from) {
  const auto* pen = dynamic_cast<const TPen*>(from);
  if (pen == nullptr) return TGraphicsObject::Assign(from);
  const TPen& source = *pen;
  if (&source == this) return;
  if (source.color_ == color_ && source.mode_ == mode_ && source.style_ == style_ &&
      source.width_ == width_)
    return;
  color_ = source.color_;
  mode_ = source.mode_;
  style_ = source.style_;
  width_ = source.width_;
  Changed();
}

}  // namespace fw
