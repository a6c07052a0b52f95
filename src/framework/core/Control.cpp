#include "framework/core/Control.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/TemporaryChange.h"
#include "framework/core/WinControl.h"

namespace fw {

const TClassInfo& TControl::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TControl>("TControl", TComponent::StaticClass())
          .Property("Left", &TControl::Left, &TControl::SetLeft)
          .Property("Top", &TControl::Top, &TControl::SetTop)
          .Property("Width", &TControl::Width, &TControl::SetWidth)
          .Property("Height", &TControl::Height, &TControl::SetHeight)
          .Property("Align", &TControl::Align, &TControl::SetAlign)
          .Default(TValue(std::int64_t{alNone}))
          .Property("Cursor", &TControl::Cursor, &TControl::SetCursor)
          .Default(TValue(std::int64_t{crDefault}))
          .Property("Enabled", &TControl::Enabled, &TControl::SetEnabled)
          .Default(TValue(true))
          .Property("Visible", &TControl::Visible, &TControl::SetVisible)
          .Default(TValue(true))
          .Reference("Parent", &TControl::Parent, &TControl::SetParent)
          .Stored(false)
          .Build();
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this](TObject*) { OnFontObjectChanged(); };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent) {
    const auto* self = dynamic_cast<const TWinControl*>(this);
    if (static_cast<const TControl*>(parent) == this || (self && self->ContainsControl(parent)))
      throw EComponentError(Format("Control %s cannot be placed inside itself", {Name()}));
  }
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
  AdoptParentFont();
  ParentChanged();
  if (parent_) parent_->AlignControls();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
}

void TControl::SetClientSize(int width, int height) {
  SetBounds(left_, top_, width + (width_ - ClientWidth()), height + (height_ - ClientHeight()));
}

void TControl::SetAlign(TAlign value) {
  if (value == align_) return;
  align_ = value;
  if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  VisibleChanged();
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  EnabledChanged();
}

void TControl::SetText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  TextChanged();
}

void TControl::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  ColorChanged();
  Invalidate();
}

void TControl::SetFont(TFont* value) {
  if (value && value != font_.get()) font_->Assign(value);
}

void TControl::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  AdoptParentFont();
}

void TControl::SetCursor(TCursor value) {
  if (value == cursor_) return;
  cursor_ = value;
  CursorChanged();
}

void TControl::OnFontObjectChanged() {
  // A change that did not come from the parent makes the font the control's own.
  if (!adoptingFont_) parentFont_ = false;
  FontChanged();
}

void TControl::AdoptParentFont() {
  if (!parentFont_ || !parent_) return;
  const TTemporaryChange adopting(adoptingFont_, true);
  font_->Assign(parent_->Font());
}

void TControl::RequestParentRealign() {
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::BoundsChanged() {
  RequestParentRealign();
}

void TControl::FontChanged() {
  Invalidate();
}

void TControl::VisibleChanged() {
  if (parent_) parent_->AlignControls();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    if (shift.Contains(ssDouble))
      DblClick();
    else
      clicking_ = true;
  }
  MouseDown(button, shift, x, y);
}

void TControl::HandleMouseMove(TShiftState shift, int x, int y) {
  MouseMove(shift, x, y);
}

void TControl::HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  // The click comes before the release handling, and only when the button is let go over the
  // control: pressing and sliding off is the operator's way of taking a click back.
  if (button == mbLeft && clicking_) {
    clicking_ = false;
    if (PtInRect(ClientRect(), TPoint{x, y})) Click();
  }
  MouseUp(button, shift, x, y);
}

bool TControl::HandleMouseWheel(TShiftState shift, int delta, TPoint pos) {
  return DoMouseWheel(shift, delta, pos);
}

void TControl::HandleMouseLeave() {
  MouseLeave();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int delta, TPoint pos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, delta, pos, handled);
  if (handled || delta == 0) return handled;
  return delta < 0 ? DoMouseWheelDown(shift, pos) : DoMouseWheelUp(shift, pos);
}

bool TControl::DoMouseWheelDown(TShiftState, TPoint) {
  return false;
}

bool TControl::DoMouseWheelUp(TShiftState, TPoint) {
  return false;
}

void TControl::Invalidate() {}

void TControl::Update() {}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Loaded() {
  TComponent::Loaded();
  RequestParentRealign();
}

}  // namespace fw
