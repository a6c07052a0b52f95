// The drawing operations of the series base class that need the chart's canvas. The point, legend
// symbol and mark drawing of each series type overrides these; the base class's legend symbol and
// mark are drawn once the canvas is in place (legend and marks work).
#include "chart/ChartSeries.h"

namespace tee {

void TChartSeries::DrawMark(int, const std::string&, TSeriesMarkPosition*) {}

void TChartSeries::DrawLegend(int, const fw::TRect&) {}

void TChartSeries::DrawLegendShape(int, const fw::TRect&) {}

void TChartSeries::PrepareLegendCanvas(int, TColor&, fw::TBrushStyle&) {}

}  // namespace tee
