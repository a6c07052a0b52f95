#include "framework/widgets/WidgetPeer.h"

#include <QPalette>

#include "framework/gui/QtGraphics.h"

namespace fw {

TWidgetPeer::TWidgetPeer(TWinControl& control, QWidget* widget)
    : control_(control), guard_(std::make_unique<QObject>()), widget_(widget) {}

TWidgetPeer::~TWidgetPeer() {
  guard_.reset();
  delete widget_.data();
}

TWidgetPeer* TWidgetPeer::Of(const TWinControl& control) {
  return dynamic_cast<TWidgetPeer*>(control.Peer());
}

void TWidgetPeer::Attach() {
  if (TWinControl* parent = control_.Parent())
    if (TWidgetPeer* parentPeer = Of(*parent)) widget_->setParent(parentPeer->ClientWidget());
  ApplyEdge();
  ApplyBounds();
  ApplyText();
  ApplyFont();
  ApplyColor();
  ApplyEnabled();
  ApplyCursor();
  ApplyTabStop();
  ApplyVisible();
}

void TWidgetPeer::Changed(TPeerChange change) {
  if (!widget_) return;
  switch (change) {
    case TPeerChange::Bounds:
      ApplyBounds();
      break;
    case TPeerChange::Text:
      ApplyText();
      break;
    case TPeerChange::Font:
      ApplyFont();
      break;
    case TPeerChange::Color:
      ApplyColor();
      break;
    case TPeerChange::Visible:
      ApplyVisible();
      break;
    case TPeerChange::Enabled:
      ApplyEnabled();
      break;
    case TPeerChange::Cursor:
      ApplyCursor();
      break;
    case TPeerChange::TabOrder:
      ApplyTabOrder();
      break;
    case TPeerChange::TabStop:
      ApplyTabStop();
      break;
    case TPeerChange::Edge:
      ApplyEdge();
      break;
  }
}

void TWidgetPeer::Invalidate() {
  if (widget_) widget_->update();
}

void TWidgetPeer::Update() {
  if (widget_) widget_->repaint();
}

void TWidgetPeer::SetFocus() {
  if (widget_) widget_->setFocus(Qt::OtherFocusReason);
}

bool TWidgetPeer::Focused() const {
  return widget_ && widget_->hasFocus();
}

void TWidgetPeer::ApplyBounds() {
  widget_->setGeometry(control_.Left(), control_.Top(), control_.Width(), control_.Height());
}

void TWidgetPeer::ApplyFont() {
  const TFont& font = *control_.Font();
  widget_->setFont(ToQFont(font));
  QPalette palette = widget_->palette();
  const QColor color = ToQColor(font.Color());
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::ButtonText, color);
  palette.setColor(QPalette::Text, color);
  widget_->setPalette(palette);
}

void TWidgetPeer::ApplyColor() {
  QPalette palette = widget_->palette();
  const QColor color = ToQColor(control_.Color());
  palette.setColor(QPalette::Window, color);
  palette.setColor(QPalette::Button, color);
  widget_->setPalette(palette);
}

void TWidgetPeer::ApplyVisible() {
  widget_->setVisible(control_.Visible());
}

void TWidgetPeer::ApplyEnabled() {
  widget_->setEnabled(control_.Enabled());
}

void TWidgetPeer::ApplyCursor() {
  if (control_.Cursor() == crDefault)
    widget_->unsetCursor();
  else
    widget_->setCursor(ToQtCursor(control_.Cursor()));
}

void TWidgetPeer::ApplyTabStop() {
  widget_->setFocusPolicy(control_.TabStop() ? Qt::StrongFocus : FocusWithoutTabStop());
}

void TWidgetPeer::ApplyTabOrder() {
  QWidget* previous = nullptr;
  for (TWinControl* child : control_.TabList()) {
    TWidgetPeer* peer = Of(*child);
    if (!peer || !peer->widget_) continue;
    if (previous) QWidget::setTabOrder(previous, peer->widget_);
    previous = peer->widget_;
  }
}

Qt::CursorShape ToQtCursor(TCursor cursor) {
  switch (cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait:
      return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag:
      return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo:
      return Qt::ForbiddenCursor;
    case crHSplit:
      return Qt::SplitHCursor;
    case crVSplit:
      return Qt::SplitVCursor;
    case crAppStart:
      return Qt::BusyCursor;
    case crHelp:
      return Qt::WhatsThisCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:
      return Qt::ArrowCursor;
  }
}

}  // namespace fw
