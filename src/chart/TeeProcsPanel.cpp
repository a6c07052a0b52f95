// TCustomTeePanel and TCustomTeePanelExtended: the window control, the buffered paint and the
// background.
#include <algorithm>
#include <utility>

#include "chart/ChartErrors.h"
#include "chart/TeeProcs.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/SystemColors.h"

namespace tee {
namespace {

// Floor division: halves of negative extents round toward minus infinity.
int FloorHalf(int v) {
  return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

}  // namespace

void TZoomPanningRecord::Normalize() {
  if (X0 > X1) std::swap(X0, X1);
  if (Y0 > Y1) std::swap(Y0, Y1);
}

TChartSettings& ChartSettings() {
  static TChartSettings settings;
  return settings;
}

// ---- TCustomTeePanel ---------------------------------------------------------------------------

const fw::TClassInfo& TCustomTeePanel::StaticClass() {
  using P = TCustomTeePanel;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<P>("TCustomTeePanel", fw::TCustomPanel::StaticClass())
          .Property("BufferedDisplay", &P::BufferedDisplay, &P::SetBufferedDisplay)
          .Default(fw::TValue(true))
          .Property("Chart3DPercent", &P::Chart3DPercent, &P::SetChart3DPercent)
          .Default(fw::TValue(std::int64_t{15}))
          .Property("DepthPerSeries", &P::DepthPerSeries, &P::SetDepthPerSeries)
          .Default(fw::TValue(true))
          .Property("MarginBottom", &P::MarginBottom, &P::SetMarginBottom)
          .Default(fw::TValue(std::int64_t{4}))
          .Property("MarginLeft", &P::MarginLeft, &P::SetMarginLeft)
          .Default(fw::TValue(std::int64_t{3}))
          .Property("MarginRight", &P::MarginRight, &P::SetMarginRight)
          .Default(fw::TValue(std::int64_t{3}))
          .Property("MarginTop", &P::MarginTop, &P::SetMarginTop)
          .Default(fw::TValue(std::int64_t{4}))
          .Property("Monochrome", &P::Monochrome, &P::SetMonochrome)
          .Default(fw::TValue(false))
          .Property("PrintProportional", &P::PrintProportional, &P::SetPrintProportional)
          .Default(fw::TValue(true))
          .Property("View3D", &P::View3D, &P::SetView3D)
          .Default(fw::TValue(true))
          .Property("View3DOptions", &P::View3DOptions, &P::SetView3DOptions)
          .Build();
  return info;
}

TCustomTeePanel::TCustomTeePanel(fw::TComponent* owner)
    : fw::TCustomPanel(owner),
      ownCanvas_(std::make_unique<TTeeCanvas3D>()),
      canvas_(ownCanvas_.get()),
      view3DOptions_(std::make_unique<TView3DOptions>([this] { Invalidate(); })) {
  SetBounds(Left(), Top(), 400, 250);
}

TCustomTeePanel::~TCustomTeePanel() {
  created_ = false;
}

void TCustomTeePanel::Assign(const fw::TPersistent* source) {
  const auto* p = dynamic_cast<const TCustomTeePanel*>(source);
  if (!p) {
    fw::TPersistent::Assign(source);
    return;
  }
  SetBufferedDisplay(p->BufferedDisplay());
  printProportional_ = p->printProportional_;
  SetMarginLeft(p->marginLeft_);
  SetMarginTop(p->marginTop_);
  SetMarginRight(p->marginRight_);
  SetMarginBottom(p->marginBottom_);
  SetMonochrome(p->Monochrome());
  SetView3D(p->view3D_);
  view3DOptions_->Assign(p->view3DOptions_.get());
  SetChart3DPercent(p->chart3DPercent_);
  SetColor(p->Color());
}

void TCustomTeePanel::CanvasChanged(fw::TObject*) {
  Invalidate();
}

void TCustomTeePanel::SetCanvasFont(const fw::TFont& font) {
  canvas_->AssignFont(font);
}

fw::TRect TCustomTeePanel::GetDrawingRect() const {
  return ClientRect();
}

void TCustomTeePanel::Invalidate() {
  if (!created_) return;
  ++repaintRequests_;
  canvas_->Invalidate();
  fw::TCustomPanel::Invalidate();
}

void TCustomTeePanel::SetCanvas(TCanvas3D* canvas) {
  canvas_ = canvas ? canvas : ownCanvas_.get();
}

void TCustomTeePanel::Paint(fw::TCanvas& surface) {
  const fw::TRect rect = GetDrawingRect();
  // An uncovered window with an unchanged chart is shown again by one copy of the buffer.
  bool shown = false;
  if (!printing_) {
    const auto* own = dynamic_cast<const TTeeCanvas3D*>(canvas_);
    const fw::TCustomBitmap* buffer = own ? own->Bitmap() : nullptr;
    const bool fits =
        !buffer || (buffer->Width() == rect.Width() && buffer->Height() == rect.Height());
    if (fits) {
      canvas_->SetCanvas(&surface);
      shown = canvas_->RedrawBitmap();
    }
  }
  // The buffer never holds a drag's rectangle: shown again, it needs the rectangle on top.
  if (!shown)
    DrawChart(surface, rect);
  else
    ShowZoomRectangleOn(surface);
  canvas_->SetCanvas(&fw::TCustomControl::Canvas());
}

void TCustomTeePanel::ShowZoomRectangleOn(fw::TCanvas& target) {
  if (!zoomDrag_.Active) return;
  canvas_->SetCanvas(&target);
  InvertZoomRectangle();
  canvas_->SetCanvas(&fw::TCustomControl::Canvas());
}

void TCustomTeePanel::DrawChart(fw::TCanvas& target, const fw::TRect& rect) {
  fullRect_ = canvas_->InitWindow(&target, view3DOptions_.get(), view3D_, rect);
  const int w = fullRect_.Width();
  const int h = fullRect_.Height();
  const int b = BorderWidth();
  plotRect_ = fw::Rect(fullRect_.Left + b + fw::MulDiv(marginLeft_, w, 100),
                       fullRect_.Top + b + fw::MulDiv(marginTop_, h, 100),
                       fullRect_.Right - b - fw::MulDiv(marginRight_, w, 100),
                       fullRect_.Bottom - b - fw::MulDiv(marginBottom_, h, 100));
  RecalcPlotSize();
  DrawContents(fullRect_);
  const bool buffered = canvas_->GetBuffered();
  canvas_->ShowImage(&target, &fw::TCustomControl::Canvas(), rect);
  if (buffered) ShowZoomRectangleOn(target);
}

void TCustomTeePanel::RecalcPlotSize() {
  fw::TRect& r = plotRect_;
  r.Left = std::max(r.Left, fullRect_.Left);
  r.Top = std::max(r.Top, fullRect_.Top);
  if (r.Left > r.Right)
    r.Right = r.Left + 1;
  else if (r.Left == r.Right)
    r.Right = r.Left + Width();
  if (r.Top > r.Bottom)
    r.Bottom = r.Top + 1;
  else if (r.Top == r.Bottom)
    r.Bottom = r.Top + Height();
}

void TCustomTeePanel::DrawBevels(const fw::TRect& rect) {
  if (printing_ && !ChartSettings().PrintPanelBackground) return;
  TCanvas3D* c = canvas_;
  c->Pen().SetStyle(fw::psSolid);
  c->Pen().SetWidth(1);
  c->Pen().SetMode(fw::pmCopy);
  c->Brush().SetStyle(fw::bsClear);
  fw::TRect r = rect;
  auto bevel = [&](fw::TBevelCut cut) {
    if (cut == fw::bvNone) return;
    const TColor topLeft = cut == fw::bvLowered ? fw::clBtnShadow : fw::clBtnHighlight;
    const TColor bottomRight = cut == fw::bvRaised ? fw::clBtnShadow : fw::clBtnHighlight;
    c->Frame3D(r, topLeft, bottomRight, BevelWidth());
  };
  bevel(BevelOuter());
  c->Frame3D(r, Color(), Color(), BorderWidth());
  bevel(BevelInner());
}

void TCustomTeePanel::InvertZoomRectangle() {
  TColor color = fw::ColorToRGB(Color());
  if (color == fw::clWhite) color = fw::clBlack;
  fw::TPen& pen = canvas_->Pen();
  pen.SetColor(color);
  pen.SetMode(fw::pmNotXor);
  pen.SetStyle(fw::psSolid);
  pen.SetWidth(1);
  canvas_->Brush().SetStyle(fw::bsClear);
  canvas_->Rectangle(zoomDrag_.X0, zoomDrag_.Y0, zoomDrag_.X1, zoomDrag_.Y1);
}

void TCustomTeePanel::Loaded() {
  fw::TCustomPanel::Loaded();
  savedCursor_ = Cursor();
}

void TCustomTeePanel::BoundsChanged() {
  fw::TCustomPanel::BoundsChanged();
  Invalidate();
}

void TCustomTeePanel::MouseLeave() {
  SetCursor(savedCursor_);
  panDrag_.Active = false;
  fw::TCustomPanel::MouseLeave();
}

void TCustomTeePanel::WindowDestroying() {
  // The window's surface goes with it.
  canvas_->SetCanvas(nullptr);
  fw::TCustomPanel::WindowDestroying();
}

void TCustomTeePanel::SetChart3DPercent(int value) {
  if (value < 1 || value > 100) throw ChartException(TTeeMessage::ChartPercent3D, {1, 100});
  if (value == chart3DPercent_) return;
  chart3DPercent_ = value;
  Invalidate();
}

namespace {

template <class T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void TCustomTeePanel::SetDepthPerSeries(bool value) {
  if (Store(depthPerSeries_, value)) Invalidate();
}
void TCustomTeePanel::SetMarginLeft(int value) {
  if (Store(marginLeft_, value)) Invalidate();
}
void TCustomTeePanel::SetMarginTop(int value) {
  if (Store(marginTop_, value)) Invalidate();
}
void TCustomTeePanel::SetMarginRight(int value) {
  if (Store(marginRight_, value)) Invalidate();
}
void TCustomTeePanel::SetMarginBottom(int value) {
  if (Store(marginBottom_, value)) Invalidate();
}
void TCustomTeePanel::SetView3D(bool value) {
  if (Store(view3D_, value)) Invalidate();
}

bool TCustomTeePanel::Monochrome() const {
  return canvas_->GetMonochrome();
}

void TCustomTeePanel::SetMonochrome(bool value) {
  if (value == Monochrome()) return;
  canvas_->SetMonochrome(value);
  Invalidate();
}

bool TCustomTeePanel::BufferedDisplay() const {
  return canvas_->GetBuffered();
}

void TCustomTeePanel::SetBufferedDisplay(bool value) {
  if (value == BufferedDisplay()) return;
  canvas_->SetBuffered(value);
  Invalidate();
}

// ---- TCustomTeePanelExtended -------------------------------------------------------------------

const fw::TClassInfo& TCustomTeePanelExtended::StaticClass() {
  using P = TCustomTeePanelExtended;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<P>("TCustomTeePanelExtended", TCustomTeePanel::StaticClass())
          .Property("AllowPanning", &P::AllowPanning, &P::SetAllowPanning)
          .Default(fw::TValue(std::int64_t{pmBoth}))
          .Property("AllowZoom", &P::AllowZoom, &P::SetAllowZoom)
          .Default(fw::TValue(true))
          .Property("AnimatedZoom", &P::AnimatedZoom, &P::SetAnimatedZoom)
          .Default(fw::TValue(false))
          .Property("AnimatedZoomSteps", &P::AnimatedZoomSteps, &P::SetAnimatedZoomSteps)
          .Default(fw::TValue(std::int64_t{8}))
          .Property("BackImageMode", &P::BackImageMode, &P::SetBackImageMode)
          .Default(fw::TValue(std::int64_t{pbmStretch}))
          .Property("Gradient", &P::Gradient, &P::SetGradient)
          .Event("OnAfterDraw", &P::OnAfterDraw)
          .Event("OnScroll", &P::OnScroll)
          .Event("OnUndoZoom", &P::OnUndoZoom)
          .Event("OnZoom", &P::OnZoom)
          .Build();
  return info;
}

TCustomTeePanelExtended::TCustomTeePanelExtended(fw::TComponent* owner)
    : TCustomTeePanel(owner),
      gradient_(std::make_unique<TChartGradient>([this] { Invalidate(); })) {}

TCustomTeePanelExtended::~TCustomTeePanelExtended() = default;

void TCustomTeePanelExtended::Assign(const fw::TPersistent* source) {
  if (const auto* p = dynamic_cast<const TCustomTeePanelExtended*>(source)) {
    SetBackImage(p->backImage_);
    SetBackImageMode(p->backImageMode_);
    gradient_->Assign(p->gradient_.get());
    allowPanning_ = p->allowPanning_;
    allowZoom_ = p->allowZoom_;
    animatedZoom_ = p->animatedZoom_;
    animatedZoomSteps_ = p->animatedZoomSteps_;
  }
  TCustomTeePanel::Assign(source);
}

void TCustomTeePanelExtended::UndoZoom() {
  if (OnUndoZoom) OnUndoZoom(this);
  Invalidate();
  isZoomed_ = false;
}

void TCustomTeePanelExtended::SetBackImage(std::shared_ptr<const fw::TGraphic> image) {
  if (image == backImage_) return;
  backImage_ = std::move(image);
  Invalidate();
}

void TCustomTeePanelExtended::SetBackImageMode(TTeeBackImageMode value) {
  if (value == backImageMode_) return;
  backImageMode_ = value;
  Invalidate();
}

void TCustomTeePanelExtended::PaintBackground(const fw::TRect& rect) {
  FillBackground(rect);
  DrawBackImage(rect);
  if (!Canvas()->ReservedQuery1()) DrawBevels(rect);
}

void TCustomTeePanelExtended::FillBackground(const fw::TRect& rect) {
  TCanvas3D* c = Canvas();
  if (gradient_->Visible()) {
    const TGradientDirection d = gradient_->Direction();
    // GradientFill exchanges the colours of the other directions itself, so StartColor always
    // ends up as the first colour.
    if (d == gdTopBottom || d == gdLeftRight)
      c->GradientFill(rect, gradient_->StartColor(), gradient_->EndColor(), d);
    else
      c->GradientFill(rect, gradient_->EndColor(), gradient_->StartColor(), d);
    return;
  }
  if (Printing() && !ChartSettings().PrintPanelBackground) return;
  c->Brush().SetColor(Color());
  c->Brush().SetStyle(fw::bsSolid);
  c->EraseBackground(rect);
}

void TCustomTeePanelExtended::DrawBackImage(const fw::TRect& rect, int z) {
  if (!HasBackImage()) return;
  TCanvas3D* c = Canvas();
  const fw::TGraphic& image = *backImage_;
  fw::TRect r = rect;
  if (View3D()) {
    const fw::TPoint topLeft = c->Calculate3DPosition(r.Left, r.Top, z);
    const fw::TPoint bottomRight = c->Calculate3DPosition(r.Right, r.Bottom, z);
    r = fw::Rect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
  }
  switch (backImageMode_) {
    case pbmStretch:
      c->StretchDraw(r, image);
      break;
    case pbmTile: {
      const int w = image.Width();
      const int h = image.Height();
      c->ClipRectangle(r);
      for (int y = r.Top; y < r.Bottom; y += h)
        for (int x = r.Left; x < r.Right; x += w) c->Draw(x, y, image);
      c->UnClipRectangle();
      break;
    }
    case pbmCenter:
      c->Draw(r.Left + FloorHalf(r.Width() - image.Width()),
              r.Top + FloorHalf(r.Height() - image.Height()), image);
      break;
  }
}

}  // namespace tee
