// TWidgetPeer: the window of a control, made of a Qt widget.
//
// The peer owns its widget and puts it into the client widget of the parent control's peer (a
// form's widget has no parent: it is a top-level window). It keeps the widget in step with the
// control: geometry (relative to the parent's client area), text, font (the framework font mapped
// to an installed face), colour, visibility, enabled state, cursor, tab stop and the tab chain of
// the children. Concrete controls derive their peers from it and add what only they have (a check
// box's state, a combo box's items).
//
// Signals of the widget are connected with `Guard()` as context; the guard goes first when the
// peer is destroyed, so no signal of a dying widget reaches a control any more. Whatever a signal
// handler does in the control runs behind the event boundary (`InvokeHandler`).
//
// Life cycle: a control's CreatePeer makes the peer with `MakePeer<P>(control, ...)`, which
// constructs it and then runs `Attach` (parenting and the first full synchronisation, which call
// virtual functions and so cannot run in the constructor).
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "framework/core/ControlPeer.h"
#include "framework/core/WinControl.h"

namespace fw {

class TWidgetPeer : public TControlPeer {
 public:
  // Takes ownership of `widget`.
  TWidgetPeer(TWinControl& control, QWidget* widget);
  ~TWidgetPeer() override;

  TWinControl& Control() const { return control_; }
  QWidget* Widget() const { return widget_; }
  // Where the widgets of child controls go.
  virtual QWidget* ClientWidget() const { return widget_; }
  // Context object of the widget's signal connections.
  QObject* Guard() const { return guard_.get(); }

  // Parents the widget and brings it up to the control's state.
  void Attach();

  void Changed(TPeerChange change) override;
  void Invalidate() override;
  void Update() override;
  void SetFocus() override;
  bool Focused() const override;

  // The peer of a control, when it is a widget peer.
  static TWidgetPeer* Of(const TWinControl& control);

 protected:
  virtual void ApplyBounds();
  virtual void ApplyText() {}
  virtual void ApplyFont();
  virtual void ApplyColor();
  virtual void ApplyVisible();
  virtual void ApplyEnabled();
  virtual void ApplyCursor();
  virtual void ApplyTabStop();
  virtual void ApplyTabOrder();
  virtual void ApplyEdge() {}
  // The focus policy of a control that is not a tab stop (a button can still take focus by click).
  virtual Qt::FocusPolicy FocusWithoutTabStop() const { return Qt::NoFocus; }

 private:
  TWinControl& control_;
  std::unique_ptr<QObject> guard_;
  QPointer<QWidget> widget_;
};

template <class P, class... A>
std::unique_ptr<TControlPeer> MakePeer(A&&... args) {
  auto peer = std::make_unique<P>(std::forward<A>(args)...);
  peer->Attach();
  return peer;
}

// The Qt mouse cursor for a framework cursor.
Qt::CursorShape ToQtCursor(TCursor cursor);

}  // namespace fw
