#include "chart/ChartLegend.h"

#include <algorithm>
#include <cmath>

#include "chart/Chart.h"
#include "chart/ChartErrors.h"
#include "chart/ChartSeries.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/Conversions.h"

namespace tee {
namespace {

int Round(double v) {
  return static_cast<int>(std::nearbyint(v));
}

}  // namespace

const fw::TClassInfo& TCustomChartLegend::StaticClass() {
  using L = TCustomChartLegend;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<L>("TCustomChartLegend", TChartFontObject::StaticClass())
          .Property("Alignment", &L::Alignment, &L::SetAlignment)
          .Default(fw::TValue(std::int64_t{laRight}))
          .Property("Brush", &L::Brush, &L::SetBrush)
          .Color("Color", &L::Color, &L::SetColor)
          .Default(fw::TValue(std::int64_t{fw::clWhite}))
          .Property("ColorWidth", &L::ColorWidth, &L::SetColorWidth)
          .Default(fw::TValue(std::int64_t{12}))
          .Property("DividingLines", &L::DividingLines, &L::SetDividingLines)
          .Property("FirstValue", &L::FirstValue, &L::SetFirstValue)
          .Default(fw::TValue(std::int64_t{0}))
          .Property("Frame", &L::Frame, &L::SetFrame)
          .Property("HorizMargin", &L::HorizMargin, &L::SetHorizMargin)
          .Default(fw::TValue(std::int64_t{0}))
          .Property("Inverted", &L::Inverted, &L::SetInverted)
          .Default(fw::TValue(false))
          .Property("LegendStyle", &L::LegendStyle, &L::SetLegendStyle)
          .Default(fw::TValue(std::int64_t{lsAuto}))
          .Property("MaxNumRows", &L::MaxNumRows, &L::SetMaxNumRows)
          .Default(fw::TValue(std::int64_t{10}))
          .Property("ResizeChart", &L::ResizeChart, &L::SetResizeChart)
          .Default(fw::TValue(true))
          .Color("ShadowColor", &L::ShadowColor, &L::SetShadowColor)
          .Default(fw::TValue(std::int64_t{fw::clBlack}))
          .Property("ShadowSize", &L::ShadowSize, &L::SetShadowSize)
          .Default(fw::TValue(std::int64_t{3}))
          .Property("TextStyle", &L::TextStyle, &L::SetTextStyle)
          .Default(fw::TValue(std::int64_t{ltsLeftValue}))
          .Property("TopPos", &L::TopPos, &L::SetTopPos)
          .Default(fw::TValue(std::int64_t{10}))
          .Property("VertMargin", &L::VertMargin, &L::SetVertMargin)
          .Default(fw::TValue(std::int64_t{0}))
          .Property("Visible", &L::Visible, &L::SetVisible)
          .Default(fw::TValue(true))
          .Build();
  return info;
}

const fw::TClassInfo& TChartLegend::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartLegend>("TChartLegend", TCustomChartLegend::StaticClass()).Build();
  return info;
}

TCustomChartLegend::TCustomChartLegend(TCustomChart* chart)
    : TChartFontObject([chart](fw::TObject* sender) { chart->CanvasChanged(sender); }),
      chart_(chart) {
  const fw::TNotifyEvent changed = [chart](fw::TObject* sender) { chart->CanvasChanged(sender); };
  brush_ = std::make_unique<TChartBrush>(changed);
  dividingLines_ = std::make_unique<TChartHiddenPen>(changed);
  frame_ = std::make_unique<TChartPen>(changed);
}

TCustomChartLegend::~TCustomChartLegend() = default;

void TCustomChartLegend::Repaint() const {
  chart_->Invalidate();
}

void TCustomChartLegend::Assign(const fw::TPersistent* source) {
  const auto* l = dynamic_cast<const TCustomChartLegend*>(source);
  if (!l) {
    TChartFontObject::Assign(source);
    return;
  }
  alignment_ = l->alignment_;
  brush_->Assign(l->brush_.get());
  color_ = l->color_;
  colorWidth_ = l->colorWidth_;
  dividingLines_->Assign(l->dividingLines_.get());
  firstValue_ = l->firstValue_;
  frame_->Assign(l->frame_.get());
  horizMargin_ = l->horizMargin_;
  inverted_ = l->inverted_;
  legendStyle_ = l->legendStyle_;
  maxNumRows_ = l->maxNumRows_;
  resizeChart_ = l->resizeChart_;
  shadowColor_ = l->shadowColor_;
  shadowSize_ = l->shadowSize_;
  textStyle_ = l->textStyle_;
  topPos_ = l->topPos_;
  vertMargin_ = l->vertMargin_;
  visible_ = l->visible_;
  TChartFontObject::Assign(source);
  Repaint();
}

// ---- Setters ----

void TCustomChartLegend::SetAlignment(TLegendAlignment value) {
  Change(alignment_, value);
}
void TCustomChartLegend::SetColor(TColor value) {
  Change(color_, value);
}
void TCustomChartLegend::SetHorizMargin(int value) {
  Change(horizMargin_, value);
}
void TCustomChartLegend::SetInverted(bool value) {
  Change(inverted_, value);
}
void TCustomChartLegend::SetLegendStyle(TLegendStyle value) {
  Change(legendStyle_, value);
}
void TCustomChartLegend::SetMaxNumRows(int value) {
  Change(maxNumRows_, value);
}
void TCustomChartLegend::SetResizeChart(bool value) {
  Change(resizeChart_, value);
}
void TCustomChartLegend::SetShadowColor(TColor value) {
  Change(shadowColor_, value);
}
void TCustomChartLegend::SetShadowSize(int value) {
  Change(shadowSize_, value);
}
void TCustomChartLegend::SetTextStyle(TLegendTextStyle value) {
  Change(textStyle_, value);
}
void TCustomChartLegend::SetVertMargin(int value) {
  Change(vertMargin_, value);
}
void TCustomChartLegend::SetVisible(bool value) {
  Change(visible_, value);
}

void TCustomChartLegend::SetColorWidth(int value) {
  if (value < 0 || value > 100) throw LegendException(TTeeMessage::LegendColorWidth);
  Change(colorWidth_, value);
}

void TCustomChartLegend::SetFirstValue(int value) {
  if (value < 0) throw LegendException(TTeeMessage::LegendFirstValue);
  Change(firstValue_, value);
}

void TCustomChartLegend::SetTopPos(int value) {
  if (value < 0 || value > 100) throw LegendException(TTeeMessage::LegendTopPos);
  Change(topPos_, value);
}

// ---- Items ----

TLegendStyle TCustomChartLegend::ResolvedStyle() const {
  if (legendStyle_ != lsAuto) return legendStyle_;
  return chart_->CountActiveSeries() < 2 ? lsValues : lsSeries;
}

namespace {

// The series that stand for the items of a series legend, in list order.
template <class F>
void ForEachLegendSeries(const TCustomChart& chart, F&& each) {
  for (TChartSeries* s : chart.SeriesList())
    if (s->Active() && s->ShowInLegend()) each(s);
}

}  // namespace

int TCustomChartLegend::TotalItems() const {
  int count = 0;
  if (ResolvedStyle() == lsValues) {
    const TChartSeries* first = chart_->GetFirstActiveSeries();
    if (first && first->ShowInLegend()) count = first->Count();
  } else {
    ForEachLegendSeries(*chart_, [&](TChartSeries*) { ++count; });
  }
  return std::max(0, count - firstValue_);
}

TChartSeries* TCustomChartLegend::ItemSeries(int index, int& valueIndex) const {
  valueIndex = -1;
  switch (ResolvedStyle()) {
    case lsValues: {
      TChartSeries* first = chart_->GetFirstActiveSeries();
      if (first) valueIndex = first->LegendToValueIndex(index);
      return first;
    }
    case lsLastValues:
      return index >= 0 && index < chart_->SeriesCount() ? chart_->Series(index) : nullptr;
    default: {
      TChartSeries* found = nullptr;
      int k = 0;
      ForEachLegendSeries(*chart_, [&](TChartSeries* s) {
        if (k++ == index) found = s;
      });
      return found;
    }
  }
}

std::string TCustomChartLegend::ItemText(int index) const {
  const TLegendStyle style = ResolvedStyle();
  std::string text;
  int valueIndex = -1;
  TChartSeries* s = ItemSeries(index, valueIndex);
  if (style == lsSeries) {
    if (s) {
      if (!s->Title().empty())
        text = s->Title();
      else if (!s->Name().empty())
        text = s->Name();
      else
        text = TeeMsg(TTeeMessage::SeriesTitleDefault) + fw::IntToStr(index);
    }
  } else if (s) {
    const int point = style == lsValues ? index : s->Count() - 1;
    if (point >= 0 && point < s->Count()) {
      text = s->LegendString(point, textStyle_);
      chart_->LegendValueText(s, point, text);
    }
  }
  if (chart_->OnGetLegendText) chart_->OnGetLegendText(chart_, style, index, text);
  return text;
}

// ---- Layout and drawing ----

int TCustomChartLegend::FitItems(int start, int itemSize) const {
  const fw::TRect& plot = chart_->PlotRect();
  if (plot.Bottom <= start || itemSize < 1) return 0;
  const int frame = frame_->Width();
  const int fit = (chart_->PlotHeight() - 2 * frame - (start - plot.Top)) / itemSize;
  return std::clamp(fit, 0, TotalItems());
}

void TCustomChartLegend::PlaceBox(TLegendLayout& layout) const {
  TCanvas3D* c = chart_->Canvas();
  chart_->SetCanvasFont(*Font());
  const int h = c->FontHeight();
  layout.RowHeight = h;
  const int f = frame_->Width();
  const int framed = frame_->Visible() ? f + 1 : 0;
  const int total = TotalItems();
  const fw::TRect& full = chart_->FullRect();
  const fw::TRect plot = chart_->PlotRect();

  int widestAll = 0;
  for (int i = firstValue_; i < firstValue_ + total; ++i)
    widestAll = std::max(widestAll, c->TextWidth(ItemText(i)));
  layout.ItemWidth = widestAll + 4;
  layout.BoxWidth = Round(layout.ItemWidth * colorWidth_ / 100.0);

  const bool side = alignment_ == laLeft || alignment_ == laRight;
  fw::TRect& r = layout.Rect;
  if (side) {
    r.Top = full.Top + Round(topPos_ * full.Height() / 100.0);
    layout.Columns = 1;
    layout.Rows = FitItems(r.Top, h);
    r.Bottom = r.Top + 2 + layout.Rows * h;
  } else {
    layout.Columns = plot.Right <= 8 ? 0
                                     : std::clamp((chart_->PlotWidth() - 2 * f - 8) /
                                                      (layout.ItemWidth + layout.BoxWidth + 8),
                                                  0, total);
    const int columns = layout.Columns;
    layout.Rows = columns > 0 ? std::min((total + columns - 1) / columns, maxNumRows_) : 0;
    layout.Rows = std::max(layout.Rows, 0);
    if (alignment_ == laTop) {
      r.Top = plot.Top + framed;
      r.Bottom = r.Top + 2 + layout.Rows * h;
    } else {
      r.Bottom = plot.Bottom - shadowSize_ - framed;
      r.Top = r.Bottom - 2 - layout.Rows * h;
    }
  }
  layout.Shown = side ? layout.Rows : layout.Columns * layout.Rows;
  layout.Count = std::min(total, layout.Shown);

  int widestShown = 0;
  for (int i = firstValue_; i < firstValue_ + layout.Count; ++i)
    widestShown = std::max(widestShown, c->TextWidth(ItemText(i)));
  switch (alignment_) {
    case laLeft:
      r.Left = plot.Left + framed;
      layout.BoxWidth = Round((widestShown + 10) * colorWidth_ / 100.0);
      layout.TextX = r.Left + 4 + layout.BoxWidth + 4;
      r.Right = layout.TextX + widestShown + 2;
      break;
    case laRight:
      r.Right = plot.Right - framed - shadowSize_;
      layout.TextX = r.Right - widestShown - 2;
      layout.BoxWidth = Round((widestShown + 10) * colorWidth_ / 100.0);
      r.Left = layout.TextX - layout.BoxWidth - 4 - 4;
      break;
    case laTop:
    case laBottom: {
      const int t =
          std::min(chart_->PlotWidth(),
                   2 * shadowSize_ + (layout.BoxWidth + layout.ItemWidth + 4) * layout.Columns + 8);
      const int shift = Round(topPos_ * (full.Width() - t) / 100.0);
      r.Left = chart_->PlotCenterX() - t / 2 + shift;
      r.Right = chart_->PlotCenterX() + t / 2 + shift;
      layout.TextX = r.Left + 4 + layout.BoxWidth + 4;
      break;
    }
  }
}

fw::TRect TCustomChartLegend::PlotLeft(const TLegendLayout& layout, fw::TRect plot) const {
  // The gap to the plot is measured on the plot as it was before the legend took its room.
  const int plotWidth = plot.Width();
  const int plotHeight = plot.Height();
  if (resizeChart_) {
    switch (alignment_) {
      case laLeft:
        plot.Left = layout.Rect.Right;
        break;
      case laRight:
        plot.Right = layout.Rect.Left;
        break;
      case laTop:
        plot.Top = layout.Rect.Bottom + shadowSize_;
        break;
      case laBottom:
        plot.Bottom = layout.Rect.Top;
        break;
    }
  }
  const int hGap = horizMargin_ != 0 ? horizMargin_ : fw::MulDiv(3, plotWidth, 100);
  const int vGap = vertMargin_ != 0 ? vertMargin_ : fw::MulDiv(4, plotHeight, 100);
  switch (alignment_) {
    case laLeft:
      plot.Left += hGap;
      break;
    case laRight:
      plot.Right -= hGap;
      break;
    case laTop:
      plot.Top += vGap;
      break;
    case laBottom:
      plot.Bottom -= vGap;
      break;
  }
  return plot;
}

TLegendLayout TCustomChartLegend::CalcLayout() const {
  const fw::TRect plot = chart_->PlotRect();
  TLegendLayout layout;
  PlaceBox(layout);
  if (chart_->OnGetLegendRect) chart_->OnGetLegendRect(chart_, layout.Rect);
  const bool side = alignment_ == laLeft || alignment_ == laRight;
  for (int p = 0; p < layout.Count; ++p) {
    fw::TPoint at = fw::Point(layout.TextX, layout.Rect.Top + 1);
    if (side) {
      at.Y += p * layout.RowHeight;
    } else {
      at.Y += (p / layout.Columns) * layout.RowHeight;
      at.X += (p % layout.Columns) * (layout.ItemWidth + layout.BoxWidth + 4);
    }
    layout.ItemPos.push_back(at);
  }
  layout.Plot = layout.Count < 1 ? plot : PlotLeft(layout, plot);
  return layout;
}

void TCustomChartLegend::DrawLayout(const TLegendLayout& layout) {
  chart_->SetLegendColor(color_);
  DrawFrame(layout);
  const int count = layout.Count;
  for (int p = 0; p < count; ++p)
    DrawItem(layout, p, inverted_ ? firstValue_ + count - 1 - p : firstValue_ + p);
}

void TCustomChartLegend::Draw() {
  layout_ = CalcLayout();
  if (layout_.Count < 1) return;
  DrawLayout(layout_);
  chart_->SetPlotRect(layout_.Plot);
  chart_->RecalcPlotSize();
}

void TCustomChartLegend::DrawFrame(const TLegendLayout& layout) {
  TCanvas3D* c = chart_->Canvas();
  c->AssignVisiblePen(*frame_);
  if (frame_->Visible() && frame_->Color() == clAutoColor) c->Pen().SetColor(fw::clBlack);
  fw::TRect r = layout.Rect;
  const int f = frame_->Width();
  int offset = shadowSize_ - 1;
  if (frame_->Visible()) {
    fw::InflateRect(r, f, f);
    offset = shadowSize_ + f + (f - 1) / 2;
  }
  const bool flat = !c->ReservedQuery1();
  if (shadowSize_ > 0) {
    c->Brush().SetBitmap(nullptr);
    c->Brush().SetStyle(fw::bsSolid);
    c->Brush().SetColor(shadowColor_);
    const fw::TRect shadow =
        fw::Rect(r.Left + shadowSize_, r.Top + shadowSize_, r.Right + offset, r.Bottom + offset);
    if (flat)
      c->FillRect(shadow);
    else
      c->RectangleWithZ(shadow, 8);
  }
  c->Brush().Assign(brush_.get());
  if (brush_->Bitmap() == nullptr) {
    if (brush_->Style() != fw::bsSolid) {
      c->SetBackColor(color_);
      c->SetBackMode(fw::OPAQUE);
    } else {
      c->Brush().SetColor(color_);
    }
  }
  if (flat)
    c->DrawRect(r);
  else
    c->RectangleWithZ(r, 4);
}

void TCustomChartLegend::DrawItem(const TLegendLayout& layout, int position, int index) {
  if (position >= static_cast<int>(layout.ItemPos.size())) return;
  TCanvas3D* c = chart_->Canvas();
  const int h = layout.RowHeight;
  int x = layout.ItemPos[static_cast<std::size_t>(position)].X;
  int y = layout.ItemPos[static_cast<std::size_t>(position)].Y;
  int xColor = x - 4 - layout.BoxWidth;
  if (chart_->OnGetLegendPos) chart_->OnGetLegendPos(chart_, index, x, y, xColor);
  c->Brush().SetStyle(fw::bsClear);
  c->SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
  const std::string text = ItemText(index);
  if (!text.empty()) {
    c->TextOut(x, y, text);
    fw::TPen& pen = c->Pen();
    pen.SetStyle(fw::psSolid);
    pen.SetWidth(1);
    pen.SetMode(fw::pmCopy);
    pen.SetColor(color_ == fw::clBlack ? fw::clWhite : fw::clBlack);
    const fw::TRect box = fw::Rect(xColor, y + 2, xColor + layout.BoxWidth, y + h - 2);
    int valueIndex = -1;
    if (TChartSeries* s = ItemSeries(index, valueIndex)) {
      s->DrawLegend(valueIndex, box);
    } else {
      c->Brush().SetStyle(fw::bsSolid);
      c->Brush().SetColor(fw::clWhite);
      c->DrawRect(box);
    }
  }
  if (position > 0 && dividingLines_->Visible()) {
    const fw::TRect& r = layout.Rect;
    c->AssignVisiblePen(*dividingLines_);
    c->SetBackMode(fw::TRANSPARENT);
    if (alignment_ == laLeft || alignment_ == laRight)
      c->HorizLine(r.Left, r.Right, y);
    else
      c->VertLine(x - 4, r.Top, r.Bottom);
  }
}

int TCustomChartLegend::Clicked(int x, int y) const {
  if (!fw::PtInRect(layout_.Rect, fw::Point(x, y))) return -1;
  const bool side = alignment_ == laLeft || alignment_ == laRight;
  if (side) {
    if (layout_.Rows < 1) return -1;
    const int rowHeight = layout_.Rect.Height() / layout_.Rows;
    for (int r = 0; r < layout_.Rows; ++r) {
      const int top = layout_.Rect.Top + 1 + r * rowHeight;
      if (y >= top && y <= top + rowHeight) return r;
    }
    return -1;
  }
  if (layout_.Columns < 1) return -1;
  const int columnWidth = layout_.Rect.Width() / layout_.Columns;
  // Rows are one text line high: the height of the legend font of the last paint.
  const int rowHeight = layout_.RowHeight;
  int row = -1;
  for (int r = 0; r < layout_.Rows && row < 0; ++r) {
    const int top = layout_.Rect.Top + 1 + r * rowHeight;
    if (y >= top && y <= top + rowHeight) row = r;
  }
  int column = -1;
  for (int k = 0; k < layout_.Columns; ++k) {
    const int left = layout_.Rect.Left + 1 + k * columnWidth;
    if (x >= left && x <= left + columnWidth) column = k;  // the right-hand one wins on a border
  }
  if (row < 0 || column < 0) return -1;
  return row * layout_.Columns + column;
}

}  // namespace tee
