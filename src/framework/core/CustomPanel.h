// TCustomPanel: a plain area with bevels, a border and a centred caption; the base of panels and
// of the chart.
//
// Painted inside the client area, from the outside in: the outer bevel (`BevelOuter`,
// `BevelWidth` pixels: raised is light on the top and left and dark on the bottom and right,
// lowered the other way round), `BorderWidth` pixels in `Color`, the inner bevel (`BevelInner`),
// then the rest filled with `Color` and the caption written in the font, vertically centred and
// placed by `Alignment`. Aligned children use what lies inside the bevels and border.
//
// `BorderStyle` bsSingle puts a window edge around the client area (outside the bevels): the
// sunken two-pixel client edge with `Ctl3D`, a one-pixel frame without. A panel has no other
// border styles.
//
// Published: Alignment (taCenter), BevelInner (bvNone), BevelOuter (bvRaised), BevelWidth (1),
// BorderWidth (0), BorderStyle (bsNone), Caption, Color (clBtnFace), Ctl3D (true), Font,
// ParentFont (true), OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp.
#pragma once

#include <cstdint>

#include "framework/core/CustomControl.h"

namespace fw {

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
FW_ENUM_NAMES(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")

class TCustomPanel : public TCustomControl {
  FW_CLASS

 public:
  explicit TCustomPanel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  // Raises EPropertyError for a width below 1.
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);
  // Raises EPropertyError for a negative width.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  // Raises EPropertyError for a style other than bsNone and bsSingle.
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);

  TWindowEdge WindowEdge() const override;
  void AdjustClientRect(TRect& rect) const override;
  bool EraseBackground() const override { return false; }

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  // The client area, bevels or client size changed.
  void FrameChanged();

  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  bool ctl3D_ = true;
};

}  // namespace fw
