// TStaticText: a line of text in a window of its own, optionally framed.
//
// The caption is shown as plain text (no markup), placed by `Alignment` and at the top; it is
// not sized to its text (the bounds stay as given). `BorderStyle` frames it: sbsNone, sbsSingle
// (a one-pixel line) or sbsSunken (a sunken edge). The window is a QLabel.
//
// Published: Alignment (taLeftJustify), BorderStyle (sbsNone), Caption, Color (clBtnFace), Font,
// ParentFont (true), OnClick.
#pragma once

#include <cstdint>

#include "framework/core/WinControl.h"

namespace fw {

enum TStaticBorderStyle : std::uint8_t { sbsNone, sbsSingle, sbsSunken };
FW_ENUM_NAMES(TStaticBorderStyle, "sbsNone", "sbsSingle", "sbsSunken")

class TStaticText : public TWinControl {
  FW_CLASS

 public:
  explicit TStaticText(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TStaticBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TStaticBorderStyle value);

 protected:
  std::unique_ptr<TControlPeer> CreatePeer() override;

 private:
  TAlignment alignment_ = taLeftJustify;
  TStaticBorderStyle borderStyle_ = sbsNone;
};

}  // namespace fw
