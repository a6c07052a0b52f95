// TCustomChartAxis: the step between labels, which labels a drawing shows, and their texts.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <typeinfo>

#include "chart/ChartAxis.h"
#include "chart/ChartAxisText.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/TeCanvas.h"
#include "chart/TeeProcs.h"
#include "framework/core/DateTime.h"
#include "framework/core/NumberFormat.h"
#include "framework/core/VectorState.h"

namespace tee {
namespace {

// Linear labels stop once the range holds 10000 steps, so a drawing never produces more; the
// bound keeps a step that vanishes against a huge value (v - Δ == v) from looping.
constexpr int kMaxLinearLabels = 10001;
constexpr int kMaxEventLabels = 2000;

}  // namespace

TCanvas3D* TCustomChartAxis::Canvas() const {
  return chart_ ? chart_->Canvas() : nullptr;
}

void TCustomChartAxis::SetCanvasFont(const fw::TFont& font) const {
  // Through the chart, which owns the operation that makes a font the canvas font.
  if (chart_ && chart_->Canvas()) chart_->SetCanvasFont(font);
}

bool TCustomChartAxis::CalcDateTimeAxis() const {
  if (!chart_) return false;
  for (const TChartSeries* s : chart_->SeriesList())
    if (s->Active() && s->UsesAxis(this))
      return horizontal_ ? s->XValues()->DateTime() : s->YValues()->DateTime();
  return false;
}

TAxisLabelStyle TCustomChartAxis::CalcLabelStyle() const {
  if (labelStyle_ != talAuto) return labelStyle_;
  if (!chart_) return talNone;
  if (isDepthAxis_) {
    for (const TChartSeries* s : chart_->SeriesList())
      if (s->Active() && s->MinZValue() != s->MaxZValue()) return talValue;
    return talText;
  }
  TAxisLabelStyle result = talNone;
  for (const TChartSeries* s : chart_->SeriesList()) {
    if (!s->Active() || !s->UsesAxis(this)) continue;
    result = talValue;
    // Point labels are shown along the axis the points are spread over, not along their values.
    const bool across = horizontal_ == s->YMandatory();
    if (across && s->LabelCount() > 0 && !s->XLabel(0).empty()) return talText;
  }
  return result;
}

std::string TCustomChartAxis::FormatLabel(double value) {
  std::string text;
  if (!dateTimeAxis_) {
    text = fw::FormatFloat(axisValuesFormat_, value);
  } else if (value >= 0) {
    const fw::TFormatSettings& settings = fw::FormatSettings();
    const std::string& format = !dateTimeFormat_.empty() ? dateTimeFormat_
                                : rangeSize_ <= 1        ? settings.ShortTimeFormat
                                                         : settings.ShortDateFormat;
    text = fw::FormatDateTime(format, value, settings);
  }
  if (chart_ && chart_->OnGetAxisLabel && !suppressLabelEvent_)
    chart_->OnGetAxisLabel(this, nullptr, -1, text);
  if (labelsMultiLine_) std::replace(text.begin(), text.end(), ' ', kLineSeparator);
  return text;
}

int TCustomChartAxis::LabelSizeForIncrement() {
  TCanvas3D* c = Canvas();
  if (!c) return 0;
  const std::string high = FormatLabel(rangeMax_);
  const std::string low = FormatLabel(rangeMin_);
  const int fontHeight = c->FontHeight();
  const bool turned = labelsAngle_ == 90 || labelsAngle_ == 270;
  const bool flat = labelsAngle_ == 0 || labelsAngle_ == 180;
  auto size = [&](const std::string& text) {
    if (horizontal_) return turned ? fontHeight * LineCount(text) : WidestLine(*c, text);
    return flat ? fontHeight * LineCount(text) : WidestLine(*c, text);
  };
  return std::max(size(high), size(low));
}

double TCustomChartAxis::CalcIncrement() {
  SetCanvasFont(*labelsFont_);
  const int n = MaxLabelCount(LabelSizeForIncrement(), labelsSeparation_, pixelLength_);
  return CalcAxisIncrement(
      n, TIncrementInput{rangeSize_, increment_, labelsSeparation_, dateTimeAxis_});
}

int TCustomChartAxis::CalcDateTimeStepIndex(double delta) const {
  if (!dateTimeAxis_ || !exactDateTime_ || increment_ == 0) return dtNone;
  return DateTimeStepIndex(increment_, delta);
}

void TCustomChartAxis::CalcLabels(TAxisLabels& labels) {
  labels.Items.clear();
  labels.Ticks.Clear();
  dateTimeAxis_ = CalcDateTimeAxis();
  labels.Increment = CalcIncrement();
  labels.DateTimeStep = CalcDateTimeStepIndex(labels.Increment);
  labels.Style = CalcLabelStyle();
  const bool calendarStep = labels.DateTimeStep >= dtHalfMonth && labels.DateTimeStep <= dtOneYear;
  if (!((labels.Increment > 0 || calendarStep) && rangeMin_ <= rangeMax_)) return;
  switch (labels.Style) {
    case talValue:
      if (chart_ && chart_->OnGetNextAxisLabel)
        CalcEventLabels(labels);
      else if (logarithmic_ && increment_ == 0)
        CalcLogLabels(labels);
      else
        CalcLinearLabels(labels);
      break;
    case talText:
      if (isDepthAxis_)
        CalcDepthTextLabels(labels);
      else
        CalcMarkTextLabels(labels);
      break;
    case talMark:
      CalcMarkTextLabels(labels);
      break;
    default:
      break;
  }
}

// A label drawn at `pos`: with TickOnLabelsOnly its position becomes a tick.
static void AddDrawn(TAxisLabels& labels, bool tickOnLabelsOnly, int pos, double value,
                     std::string text) {
  if (tickOnLabelsOnly) labels.Ticks.Add(pos, value);
  labels.Items.push_back(TAxisLabel{value, pos, std::move(text)});
}

void TCustomChartAxis::AddValueLabel(TAxisLabels& labels, double value) {
  const int pos = CalcPosValue(value);
  if (!labelsOnAxis_ && !(startPixel_ < pos && pos < endPixel_)) return;
  if (!tickOnLabelsOnly_) labels.Ticks.Add(pos, value);
  if (labels_) AddDrawn(labels, tickOnLabelsOnly_, pos, value, FormatLabel(value));
}

void TCustomChartAxis::CalcLinearLabels(TAxisLabels& labels) {
  const double delta = labels.Increment;
  const int step = labels.DateTimeStep;
  if (!(std::fabs(rangeSize_ / delta) < 10000)) return;
  const bool exact = dateTimeAxis_ && exactDateTime_;
  double first;
  if (exact && step >= dtOneDay && step <= dtOneYear)
    first = CalendarRoundDown(rangeMax_, step);
  else if (rangeMin_ == rangeMax_ || !roundFirstLabel_)
    first = rangeMax_;
  else
    first = std::trunc(rangeMax_ / delta) * delta;
  // The tolerance of the lowest label against rounding of the steps.
  const double limit = (rangeMin_ - 1e-12) / 1.000000000001;

  if (exact && step >= dtHalfMonth && step <= dtOneYear) {
    double v = first;
    for (int n = 0; v > rangeMax_ && n < kMaxLinearLabels; ++n) v = CalendarStepDown(v, step);
    for (int n = 0; v >= limit && n < kMaxLinearLabels; ++n) {
      AddValueLabel(labels, v);
      v = CalendarStepDown(v, step);
    }
    return;
  }
  // Labels from the top down at first − k·Δ: an index times the step rather than repeated
  // subtraction, so that errors do not accumulate along the axis.
  int k = 0;
  while (k < kMaxLinearLabels && first - k * delta > rangeMax_) ++k;
  for (int n = 0; n < kMaxLinearLabels; ++n, ++k) {
    const double v = first - k * delta;
    if (!(v >= limit)) break;
    AddValueLabel(labels, v);
  }
}

void TCustomChartAxis::CalcLogLabels(TAxisLabels& labels) {
  if (rangeMin_ == rangeMax_) return;
  const double base = logarithmicBase_;
  double v;
  if (rangeMin_ > 0) {
    v = std::pow(base, std::nearbyint(std::log(rangeMin_) / std::log(base)));
  } else {
    // A logarithmic scale has no place for 0 or below: the range starts just above instead, for
    // the rest of this paint.
    rangeMin_ = rangeMin_ == 0 ? 0.1 : 1e-10;
    logMin_ = std::log(rangeMin_);
    v = rangeMin_;
  }
  for (int n = 0; v <= rangeMax_ && n < kMaxLinearLabels; ++n) {
    if (v >= rangeMin_) AddValueLabel(labels, v);
    v *= base;
  }
}

void TCustomChartAxis::CalcEventLabels(TAxisLabels& labels) {
  double v = rangeMin_;
  bool stop = true;
  int index = 0;
  for (bool first = true;; first = false) {
    chart_->OnGetNextAxisLabel(this, index, v, stop);
    if (stop) {
      if (first) CalcLinearLabels(labels);
      return;
    }
    if (!(v >= rangeMin_ - 1e-7 && v <= rangeMax_ + 1e-7)) return;
    ++index;
    AddValueLabel(labels, v);
    if (index > kMaxEventLabels) return;
  }
}

void TCustomChartAxis::CalcDepthTextLabels(TAxisLabels& labels) {
  if (chart_->CountActiveSeries() == 0) return;
  const double low = std::trunc(rangeMin_);
  const double high = std::trunc(rangeMax_);
  if (!(high - low < kMaxLinearLabels)) return;
  for (double i = low; i <= high; ++i) {
    const double value = rangeMax_ - i - 0.5;
    const int pos = CalcPosValue(value);
    if (!tickOnLabelsOnly_) labels.Ticks.Add(pos, value);
    if (!labels_) continue;
    const int index = static_cast<int>(i);
    std::string text = chart_->SeriesTitleLegend(index);
    if (chart_->OnGetAxisLabel) {
      TChartSeries* series =
          index >= 0 && index < chart_->SeriesCount() ? chart_->Series(index) : nullptr;
      chart_->OnGetAxisLabel(this, series, index, text);
    }
    AddDrawn(labels, tickOnLabelsOnly_, pos, value, std::move(text));
  }
}

std::string TCustomChartAxis::SeriesLabelText(TChartSeries* series, int index,
                                              TAxisLabelStyle style) const {
  return style == talMark ? series->MarkText(index) : series->XLabel(index);
}

// The last label drawn along the axis and whether the next one fits beside it.
struct TDrawnLabels {
  bool Any = false;
  std::int64_t Pos = 0;
  std::int64_t Half = 0;

  // A label at `pos` lies within the last one drawn: it cannot fit whatever its size.
  bool Within(std::int64_t pos, int separation) const {
    return separation != 0 && Any && Pos - Half < pos && pos < Pos + Half;
  }

  // Half the room a label `extent` pixels long takes beside the last one drawn.
  static std::int64_t HalfOf(std::int64_t extent, int separation) {
    return (extent + static_cast<std::int64_t>(
                         std::trunc(static_cast<double>(extent) * 0.02 * separation))) /
           2;
  }

  // Whether no label at least `extent` pixels long at a position from `low` to `high` can be
  // drawn beside the last one (separation > 0: the room grows with the length).
  bool NoneFits(std::int64_t low, std::int64_t high, std::int64_t extent, int separation) const {
    const std::int64_t half = HalfOf(extent, separation);
    return Any && separation > 0 && low + half > Pos - Half && high - half < Pos + Half;
  }

  // Whether a label `extent` pixels long at `pos` is drawn (the first always is; later ones keep
  // `separation` percent of their length clear of the last); if so, it becomes the last.
  bool Take(std::int64_t extent, int pos, int separation) {
    if (separation == 0 || !Any) {
      Half = extent / 2;
    } else {
      const std::int64_t half = HalfOf(extent, separation);
      const bool fits = pos + half <= Pos - Half || Pos + Half <= pos - half;
      if (!fits) return false;
      Half = half;
    }
    Pos = pos;
    Any = true;
    return true;
  }

  // The last index from `from` (whose point lies within the last label) up to `to` whose point
  // still does, for a series whose positions run in order.
  int LastWithin(const TCustomChartAxis& axis, const TChartSeries& series, int from, int to) const {
    const std::int64_t low = Pos - Half;
    const std::int64_t high = Pos + Half;
    auto within = [&](int i) {
      const int p = axis.CalcPosValue(axis.Horizontal() ? series.XValue(i) : series.YValue(i));
      return low < p && p < high;
    };
    while (from < to) {
      const int mid = from + (to - from + 1) / 2;
      if (within(mid))
        from = mid;
      else
        to = mid - 1;
    }
    return from;
  }
};

void TCustomChartAxis::CalcMarkTextLabels(TAxisLabels& labels) {
  TCanvas3D* c = Canvas();
  labelSeries_.clear();
  int firstIndex = INT_MAX;
  int lastIndex = -1;
  for (TChartSeries* s : chart_->SeriesList()) {
    if (!s->Active() || !s->UsesAxis(this) || s->LabelCount() == 0) continue;
    labelSeries_.push_back(s);
    s->CalcFirstLastVisibleIndex();
    // A series without visible points has no index range to add.
    if (s->FirstValueIndex() >= 0) {
      firstIndex = std::min(firstIndex, s->FirstValueIndex());
      lastIndex = std::max(lastIndex, s->LastValueIndex());
    }
  }
  if (firstIndex == INT_MAX || lastIndex < firstIndex) return;

  const bool turned = labelsAngle_ == 90 || labelsAngle_ == 270;
  const bool widthExtent = horizontal_ != turned;
  const int fontHeight = c ? c->FontHeight() : 0;
  TDrawnLabels drawn;
  // With one label series whose values run in order, no label event and no tick per point, the
  // points within the last drawn label have no effect at all: their positions run in order too,
  // so the run of them is found by bisection and stepped over.
  TChartSeries* const only = labelSeries_.size() == 1 ? labelSeries_.front() : nullptr;
  const bool stepOver = only && !chart_->OnGetAxisLabel && tickOnLabelsOnly_ &&
                        (horizontal_ ? only->XValues() : only->YValues())->Monotonic();
  const int stepEnd = only ? std::min({lastIndex, only->LabelCount() - 1, only->Count() - 1}) : -1;
  if (stepOver && labels.Style == talText && widthExtent && c && labels_ &&
      CalcOrderedTextLabels(labels, *only, firstIndex, stepEnd))
    return;
  std::string measured;  // the last text measured, and its extent
  std::int64_t measuredExtent = 0;
  for (int i = firstIndex; i <= lastIndex; ++i) {
    auto has = [i](const TChartSeries* s) { return s->LabelCount() > i; };
    const auto found = std::find_if(labelSeries_.begin(), labelSeries_.end(), has);
    TChartSeries* const series = found != labelSeries_.end() ? *found : nullptr;
    if (!series) continue;
    // Without a label event the text is taken only for a label that may be drawn, after the
    // checks that need none (they have no effects of their own).
    std::string text;
    const bool event = static_cast<bool>(chart_->OnGetAxisLabel);
    if (event)
      chart_->OnGetAxisLabel(this, series, i, text = SeriesLabelText(series, i, labels.Style));
    if (i >= series->Count()) continue;
    const double value = horizontal_ ? series->XValue(i) : series->YValue(i);
    if (!(rangeMin_ <= value && value <= rangeMax_)) continue;
    const int pos = CalcPosValue(value);
    if (!tickOnLabelsOnly_) labels.Ticks.Add(pos, value);
    if (!labels_) continue;

    // A label whose position lies within the last drawn one cannot fit whatever its size: no need
    // to measure it.
    if (drawn.Within(pos, labelsSeparation_)) {
      if (stepOver && i < stepEnd) i = drawn.LastWithin(*this, *only, i, stepEnd);
      continue;
    }
    if (!event) text = SeriesLabelText(series, i, labels.Style);
    if (measured.empty() || text != measured) {  // neighbouring points often carry the same text
      measured = text;
      measuredExtent = !c            ? 0
                       : widthExtent ? widths_->Width(*c, text)
                                     : std::int64_t{fontHeight} * LineCount(text);
    }
    if (!drawn.Take(measuredExtent, pos, labelsSeparation_)) continue;
    AddDrawn(labels, tickOnLabelsOnly_, pos, value, std::move(text));
  }
}

void TCustomChartAxis::TPointLabelWidths::Follow(const TChartSeries& series,
                                                 std::uint64_t fontKey) {
  if (Series == &series && Revision == series.LabelsRevision() && FontKey == fontKey &&
      Widths.size() == static_cast<std::size_t>(series.LabelCount()))
    return;
  Series = &series;
  Revision = series.LabelsRevision();
  FontKey = fontKey;
  Widths.assign(static_cast<std::size_t>(series.LabelCount()), -1);
  BlockMin.assign((Widths.size() + kBlock - 1) / kBlock, -1);
}

std::int32_t TCustomChartAxis::TPointLabelWidths::WidthOf(int i, TTextWidthCache& cache,
                                                          TTeeCanvas& canvas) {
  std::int32_t& w = Widths[static_cast<std::size_t>(i)];
  if (w < 0) w = cache.Width(canvas, Series->StoredLabel(i));
  return w;
}

std::int32_t TCustomChartAxis::TPointLabelWidths::BlockMinOf(int b, TTextWidthCache& cache,
                                                             TTeeCanvas& canvas) {
  std::int32_t& m = BlockMin[static_cast<std::size_t>(b)];
  if (m < 0) {
    m = std::numeric_limits<std::int32_t>::max();
    for (int k = b * kBlock; k < (b + 1) * kBlock; ++k) m = std::min(m, WidthOf(k, cache, canvas));
  }
  return m;
}

bool TCustomChartAxis::CalcOrderedTextLabels(TAxisLabels& labels, const TChartSeries& series,
                                             int firstIndex, int endIndex) {
  const TChartValueList& list = horizontal_ ? *series.XValues() : *series.YValues();
  TAxisPixelMap map;
  if (!ChartSettings().OrderedLabelPass || typeid(list) != typeid(TChartValueList) ||
      !LinearPixelMap(horizontal_, map))
    return false;
  TCanvas3D& c = *Canvas();
  fw::ClearUpperVectorState();
  // The widths kept from earlier paints hold while the labels, the surface and the font do.
  TPointLabelWidths& kept = pointWidths_;
  kept.Follow(series, widths_->FontKey(c));
  constexpr int kBlock = TPointLabelWidths::kBlock;
  auto widthOf = [&](int i) { return kept.WidthOf(i, *widths_, c); };
  const double multiplier = list.Multiplier();
  TDrawnLabels drawn;
  // Whether no point of the block from `i` can have its label drawn: the positions run in order,
  // so those of the block's values within the range lie between the positions of its first and
  // last value cut to the range, and none of them leaves room beside the last label drawn for
  // even the block's narrowest label.
  auto blockFails = [&](int i, double first) {
    if (!drawn.Any || labelsSeparation_ <= 0 || i % kBlock != 0 || i + kBlock - 1 > endIndex ||
        !(rangeMin_ <= rangeMax_))
      return false;
    const double last = list.StoredRun(i + kBlock - 1)[0] * multiplier;
    if (!(std::isfinite(first) && std::isfinite(last))) return false;
    const int p = map.QuickPos(std::clamp(first, rangeMin_, rangeMax_));
    const int q = map.QuickPos(std::clamp(last, rangeMin_, rangeMax_));
    return drawn.NoneFits(std::min(p, q), std::max(p, q), kept.BlockMinOf(i / kBlock, *widths_, c),
                          labelsSeparation_);
  };
  for (int i = firstIndex; i <= endIndex;) {
    const std::span<const double> run = list.StoredRun(i);
    const int runEnd = std::min(endIndex, i + static_cast<int>(run.size()) - 1);
    const double* const values = run.data() - i;
    for (; i <= runEnd; ++i) {
      const double value = values[i] * multiplier;
      if (blockFails(i, value)) {
        i += kBlock - 1;
        if (i >= runEnd) {  // the run of values ends here: find the next one
          ++i;
          break;
        }
        continue;
      }
      if (!(rangeMin_ <= value && value <= rangeMax_)) continue;
      const int pos = map.QuickPos(value);
      if (drawn.Within(pos, labelsSeparation_)) {
        if (i < endIndex) {
          i = drawn.LastWithin(*this, series, i, endIndex);
          if (i >= runEnd) {  // the run of values ends here: find the next one
            ++i;
            break;
          }
        }
        continue;
      }
      if (!drawn.Take(widthOf(i), pos, labelsSeparation_)) continue;
      AddDrawn(labels, tickOnLabelsOnly_, pos, value, series.StoredLabel(i));
    }
  }
  return true;
}

}  // namespace tee
