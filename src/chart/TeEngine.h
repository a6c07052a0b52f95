// The chart engine's data model: value lists, series, marks, the engine's messages and the chart
// as its series see it. Include this to use any of them.
#pragma once

#include "chart/ChartErrors.h"
#include "chart/ChartSeries.h"
#include "chart/ChartTypes.h"
#include "chart/ChartValueList.h"
#include "chart/SeriesAxis.h"
#include "chart/SeriesMarks.h"
#include "chart/TeeFunction.h"
#include "chart/TeeProcs.h"
