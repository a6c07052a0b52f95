// TControl: a component with a place on the screen.
//
// A control has a position and size in pixels relative to its parent's client area (`Left`, `Top`,
// `Width`, `Height`), a parent (a TWinControl, which lists it and shows it inside its own window),
// a window text (`Caption`, or `Text` for edit-like controls), a background `Color`, a `Font`
// (which follows the parent's font while `ParentFont` is true; setting any font property makes it
// the control's own), `Visible`, `Enabled`, `Align` and a mouse `Cursor`. The owner (who destroys
// the control) and the parent (where it is shown) are separate relations, as in any window
// description: a form owns every control, the group box is merely the parent of its check box.
//
// This layer is free of the window system. The windows themselves are made by TWinControl through
// a peer (ControlPeer.h); a control without a window keeps its state and shows it once it has one.
//
// Mouse input reaches the control through the Handle* entry points (called by the window peer, in
// client coordinates, always behind the event boundary of ErrorReport.h). They run the virtual
// MouseDown / MouseMove / MouseUp / DoMouseWheel / MouseLeave, which fire the OnMouse* events and
// which a custom-drawn control overrides (calling the inherited one first) to add its own
// behaviour. A left press and release inside the client area is a click (`Click`, `OnClick`); the
// second press of a double click carries ssDouble and fires `DblClick` first.
//
// Published: Left, Top, Width, Height, Align (alNone), Cursor (0), Enabled (true), Visible (true),
// Parent (a reference, not stored: a description nests controls instead). Caption, Color, Font,
// ParentFont and the events are published by the concrete classes that have them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/core/Font.h"
#include "framework/core/Geometry.h"
#include "framework/core/Input.h"
#include "framework/core/Value.h"

namespace fw {

class TWinControl;

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
FW_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient")

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
FW_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

// Window borders. Forms use all six; panels and other controls only bsNone and bsSingle.
enum TFormBorderStyle : std::uint8_t {
  bsNone,
  bsSingle,
  bsSizeable,
  bsDialog,
  bsToolWindow,
  bsSizeToolWin
};
FW_ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
              "bsSizeToolWin")
using TBorderStyle = TFormBorderStyle;

// Mouse cursors, numbered as the platform's cursor list (0 is the control's default).
using TCursor = std::int16_t;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

using TMouseEvent =
    TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = TEvent<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                     TPoint MousePos, bool& Handled)>;

class TControl : public TComponent {
  FW_CLASS

 public:
  explicit TControl(TComponent* owner);
  // Leaves its parent.
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  // Moves the control into another parent's client area (or out of any with null). A control
  // cannot be its own parent or the parent of one of its parents.
  virtual void SetParent(TWinControl* parent);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  // Negative sizes are taken as 0.
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return TRect{left_, top_, left_ + width_, top_ + height_}; }

  // The area inside the control's border, in its own coordinates: children are placed and the
  // control paints relative to its top-left corner.
  virtual TRect ClientRect() const { return TRect{0, 0, width_, height_}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  // Sizes the control so that its client area gets the given size.
  void SetClientSize(int width, int height);
  void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
  void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  // The window text: a caption for buttons, boxes and forms, the edit text for a combo box.
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& value) { SetText(value); }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);

  TColor Color() const { return color_; }
  void SetColor(TColor value);

  TFont* Font() const { return font_.get(); }
  // Copies the font's settings (the control keeps its own font object).
  void SetFont(TFont* value);
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;

  // Fires OnClick (OnDblClick). Controls call it when the operator clicked them, and setters that
  // stand for a click (a check box's Checked) call it too.
  virtual void Click();
  virtual void DblClick();

  // Mouse input from the control's window, in client coordinates.
  void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void HandleMouseMove(TShiftState shift, int x, int y);
  void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // `delta` in the platform's units (120 per notch; positive away from the operator). Answers
  // whether the control used the wheel.
  bool HandleMouseWheel(TShiftState shift, int delta, TPoint pos);
  void HandleMouseLeave();

  // Repainting: Invalidate asks for a paint with the next paint message (requests collapse into
  // one paint), Update paints what is invalid now, Repaint does both. Nothing happens without a
  // window.
  virtual void Invalidate();
  virtual void Update();
  void Repaint();

  void Loaded() override;

 protected:
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // Fires OnMouseWheel; when that leaves it unhandled, DoMouseWheelDown or DoMouseWheelUp.
  virtual bool DoMouseWheel(TShiftState shift, int delta, TPoint pos);
  virtual bool DoMouseWheelDown(TShiftState shift, TPoint pos);
  virtual bool DoMouseWheelUp(TShiftState shift, TPoint pos);
  virtual void MouseLeave() {}

  // Change hooks: the state is already stored. TWinControl passes them on to its window.
  virtual void BoundsChanged();
  virtual void TextChanged() {}
  virtual void FontChanged();
  virtual void ColorChanged() {}
  virtual void VisibleChanged();
  virtual void EnabledChanged() {}
  virtual void CursorChanged() {}
  virtual void ParentChanged() {}

 private:
  friend class TWinControl;
  void OnFontObjectChanged();
  // Takes the parent's font over while ParentFont is true.
  void AdoptParentFont();
  void RequestParentRealign();

  TWinControl* parent_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  TColor color_ = clBtnFace;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool adoptingFont_ = false;
  TCursor cursor_ = crDefault;
  bool clicking_ = false;
};

}  // namespace fw
