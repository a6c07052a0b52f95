// TForm: a top-level window of the application.
//
// A form is a windowed control without parent; its window is a top-level Qt widget whose client
// area is the form's client area. For a form, Left and Top place the client area on the screen and
// Width and Height are the client size (the same as ClientWidth and ClientHeight): the window
// system draws its title bar and frame outside.
//
// Window: `Caption` is the title, `BorderStyle` the frame (bsSizeable by default; bsSingle,
// bsDialog, bsToolWindow and bsNone give a window of fixed size), `BorderIcons` the title-bar
// buttons (the system menu carries the close button), `Position` where it appears when shown
// (poScreenCenter and poDesktopCenter centre it on the screen, poMainFormCenter and
// poOwnerFormCenter on the main form or else the screen; the others keep Left and Top), `Icon`
// its window icon as "data:image/png;base64,..." or a Qt resource path (":/...").
// `PixelsPerInch` and `TextHeight` record the resolution the form was laid out at; forms are not
// rescaled.
//
// Life: a form made from a window description is created with `CreateForm<T>(owner, text)`:
// the form class is constructed, the description read into it (components, properties, event
// bindings, published fields), and then `DoCreate` runs OnCreate. A form starts hidden (unless its
// description sets Visible); `Show` creates its window and shows it. `Close` (also the title bar's
// close button) runs OnClose with the close action caHide: a handler may change it to caNone (the
// form stays), caMinimize or caFree (the form is hidden and `Release`d: deleted once the current
// event has been handled, never under the feet of the handler that closed it). Closing the
// application's main form ends the application's message loop.
//
// Every event reaching a form or its controls from the window system runs behind the event
// boundary (ErrorReport.h).
//
// Published: Caption, ClientWidth, ClientHeight, Color (clBtnFace), Font, BorderStyle
// (bsSizeable), BorderIcons ([biSystemMenu,biMinimize,biMaximize]), Position (poDesigned),
// PixelsPerInch (96), TextHeight, Icon, Visible (false), OnCreate, OnClose, OnShow.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "framework/core/WinControl.h"
#include "framework/widgets/WindowDescription.h"

namespace fw {

enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
FW_ENUM_NAMES(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")

enum TPosition : std::uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
FW_ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
              "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")

enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
FW_ENUM_NAMES(TCloseAction, "caNone", "caHide", "caFree", "caMinimize")

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TWinControl {
  FW_CLASS

 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  // A set of TBorderIcon as a bit mask (bit n = element n).
  int BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(int value);
  bool HasBorderIcon(TBorderIcon icon) const { return (borderIcons_ & (1 << icon)) != 0; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition value);
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value);
  int TextHeight() const { return textHeight_; }
  void SetTextHeight(int value) { textHeight_ = value; }
  // Raises EPropertyError when the text names no image that can be read.
  const std::string& Icon() const { return icon_; }
  void SetIcon(const std::string& value);
  // Whether the form's window has fixed size (every border style but the sizeable ones).
  bool FixedSize() const;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TCloseEvent OnClose;

  // Runs OnCreate behind the event boundary; CreateForm calls it once the description is read.
  void DoCreate();
  void Show();
  void Hide() { SetVisible(false); }
  // Runs OnClose and acts on the close action; answers whether the form closed.
  bool Close();
  // Deletes the form once the event being handled is done (at once without a message loop).
  void Release();

 protected:
  std::unique_ptr<TControlPeer> CreatePeer() override;

 private:
  friend class TFormPeer;
  void PlaceOnScreen();
  void WindowStyleChanged();

  TFormBorderStyle borderStyle_ = bsSizeable;
  int borderIcons_ = (1 << biSystemMenu) | (1 << biMinimize) | (1 << biMaximize);
  TPosition position_ = poDesigned;
  int pixelsPerInch_ = 96;
  int textHeight_ = 13;
  std::string icon_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Creates a form of class T (constructed with `owner`, which then owns it; without owner the caller
// does), reads the window description into it and runs OnCreate. A description that does not fit
// raises EReadError and no form is left behind.
template <class T>
T* CreateForm(TComponent* owner, std::string_view description) {
  static_assert(std::is_base_of_v<TForm, T>, "CreateForm makes forms");
  std::unique_ptr<T> form(new T(owner));
  ReadWindowDescription(*form, description);
  form->DoCreate();
  if (form->Visible()) form->Show();
  return form.release();
}

}  // namespace fw
