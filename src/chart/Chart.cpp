#include "chart/Chart.h"

#include <algorithm>
#include <cstdlib>

#include "chart/ChartSeries.h"
#include "chart/Series.h"
#include "framework/core/ClassBuilder.h"

namespace tee {

const fw::TClassInfo& TCustomChart::StaticClass() {
  using C = TCustomChart;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<C>("TCustomChart", TCustomAxisPanel::StaticClass())
          .Color("BackColor", &C::BackColor, &C::SetBackColor)
          .Stored(false)
          .Property("BackImageInside", &C::BackImageInside, &C::SetBackImageInside)
          .Default(fw::TValue(false))
          .Property("BackWall", &C::BackWall, &C::SetBackWall)
          .Property("BottomAxis", &C::BottomAxis,
                    [](C& c, TChartAxis* a) { c.BottomAxis()->Assign(a); })
          .Property("BottomWall", &C::BottomWall, &C::SetBottomWall)
          .Property("DepthAxis", &C::DepthAxis,
                    [](C& c, TChartDepthAxis* a) { c.DepthAxis()->Assign(a); })
          .Property("Foot", &C::Foot, &C::SetFoot)
          .Property("Frame", &C::Frame, &C::SetFrame)
          .Stored(false)
          .Property("LeftAxis", &C::LeftAxis, [](C& c, TChartAxis* a) { c.LeftAxis()->Assign(a); })
          .Property("LeftWall", &C::LeftWall, &C::SetLeftWall)
          .Property("Legend", &C::Legend, &C::SetLegend)
          .Property("RightAxis", &C::RightAxis,
                    [](C& c, TChartAxis* a) { c.RightAxis()->Assign(a); })
          .Property("Title", &C::Title, &C::SetTitle)
          .Property("TopAxis", &C::TopAxis, [](C& c, TChartAxis* a) { c.TopAxis()->Assign(a); })
          .Event("OnAllowScroll", &C::OnAllowScroll)
          .Event("OnClickAxis", &C::OnClickAxis)
          .Event("OnClickBackground", &C::OnClickBackground)
          .Event("OnClickLegend", &C::OnClickLegend)
          .Event("OnClickSeries", &C::OnClickSeries)
          .Event("OnGetLegendPos", &C::OnGetLegendPos)
          .Event("OnGetLegendRect", &C::OnGetLegendRect)
          .Event("OnGetLegendText", &C::OnGetLegendText)
          .Build();
  return info;
}

const fw::TClassInfo& TChart::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChart>("TChart", TCustomChart::StaticClass()).Creatable().Build();
  return info;
}

void RegisterChartClasses() {
  fw::RegisterClass(TChart::StaticClass());
  fw::RegisterClass(TPointSeries::StaticClass());
}

TCustomChart::TCustomChart(fw::TComponent* owner) : TCustomAxisPanel(owner, true) {
  // The furniture is built before repaint requests count.
  SetChartCreated(false);
  title_ = std::make_unique<TChartTitle>(this);
  foot_ = std::make_unique<TChartTitle>(this);
  backWall_ = std::make_unique<TChartWall>(this);
  backWall_->Brush()->SetStyle(fw::bsClear);
  leftWall_ = std::make_unique<TChartWall>(this);
  leftWall_->InitColor(0x80FFFF);
  legend_ = std::make_unique<TChartLegend>(this);
  bottomWall_ = std::make_unique<TChartWall>(this);
  bottomWall_->InitColor(fw::clWhite);
  SetChartCreated(true);
}

TCustomChart::~TCustomChart() {
  Destroying();
  SetChartCreated(false);
}

void TCustomChart::Assign(const fw::TPersistent* source) {
  if (const auto* c = dynamic_cast<const TCustomChart*>(source)) {
    backImageInside_ = c->backImageInside_;
    backWall_->Assign(c->backWall_.get());
    bottomWall_->Assign(c->bottomWall_.get());
    leftWall_->Assign(c->leftWall_.get());
    legend_->Assign(c->legend_.get());
    foot_->Assign(c->foot_.get());
    title_->Assign(c->title_.get());
  }
  TCustomAxisPanel::Assign(source);
}

void TCustomChart::SetBackImageInside(bool value) {
  if (value == backImageInside_) return;
  backImageInside_ = value;
  Invalidate();
}

void TCustomChart::SetBackColor(TColor value) {
  backWall_->SetColor(value);
  if (Parent() != nullptr && !Loading()) backWall_->Brush()->SetStyle(fw::bsSolid);
}

bool TCustomChart::IsSeriesColorFree(TColor color, bool checkBackground) const {
  if (!TCustomAxisPanel::IsSeriesColorFree(color, checkBackground)) return false;
  return !checkBackground || (color != Color() && color != BackColor());
}

int TCustomChart::CalcWallSize(const TSeriesAxis* axis) const {
  if (!View3D() || !View3DWalls() || axis == nullptr) return 0;
  if (axis == LeftAxis()) return leftWall_->Size();
  if (axis == BottomAxis()) return bottomWall_->Size();
  return 0;
}

void TCustomChart::LegendValueText(TChartSeries*, int, std::string& text) const {
  std::replace(text.begin(), text.end(), ChartSettings().LineSeparator, ' ');
}

void TCustomChart::PlaceTitlesAndLegend() {
  TCanvas3D* c = Canvas();
  c->Set2D();
  auto titles = [&] {
    if (title_->Visible()) title_->Draw(true);
    if (foot_->Visible()) foot_->Draw(false);
  };
  if (!legend_->Visible() || CountActiveSeries() == 0) {
    titles();
  } else if (legend_->Alignment() == laLeft || legend_->Alignment() == laRight) {
    // The legend spans the full height; the titles centre over what it leaves.
    legend_->Draw();
    titles();
  } else {
    titles();
    legend_->Draw();
  }
  c->Restore3D();
}

void TCustomChart::DrawBackImage(const fw::TRect& rect, int z) {
  if (!backImageInside_) TCustomAxisPanel::DrawBackImage(rect, z);
}

void TCustomChart::DrawBackImageInside(int z) {
  if (!HasBackImage() || !backImageInside_) return;
  fw::TRect r = PlotRect();
  if (backWall_->Pen()->Visible()) {
    ++r.Top;
    --r.Bottom;
  }
  TCustomAxisPanel::DrawBackImage(r, z);
}

void TCustomChart::DrawWalls() {
  TCanvas3D* c = Canvas();
  const fw::TRect p = PlotRect();
  backWall_->PrepareCanvas();
  if (!View3D()) {
    // The 2D back wall frames and fills the plot rectangle, one pixel wider and higher than it.
    c->Rectangle(p.Left, p.Top, p.Right + 1, p.Bottom + 1);
    DrawBackImageInside(0);
    return;
  }
  if (!View3DWalls()) return;
  const int d = DepthOffsetX();
  const int leftSize = CalcWallSize(LeftAxis());
  const int bottomSize = CalcWallSize(BottomAxis());
  const int backSize = backWall_->Size();
  if (backSize == 0)
    c->RectangleWithZ(fw::Rect(p.Left + 1, p.Top - 1, p.Right, p.Bottom), d);
  else
    c->Cube(p.Left - leftSize, p.Right, p.Top, p.Bottom + bottomSize, d,
            d >= 0 ? d + backSize : d - backSize, backWall_->HasDarkSides());
  DrawBackImageInside(d);

  leftWall_->PrepareCanvas();
  const int leftWallSize = leftWall_->Size();
  if (leftWallSize == 0)
    c->RectangleZ(p.Left, p.Top, p.Bottom + bottomSize, 0, d + 1);
  else
    c->Cube(p.Left - leftWallSize, p.Left, p.Top, p.Bottom + bottomSize, 0, d,
            leftWall_->HasDarkSides());

  bottomWall_->PrepareCanvas();
  const int b = p.Bottom + (c->ReservedQuery1() ? 1 : 0);
  const int bottomWallSize = bottomWall_->Size();
  if (bottomWallSize == 0)
    c->RectangleY(p.Left, b, p.Right, 0, d);
  else
    c->Cube(p.Left, p.Right, b, b + bottomWallSize, 0, d, bottomWall_->HasDarkSides());
}

}  // namespace tee
