#include "chart/ChartWall.h"

#include "chart/Chart.h"
#include "framework/core/ClassBuilder.h"

namespace tee {

const fw::TClassInfo& TCustomChartWall::StaticClass() {
  using W = TCustomChartWall;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<W>("TCustomChartWall", fw::TPersistent::StaticClass())
          .Reference("ParentChart", &W::ParentChart, nullptr)
          .Stored(false)
          .Property("Brush", &W::Brush, &W::SetBrush)
          .Color("Color", &W::Color, &W::SetColor)
          .StoredWhen([](const W& w) { return w.Color() != w.DefaultColor(); })
          .Property("Dark3D", &W::Dark3D, &W::SetDark3D)
          .Default(fw::TValue(true))
          .Property("Pen", &W::Pen, &W::SetPen)
          .Property("Size", &W::Size, &W::SetSize)
          .Default(fw::TValue(std::int64_t{0}))
          .Build();
  return info;
}

const fw::TClassInfo& TChartWall::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartWall>("TChartWall", TCustomChartWall::StaticClass()).Build();
  return info;
}

TCustomChartWall::TCustomChartWall(TCustomChart* chart)
    : chart_(chart), color_(clAutoColor), defaultColor_(clAutoColor) {
  const fw::TNotifyEvent changed = [chart](fw::TObject* sender) { chart->CanvasChanged(sender); };
  brush_ = std::make_unique<TChartBrush>(changed);
  pen_ = std::make_unique<TChartPen>(changed);
}

TCustomChartWall::~TCustomChartWall() = default;

void TCustomChartWall::Repaint() const {
  chart_->Invalidate();
}

void TCustomChartWall::Assign(const fw::TPersistent* source) {
  const auto* w = dynamic_cast<const TCustomChartWall*>(source);
  if (!w) {
    fw::TPersistent::Assign(source);
    return;
  }
  brush_->Assign(w->brush_.get());
  color_ = w->color_;
  dark3D_ = w->dark3D_;
  pen_->Assign(w->pen_.get());
  size_ = w->size_;
  Repaint();
}

void TCustomChartWall::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Repaint();
}

void TCustomChartWall::SetDark3D(bool value) {
  if (value == dark3D_) return;
  dark3D_ = value;
  Repaint();
}

void TCustomChartWall::SetSize(int value) {
  if (value == size_) return;
  size_ = value;
  Repaint();
}

void TCustomChartWall::InitColor(TColor value) {
  color_ = value;
  defaultColor_ = value;
}

bool TCustomChartWall::HasDarkSides() const {
  return brush_->Style() != fw::bsClear && brush_->Bitmap() == nullptr && dark3D_;
}

void TCustomChartWall::PrepareCanvas() const {
  TCanvas3D* c = chart_->Canvas();
  c->AssignVisiblePen(*pen_);
  fw::TBrush& brush = c->Brush();
  if (brush_->Bitmap() != nullptr) {
    brush.SetBitmap(brush_->Bitmap());
    return;
  }
  brush.SetBitmap(nullptr);
  const fw::TBrushStyle style = brush_->Style();
  if (color_ == clAutoColor && style == fw::bsSolid) {
    brush.SetStyle(fw::bsClear);
    return;
  }
  TColor color = color_;
  // A hatch in the colour of its own gaps would not show: it is drawn in black (white on black).
  const bool hatched = style != fw::bsSolid && style != fw::bsClear;
  if (hatched && color == brush_->Color()) color = color == fw::clBlack ? fw::clWhite : fw::clBlack;
  brush.SetColor(color);
  brush.SetStyle(style);
  if (style != fw::bsSolid) {
    c->SetBackMode(fw::OPAQUE);
    c->SetBackColor(brush_->Color());
  } else {
    c->SetBackMode(fw::TRANSPARENT);
  }
}

}  // namespace tee
