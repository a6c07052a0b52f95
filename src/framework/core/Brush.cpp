#include "framework/core/Brush.h"

namespace fw {

void TBrush::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

void TBrush::SetBitmap(TCustomBitmap* value) {
  if (value == bitmap_) return;
  bitmap_ = value;
  Changed();
}

const TClassInfo& TBrush::StaticClass() {
  static const TClassInfo& info = TClassBuilder<TBrush>("TBrush", TGraphicsObject::StaticClass())
                                      .Color("Color", &TBrush::Color, &TBrush::SetColor)
                                      .Default(TValue(std::int64_t{clWhite}))
                                      .Property("Style", &TBrush::Style, &TBrush::SetStyle)
                                      .Default(TValue(std::int64_t{bsSolid}))
                                      .Build();
  return info;
}

void TBrush::Assign(const TPersistent* from) {
  const auto* brush = dynamic_cast<const TBrush*>(from);
  if (brush == nullptr) return TGraphicsObject::Assign(from);
  const TBrush& source = *brush;
  if (&source == this) return;
  if (source.color_ == color_ && source.style_ == style_ && source.bitmap_ == bitmap_) return;
  color_ = source.color_;
  style_ = source.style_;
  bitmap_ = source.bitmap_;
  Changed();
}

}  // namespace fw
