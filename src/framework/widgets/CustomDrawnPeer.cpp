#include "framework/widgets/CustomDrawnPeer.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "framework/core/CustomControl.h"
#include "framework/core/ErrorReport.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/QtGraphics.h"

namespace fw {
namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift;
  if (modifiers & Qt::ShiftModifier) shift.Include(ssShift);
  if (modifiers & Qt::AltModifier) shift.Include(ssAlt);
  if (modifiers & Qt::ControlModifier) shift.Include(ssCtrl);
  if (buttons & Qt::LeftButton) shift.Include(ssLeft);
  if (buttons & Qt::RightButton) shift.Include(ssRight);
  if (buttons & Qt::MiddleButton) shift.Include(ssMiddle);
  return shift;
}

bool ButtonOf(Qt::MouseButton qt, TMouseButton& button) {
  switch (qt) {
    case Qt::LeftButton:
      button = mbLeft;
      return true;
    case Qt::RightButton:
      button = mbRight;
      return true;
    case Qt::MiddleButton:
      button = mbMiddle;
      return true;
    default:
      return false;
  }
}

// The frame: paints the window edge around the surface.
class TFrameWidget : public QWidget {
 public:
  explicit TFrameWidget(TWinControl& control) : control_(control) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    const TWindowEdge edge = control_.WindowEdge();
    if (edge == TWindowEdge::None) return;
    QPainter p(this);
    const int w = width();
    const int h = height();
    auto frame = [&](int inset, TColor topLeft, TColor bottomRight) {
      const int r = w - 1 - inset;
      const int b = h - 1 - inset;
      p.setPen(ToQColor(topLeft));
      p.drawLine(inset, inset, r - 1, inset);
      p.drawLine(inset, inset, inset, b - 1);
      p.setPen(ToQColor(bottomRight));
      p.drawLine(r, inset, r, b);
      p.drawLine(inset, b, r, b);
    };
    if (edge == TWindowEdge::Single) {
      frame(0, clWindowFrame, clWindowFrame);
    } else {
      frame(0, clBtnShadow, clBtnHighlight);
      frame(1, cl3DDkShadow, cl3DLight);
    }
  }

 private:
  TWinControl& control_;
};

}  // namespace

// The client surface: paints the control through its bitmap and passes the mouse on.
class TSurfaceWidget : public QWidget {
 public:
  TSurfaceWidget(TWinControl& control, QWidget* parent)
      : QWidget(parent), control_(control), bitmap_(1, 1) {
    setMouseTracking(true);
    // The whole surface is painted from the bitmap: Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Drawing on the control's canvas outside a paint (a rubber band) shows at once, as on a
    // window's own surface.
    bitmap_.Canvas().OnChange = [this](TCanvas&) {
      if (painting_) {
        ++changes_;
      } else {
        updatePending_ = true;
        update();
      }
    };
  }

  TCanvas& Canvas() { return bitmap_.Canvas(); }

  // Whether a paint of the surface as it is (after drawing outside a paint) was asked of the
  // window system and has not come yet.
  bool PaintPending() const { return updatePending_; }

  // The control asked for a paint: the next paint message of the surface lets it paint again. A
  // request while one is pending adds nothing, so it costs no call into the window system: a
  // profile of 440 points makes 441 requests and one paint.
  void Invalidate() {
    invalid_ = true;
    if (requestPending_) return;
    requestPending_ = true;
    QCoreApplication::postEvent(this, new QEvent(kPaintRequest), Qt::LowEventPriority);
  }

  // The paint message: an invalidated control paints the surface now, and the window system is
  // asked to show what changed (at once). A hidden surface keeps the request for the paint that
  // showing it brings.
  void PaintNow() {
    if (!invalid_ || !isVisible()) return;
    const QRegion changed = PaintControl();
    shownRows_ = 0;
    for (const QRect& r : changed) shownRows_ += r.height();
    if (!changed.isEmpty()) repaint(changed);
  }

  int ShownRows() const { return shownRows_; }

 protected:
  bool event(QEvent* e) override {
    if (e->type() != kPaintRequest) return QWidget::event(e);
    requestPending_ = false;
    PaintNow();
    return true;
  }

  void hideEvent(QHideEvent*) override { updatePending_ = false; }

  void resizeEvent(QResizeEvent*) override {
    bitmap_.SetSize(std::max(1, width()), std::max(1, height()));
    invalid_ = true;
  }

  // Shows the surface; a control still invalidated paints it first (the window shown again).
  void paintEvent(QPaintEvent*) override {
    updatePending_ = false;
    if (invalid_) PaintControl();
    // The bitmap's own pixels unless they must be shown monochrome: a copy of an image that its
    // canvas holds a painter on would be a deep one, every paint.
    QPainter p(this);
    if (bitmap_.Monochrome())
      p.drawImage(0, 0, bitmap_.ToImage());
    else
      p.drawImage(0, 0, bitmap_.Image());
  }

  void mousePressEvent(QMouseEvent* e) override { Press(e, TShiftState{}); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { Press(e, TShiftState{ssDouble}); }

  void mouseMoveEvent(QMouseEvent* e) override {
    const QPoint p = e->position().toPoint();
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    InvokeHandler([&] { control_.HandleMouseMove(shift, p.x(), p.y()); });
  }

  void mouseReleaseEvent(QMouseEvent* e) override {
    TMouseButton button;
    if (!ButtonOf(e->button(), button)) return;
    const QPoint p = e->position().toPoint();
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    InvokeHandler([&] { control_.HandleMouseUp(button, shift, p.x(), p.y()); });
  }

  // One wheel step per 120 units of angle: a touchpad's or a fine wheel's small deltas add up to
  // steps instead of each counting as one. Turning the other way drops what had added up.
  void wheelEvent(QWheelEvent* e) override {
    const int delta = e->angleDelta().y();
    if ((wheelRest_ > 0 && delta < 0) || (wheelRest_ < 0 && delta > 0)) wheelRest_ = 0;
    wheelRest_ += delta;
    const QPoint p = e->position().toPoint();
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    bool handled = false;
    while (wheelRest_ >= kWheelStep || wheelRest_ <= -kWheelStep) {
      const int step = wheelRest_ > 0 ? kWheelStep : -kWheelStep;
      wheelRest_ -= step;
      InvokeHandler([&] {
        if (control_.HandleMouseWheel(shift, step, TPoint{p.x(), p.y()})) handled = true;
      });
    }
    e->setAccepted(handled);
  }

  void leaveEvent(QEvent*) override {
    InvokeHandler([&] { control_.HandleMouseLeave(); });
  }

 private:
  static constexpr QEvent::Type kPaintRequest = QEvent::Type(QEvent::User + 770);

  // Lets the control paint the surface. Answers what of the surface may differ from what the
  // window shows: when the one drawing of the paint was the copy of a whole picture of the
  // surface's size (a buffered chart showing its buffer), the bands of rows that copy changed;
  // else the whole surface.
  QRegion PaintControl() {
    invalid_ = false;
    painting_ = true;
    changes_ = 0;
    bitmap_.ForgetCopyNote();
    TCustomControl* custom = CustomControl();
    InvokeHandler([&] {
      TCanvas& canvas = bitmap_.Canvas();
      if (!custom || custom->EraseBackground()) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(control_.Color());
        canvas.FillRect(TRect{0, 0, width(), height()});
      }
      if (custom) custom->PaintWindow(canvas);
    });
    painting_ = false;
    std::vector<TRowBand> bands;
    if (changes_ != 1 || !bitmap_.NoteOfLastCopy(bands)) return QRegion(rect());
    QRegion changed;
    for (const TRowBand& b : bands) changed += QRect(0, b.First, width(), b.Last - b.First);
    return changed;
  }

  // The control as a self-painting one (null for any other), looked up once: its class does not
  // change while it has a window.
  TCustomControl* CustomControl() {
    if (!customKnown_) {
      custom_ = dynamic_cast<TCustomControl*>(&control_);
      customKnown_ = true;
    }
    return custom_;
  }

  void Press(QMouseEvent* e, TShiftState extra) {
    TMouseButton button;
    if (!ButtonOf(e->button(), button)) return;
    const QPoint p = e->position().toPoint();
    TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    if (extra.Contains(ssDouble)) shift.Include(ssDouble);
    InvokeHandler([&] { control_.HandleMouseDown(button, shift, p.x(), p.y()); });
  }

  static constexpr int kWheelStep = 120;

  TWinControl& control_;
  TCustomControl* custom_ = nullptr;
  bool customKnown_ = false;
  TBitmap bitmap_;
  bool invalid_ = true;
  bool painting_ = false;
  int changes_ = 0;              // drawings on the surface during the control's paint
  bool requestPending_ = false;  // a paint request posted and not yet delivered
  int shownRows_ = 0;            // rows the last paint message asked to be shown anew
  bool updatePending_ = false;   // update() asked for since the last paint
  int wheelRest_ = 0;            // angle delta not yet a whole step
};

TCustomDrawnPeer::TCustomDrawnPeer(TWinControl& control)
    : TWidgetPeer(control, new TFrameWidget(control)) {
  surface_ = new TSurfaceWidget(control, Widget());
  Widget()->setFocusProxy(surface_);
  surface_->show();
}

TCustomDrawnPeer::~TCustomDrawnPeer() = default;

int TCustomDrawnPeer::ShownRows() const {
  return surface_ ? surface_->ShownRows() : 0;
}

QWidget* TCustomDrawnPeer::ClientWidget() const {
  return surface_;
}

TCanvas* TCustomDrawnPeer::Canvas() {
  return surface_ ? &surface_->Canvas() : nullptr;
}

void TCustomDrawnPeer::Invalidate() {
  if (surface_) surface_->Invalidate();
}

void TCustomDrawnPeer::Update() {
  if (!surface_) return;
  // What the next paint message would paint, now; the request left in the event loop then finds
  // nothing to do.
  surface_->PaintNow();
  if (surface_->PaintPending()) surface_->repaint();
}

void TCustomDrawnPeer::SetFocus() {
  if (surface_) surface_->setFocus(Qt::OtherFocusReason);
}

bool TCustomDrawnPeer::Focused() const {
  return surface_ && surface_->hasFocus();
}

void TCustomDrawnPeer::ApplyBounds() {
  TWidgetPeer::ApplyBounds();
  ApplyEdge();
}

void TCustomDrawnPeer::ApplyEdge() {
  if (!surface_) return;
  const int e = EdgeWidth(Control().WindowEdge());
  const TRect client = Control().ClientRect();
  surface_->setGeometry(e, e, client.Width(), client.Height());
  Widget()->update();
}

void TCustomDrawnPeer::ApplyCursor() {
  if (!surface_) return;
  if (Control().Cursor() == crDefault)
    surface_->unsetCursor();
  else
    surface_->setCursor(ToQtCursor(Control().Cursor()));
}

void TCustomDrawnPeer::ApplyTabStop() {
  if (surface_)
    surface_->setFocusPolicy(Control().TabStop() ? Qt::StrongFocus : FocusWithoutTabStop());
}

TPeerFactory InstallCustomDrawnPeers() {
  return SetDefaultPeerFactory(
      [](TWinControl& control) { return MakePeer<TCustomDrawnPeer>(control); });
}

}  // namespace fw
