#include "chart/ChartTitle.h"

#include <algorithm>

#include "chart/Chart.h"
#include "framework/core/ClassBuilder.h"

namespace tee {

bool IsDefaultTitleFont(const fw::TFont& font) {
  return font.Name() == kDefaultChartFontName && font.Size() == kDefaultChartFontSize &&
         font.Color() == fw::clBlue && font.Style().Empty();
}

const fw::TClassInfo& TChartTitle::StaticClass() {
  using T = TChartTitle;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<T>("TChartTitle", TChartFontObject::StaticClass())
          .Property("AdjustFrame", &T::AdjustFrame, &T::SetAdjustFrame)
          .Default(fw::TValue(true))
          .Property("Alignment", &T::Alignment, &T::SetAlignment)
          .Default(fw::TValue(std::int64_t{fw::taCenter}))
          .Property("Brush", &T::Brush, &T::SetBrush)
          .Color("Color", &T::Color, &T::SetColor)
          .Default(fw::TValue(std::int64_t{clAutoColor}))
          .Property("Font", &T::Font, &T::SetFont)
          .StoredWhen([](const T& t) { return !IsDefaultTitleFont(*t.Font()); })
          .Property("Frame", &T::Frame, &T::SetFrame)
          .Property("Text", &T::Text, &T::SetText)
          .Property("Visible", &T::Visible, &T::SetVisible)
          .Default(fw::TValue(true))
          .Build();
  return info;
}

TChartTitle::TChartTitle(TCustomChart* chart)
    : TChartFontObject([chart](fw::TObject* sender) { chart->CanvasChanged(sender); }),
      chart_(chart),
      color_(clAutoColor) {
  const fw::TNotifyEvent changed = [chart](fw::TObject* sender) { chart->CanvasChanged(sender); };
  brush_ = std::make_unique<TChartBrush>(changed);
  frame_ = std::make_unique<TChartHiddenPen>(changed);
  // The default colour is set before anyone listens: creating a title notifies nobody.
  const fw::TNotifyEvent onFont = Font()->OnChange;
  Font()->OnChange = {};
  Font()->SetColor(fw::clBlue);
  Font()->OnChange = onFont;
}

TChartTitle::~TChartTitle() = default;

void TChartTitle::Repaint() const {
  chart_->Invalidate();
}

void TChartTitle::Assign(const fw::TPersistent* source) {
  const auto* t = dynamic_cast<const TChartTitle*>(source);
  if (!t) {
    TChartFontObject::Assign(source);
    return;
  }
  adjustFrame_ = t->adjustFrame_;
  alignment_ = t->alignment_;
  brush_->Assign(t->brush_.get());
  color_ = t->color_;
  frame_->Assign(t->frame_.get());
  text_ = t->text_;
  visible_ = t->visible_;
  TChartFontObject::Assign(source);
  Repaint();
}

void TChartTitle::SetAdjustFrame(bool value) {
  if (value == adjustFrame_) return;
  adjustFrame_ = value;
  Repaint();
}

void TChartTitle::SetAlignment(fw::TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Repaint();
}

void TChartTitle::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Repaint();
}

void TChartTitle::SetText(const fw::TStringList& value) {
  if (value == text_) return;
  text_ = value;
  Repaint();
}

void TChartTitle::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Repaint();
}

bool TChartTitle::Clicked(int x, int y) const {
  return visible_ && fw::PtInRect(layout_.Rect, fw::Point(x, y));
}

bool TChartTitle::FrameCounts() const {
  return frame_->Visible() && frame_->Color() != clAutoColor;
}

bool TChartTitle::ClearBackground() const {
  if (brush_->Style() != fw::bsSolid) return brush_->Style() == fw::bsClear;
  return color_ == clAutoColor && brush_->Color() == clAutoColor;
}

TTitleLayout TChartTitle::CalcLayout(bool isTitle) const {
  TCanvas3D* c = chart_->Canvas();
  chart_->SetCanvasFont(*Font());
  const int h = c->FontHeight();
  const int n = static_cast<int>(text_.size());
  TTitleLayout layout;
  layout.Boxed = FrameCounts() || !ClearBackground();

  const int f = FrameCounts() ? frame_->Width() : 0;
  fw::TRect plot = chart_->PlotRect();
  fw::TRect& r = layout.Rect;
  r.Left = plot.Left + f;
  r.Right = plot.Right - f;
  // The text's first edge: the title's top, or the foot's bottom.
  const int textEdge = isTitle ? plot.Top + f : plot.Bottom - f;
  if (isTitle) {
    r.Top = textEdge;
    r.Bottom = r.Top + h * n;
  } else {
    r.Bottom = textEdge;
    r.Top = r.Bottom - h * n;
  }
  fw::InflateRect(r, f, f);

  const int cw = c->TextWidth("W");
  if (layout.Boxed && adjustFrame_) {
    int widest = 0;
    for (const std::string& line : text_) widest = std::max(widest, c->TextWidth(line));
    const int w = widest + cw;
    switch (alignment_) {
      case fw::taLeftJustify:
        r.Right = r.Left + w;
        break;
      case fw::taRightJustify:
        r.Left = r.Right - w;
        break;
      case fw::taCenter: {
        const int m = (r.Left + r.Right) / 2;
        r.Left = m - w / 2;
        r.Right = m + w / 2;
        break;
      }
    }
  }

  for (int k = 0; k < n; ++k) {
    const std::string& line = text_[static_cast<std::size_t>(k)];
    const int y = isTitle ? textEdge + k * h : textEdge - (n - k) * h;
    int x = 0;
    switch (alignment_) {
      case fw::taLeftJustify:
        x = r.Left + cw / 2;
        break;
      case fw::taRightJustify:
        x = r.Right - c->TextWidth(line) - cw / 2;
        break;
      case fw::taCenter:
        x = (r.Left + r.Right) / 2 - c->TextWidth(line) / 2;
        break;
    }
    layout.Lines.push_back({x, y, line});
  }

  // The running edge: past the last line (or back by the margin when there is none), then past
  // the frame.
  const int margin = ChartSettings().TitleMargin;
  if (isTitle) {
    const int edge = (n > 0 ? textEdge + n * h : textEdge - margin) + f;
    plot.Top = edge + margin;
  } else {
    const int edge = (n > 0 ? textEdge - n * h : textEdge + margin) - f;
    plot.Bottom = edge - margin;
  }
  layout.Plot = plot;
  return layout;
}

void TChartTitle::PrepareBackground() {
  TCanvas3D* c = chart_->Canvas();
  if (color_ == clAutoColor) {
    if (brush_->Style() != fw::bsSolid) {
      c->Brush().Assign(brush_.get());
      c->SetBackMode(fw::TRANSPARENT);
    } else if (brush_->Color() != clAutoColor) {
      // A solid brush with a colour of its own gives the title its background colour for good
      // (stored directly: a paint makes no repaint request).
      color_ = brush_->Color();
      c->Brush().SetStyle(fw::bsSolid);
      c->Brush().SetColor(color_);
    } else {
      c->Brush().SetStyle(fw::bsClear);
    }
  } else if (brush_->Style() != fw::bsSolid) {
    c->Brush().Assign(brush_.get());
    c->SetBackMode(fw::OPAQUE);
    c->SetBackColor(color_);
  } else {
    c->Brush().SetStyle(fw::bsSolid);
    c->Brush().SetColor(color_);
  }
}

void TChartTitle::DrawLayout(const TTitleLayout& layout) {
  TCanvas3D* c = chart_->Canvas();
  PrepareBackground();
  if (FrameCounts())
    c->AssignVisiblePen(*frame_);
  else
    c->Pen().SetStyle(fw::psClear);
  if (layout.Boxed) c->DrawRect(layout.Rect);

  c->SetBackMode(fw::TRANSPARENT);
  c->SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
  const bool flat = !c->ReservedQuery1();
  for (const TTitleLayout::Line& line : layout.Lines) {
    if (flat)
      c->TextOut(line.X, line.Y, line.Text);
    else
      c->TextOut3D(line.X, line.Y, 0, line.Text);
  }
}

void TChartTitle::Draw(bool isTitle) {
  layout_ = CalcLayout(isTitle);
  DrawLayout(layout_);
  chart_->SetPlotRect(layout_.Plot);
  chart_->RecalcPlotSize();
}

}  // namespace tee
