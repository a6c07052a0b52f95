#include "chart/TeCanvasPen.h"

#include "framework/core/ClassBuilder.h"

namespace tee {

using fw::TValue;

const fw::TClassInfo& TChartPen::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartPen>("TChartPen", fw::TPen::StaticClass())
          .Property("SmallDots", &TChartPen::SmallDots, &TChartPen::SetSmallDots)
          .Default(TValue(false))
          .Property("Visible", &TChartPen::Visible, &TChartPen::SetVisible)
          .Default(TValue(true))
          .Build();
  return info;
}

const fw::TClassInfo& TChartHiddenPen::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartHiddenPen>("TChartHiddenPen", TChartPen::StaticClass())
          .Property("Visible", &TChartPen::Visible, &TChartPen::SetVisible)
          .Default(TValue(false))
          .Build();
  return info;
}

const fw::TClassInfo& TDarkGrayPen::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TDarkGrayPen>("TDarkGrayPen", TChartPen::StaticClass())
          .Color("Color", &fw::TPen::Color, &fw::TPen::SetColor)
          .Default(TValue(std::int64_t{fw::clGray}))
          .Build();
  return info;
}

const fw::TClassInfo& TDottedGrayPen::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TDottedGrayPen>("TDottedGrayPen", TChartPen::StaticClass())
          .Color("Color", &fw::TPen::Color, &fw::TPen::SetColor)
          .Default(TValue(std::int64_t{fw::clGray}))
          .Property("Style", &fw::TPen::Style, &fw::TPen::SetStyle)
          .Default(TValue(std::int64_t{fw::psDot}))
          .Build();
  return info;
}

const fw::TClassInfo& TChartAxisPen::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartAxisPen>("TChartAxisPen", TChartPen::StaticClass())
          .Property("Width", &fw::TPen::Width, &fw::TPen::SetWidth)
          .Default(TValue(std::int64_t{2}))
          .Build();
  return info;
}

const fw::TClassInfo& TChartArrowPen::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartArrowPen>("TChartArrowPen", TChartPen::StaticClass())
          .Color("Color", &fw::TPen::Color, &fw::TPen::SetColor)
          .Default(TValue(std::int64_t{fw::clWhite}))
          .Build();
  return info;
}

TChartPen::TChartPen(fw::TNotifyEvent onChange) {
  OnChange = std::move(onChange);
}

void TChartPen::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed();
}

void TChartPen::SetSmallDots(bool value) {
  if (value == smallDots_) return;
  smallDots_ = value;
  Changed();
}

void TChartPen::Assign(const fw::TPersistent* source) {
  bool flagsChanged = false;
  if (const auto* pen = dynamic_cast<const TChartPen*>(source)) {
    flagsChanged = pen->visible_ != visible_ || pen->smallDots_ != smallDots_;
    visible_ = pen->visible_;
    smallDots_ = pen->smallDots_;
  }
  const auto revision = Revision();
  fw::TPen::Assign(source);
  if (flagsChanged && Revision() == revision) Changed();
}

// The variants set their defaults before the owner's handler is attached: creating a pen
// notifies nobody.
TChartHiddenPen::TChartHiddenPen(fw::TNotifyEvent onChange) {
  SetVisible(false);
  OnChange = std::move(onChange);
}

TDarkGrayPen::TDarkGrayPen(fw::TNotifyEvent onChange) {
  SetColor(fw::clGray);
  OnChange = std::move(onChange);
}

TDottedGrayPen::TDottedGrayPen(fw::TNotifyEvent onChange) {
  SetColor(fw::clGray);
  SetStyle(fw::psDot);
  OnChange = std::move(onChange);
}

TChartAxisPen::TChartAxisPen(fw::TNotifyEvent onChange) {
  SetWidth(2);
  OnChange = std::move(onChange);
}

TChartArrowPen::TChartArrowPen(fw::TNotifyEvent onChange) {
  SetColor(fw::clWhite);
  OnChange = std::move(onChange);
}

}  // namespace tee
