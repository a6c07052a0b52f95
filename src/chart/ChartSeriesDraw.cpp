// The drawing operations of the series base class that need the chart's canvas: the legend symbol.
// Series types override the point and legend symbol drawing; marks are drawn in ChartSeriesMarks.
#include "chart/ChartSeries.h"
#include "chart/TeCanvas.h"
#include "chart/TeeProcs.h"
#include "framework/core/Brush.h"

namespace tee {

void TChartSeries::DrawLegend(int valueIndex, const fw::TRect& rect) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  // A series that colours each point has no single colour to show for itself.
  if (valueIndex == -1 && ColorEachPoint()) return;
  const TColor color = valueIndex == -1 ? SeriesColor() : ValueColor(valueIndex);
  TCanvas3D* c = chart->Canvas();
  c->Brush().SetColor(color);
  if (color == clNone) return;
  TColor backColor = chart->LegendColor();
  fw::TBrushStyle style = fw::bsSolid;
  PrepareLegendCanvas(valueIndex, backColor, style);
  c->Brush().SetStyle(style);
  if (style != fw::bsSolid && style != fw::bsClear) {
    c->SetBackColor(backColor);
    c->SetBackMode(fw::OPAQUE);
  }
  DrawLegendShape(valueIndex, rect);
}

void TChartSeries::DrawLegendShape(int, const fw::TRect& rect) {
  TCustomAxisPanel* chart = ParentChart();
  if (!chart) return;
  TCanvas3D* c = chart->Canvas();
  c->DrawRect(rect);
  // A symbol in the legend's own colour would vanish: it gets its outline drawn again.
  const TColor legendColor = chart->LegendColor();
  if (c->Brush().Color() != legendColor) return;
  if (legendColor == fw::clBlack) c->Pen().SetColor(fw::clWhite);
  c->Brush().SetStyle(fw::bsClear);
  c->DrawRect(rect);
  c->Pen().SetColor(fw::clBlack);
}

void TChartSeries::PrepareLegendCanvas(int, TColor&, fw::TBrushStyle&) {}

}  // namespace tee
