#include "chart/TeCanvasBrush.h"

#include "framework/core/ClassBuilder.h"

namespace tee {

const fw::TClassInfo& TChartBrush::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartBrush>("TChartBrush", fw::TBrush::StaticClass())
          .Color("Color", &fw::TBrush::Color, &fw::TBrush::SetColor)
          .Default(fw::TValue(std::int64_t{clAutoColor}))
          .Build();
  return info;
}

TChartBrush::TChartBrush(fw::TNotifyEvent onChange) {
  SetColor(clAutoColor);
  OnChange = std::move(onChange);
}

}  // namespace tee
