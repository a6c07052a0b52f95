#include "framework/core/CustomPanel.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Frame3D.h"

namespace fw {

const TClassInfo& TCustomPanel::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TCustomPanel>("TCustomPanel", TCustomControl::StaticClass())
          .Property("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment)
          .Default(TValue(std::int64_t{taCenter}))
          .Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
          .Default(TValue(std::int64_t{bvNone}))
          .Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
          .Default(TValue(std::int64_t{bvRaised}))
          .Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
          .Default(TValue(std::int64_t{1}))
          .Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth)
          .Default(TValue(std::int64_t{0}))
          .Property("BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle)
          .Default(TValue(std::int64_t{bsNone}))
          .Property("Caption", &TControl::Caption, &TControl::SetCaption)
          .Color("Color", &TControl::Color, &TControl::SetColor)
          .Default(TValue(std::int64_t{clBtnFace}))
          .Property("Ctl3D", &TCustomPanel::Ctl3D, &TCustomPanel::SetCtl3D)
          .Default(TValue(true))
          .Property("Font", &TControl::Font, &TControl::SetFont)
          .StoredWhen([](const TCustomPanel& p) { return !p.ParentFont(); })
          .Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Default(TValue(true))
          .Event("OnClick", &TControl::OnClick)
          .Event("OnDblClick", &TControl::OnDblClick)
          .Event("OnMouseDown", &TControl::OnMouseDown)
          .Event("OnMouseMove", &TControl::OnMouseMove)
          .Event("OnMouseUp", &TControl::OnMouseUp)
          .Build();
  return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  FrameChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  FrameChanged();
}

void TCustomPanel::SetBevelWidth(int value) {
  if (value < 1) throw EPropertyError(Format("BevelWidth must be 1 or more, not %d", {value}));
  if (value == bevelWidth_) return;
  bevelWidth_ = value;
  FrameChanged();
}

void TCustomPanel::SetBorderWidth(int value) {
  if (value < 0) throw EPropertyError(Format("BorderWidth must be 0 or more, not %d", {value}));
  if (value == borderWidth_) return;
  borderWidth_ = value;
  FrameChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value) {
  if (value != bsNone && value != bsSingle)
    throw EPropertyError("A panel's BorderStyle is bsNone or bsSingle");
  if (value == borderStyle_) return;
  borderStyle_ = value;
  PeerChanged(TPeerChange::Edge);
  FrameChanged();
}

void TCustomPanel::SetCtl3D(bool value) {
  if (value == ctl3D_) return;
  ctl3D_ = value;
  if (borderStyle_ == bsSingle) PeerChanged(TPeerChange::Edge);
  FrameChanged();
}

void TCustomPanel::FrameChanged() {
  AlignControls();
  Invalidate();
}

TWindowEdge TCustomPanel::WindowEdge() const {
  if (borderStyle_ != bsSingle) return TWindowEdge::None;
  return ctl3D_ ? TWindowEdge::Sunken : TWindowEdge::Single;
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
  int inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  InflateRect(rect, -inset, -inset);
}

namespace {

void BevelColors(TBevelCut bevel, TColor& top, TColor& bottom) {
  top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

void TCustomPanel::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  TColor top = clBtnHighlight;
  TColor bottom = clBtnShadow;
  if (bevelOuter_ != bvNone) {
    BevelColors(bevelOuter_, top, bottom);
    Frame3D(canvas, r, top, bottom, bevelWidth_);
  }
  Frame3D(canvas, r, Color(), Color(), borderWidth_);
  if (bevelInner_ != bvNone) {
    BevelColors(bevelInner_, top, bottom);
    Frame3D(canvas, r, top, bottom, bevelWidth_);
  }
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  if (Caption().empty()) return;
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(bsClear);
  const TSize extent = canvas.TextExtent(Caption());
  int x = r.Left;
  if (alignment_ == taCenter)
    x = (r.Left + r.Right - extent.cx) / 2;
  else if (alignment_ == taRightJustify)
    x = r.Right - extent.cx;
  const unsigned oldAlign = canvas.TextAlign();
  canvas.SetTextAlign(TA_LEFT | TA_TOP);
  canvas.TextOut(x, (r.Top + r.Bottom - extent.cy) / 2, Caption());
  canvas.SetTextAlign(oldAlign);
}

}  // namespace fw
