#include "framework/core/WinControl.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/TemporaryChange.h"

namespace fw {

const TClassInfo& TWinControl::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TWinControl>("TWinControl", TControl::StaticClass())
          .Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
          .Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
          .Default(TValue(false))
          .Build();
  return info;
}

int EdgeWidth(TWindowEdge edge) {
  switch (edge) {
    case TWindowEdge::None:
      return 0;
    case TWindowEdge::Single:
      return 1;
    case TWindowEdge::Sunken:
      return 2;
  }
  return 0;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyWindowTree();
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  tabList_.clear();
}

TControl* TWinControl::Controls(int index) const {
  CheckListIndex(index, ControlCount());
  return controls_[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

int TWinControl::TabOrder() const {
  const TWinControl* parent = Parent();
  if (!parent) return pendingTabOrder_;
  const auto& list = parent->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  TWinControl* parent = Parent();
  if (!parent) {
    // Kept until the control joins a parent.
    pendingTabOrder_ = value;
    return;
  }
  auto& list = parent->tabList_;
  const int count = static_cast<int>(list.size());
  value = std::clamp(value, 0, count - 1);
  if (value == TabOrder()) return;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin() + value, this);
  parent->PeerChanged(TPeerChange::TabOrder);
}

void TWinControl::SetTabStop(bool value) {
  if (value == tabStop_) return;
  tabStop_ = value;
  PeerChanged(TPeerChange::TabStop);
}

TRect TWinControl::ClientRect() const {
  const int e = EdgeWidth(WindowEdge());
  return TRect{0, 0, std::max(0, Width() - 2 * e), std::max(0, Height() - 2 * e)};
}

void TWinControl::AdjustClientRect(TRect&) const {}

void TWinControl::AlignControls() {
  if (aligning_ || Loading() || IsDestroying()) return;
  const TTemporaryChange aligning(aligning_, true);
  TRect r = ClientRect();
  AdjustClientRect(r);
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : controls_) {
      if (c->Align() != align || !c->Visible()) continue;
      switch (align) {
        case alTop:
          c->SetBounds(r.Left, r.Top, r.Width(), c->Height());
          r.Top += c->Height();
          break;
        case alBottom:
          c->SetBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
          r.Bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(r.Left, r.Top, c->Width(), r.Height());
          r.Left += c->Width();
          break;
        case alRight:
          c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), r.Height());
          r.Right -= c->Width();
          break;
        case alClient:
          c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
          break;
        case alNone:
          break;
      }
    }
  }
}

void TWinControl::HandleNeeded() {
  if (peer_) return;
  if (TWinControl* parent = Parent(); parent && !parent->HandleAllocated()) {
    parent->HandleNeeded();  // creates the windows of its children, this one included
    if (peer_ || !parent->HandleAllocated()) return;
  }
  CreateWindowTree();
}

void TWinControl::DestroyHandle() {
  DestroyWindowTree();
}

void TWinControl::CreateWindowTree() {
  if (peer_ || IsDestroying()) return;
  peer_ = CreatePeer();
  if (!peer_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateWindowTree();
  PeerChanged(TPeerChange::TabOrder);
  WindowCreated();
}

void TWinControl::DestroyWindowTree() {
  // Children first: each window goes while the window it lives in still exists.
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyWindowTree();
  peer_.reset();
}

std::unique_ptr<TControlPeer> TWinControl::CreatePeer() {
  return CreateDefaultPeer(*this);
}

void TWinControl::PeerChanged(TPeerChange change) {
  if (peer_) peer_->Changed(change);
}

bool TWinControl::Focused() const {
  return peer_ && peer_->Focused();
}

void TWinControl::SetFocus() {
  HandleNeeded();
  if (peer_) peer_->SetFocus();
}

void TWinControl::Invalidate() {
  if (peer_) peer_->Invalidate();
}

void TWinControl::Update() {
  if (peer_) peer_->Update();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  AlignControls();
}

void TWinControl::BoundsChanged() {
  TControl::BoundsChanged();
  PeerChanged(TPeerChange::Bounds);
  AlignControls();
}

void TWinControl::TextChanged() {
  PeerChanged(TPeerChange::Text);
}

void TWinControl::FontChanged() {
  PeerChanged(TPeerChange::Font);
  for (TControl* c : controls_) c->AdoptParentFont();
  Invalidate();
}

void TWinControl::ColorChanged() {
  PeerChanged(TPeerChange::Color);
}

void TWinControl::VisibleChanged() {
  TControl::VisibleChanged();
  PeerChanged(TPeerChange::Visible);
}

void TWinControl::EnabledChanged() {
  PeerChanged(TPeerChange::Enabled);
}

void TWinControl::CursorChanged() {
  PeerChanged(TPeerChange::Cursor);
}

void TWinControl::ParentChanged() {
  // A window lives inside its parent's window: a new parent means a new window.
  DestroyWindowTree();
  if (TWinControl* parent = Parent(); parent && parent->HandleAllocated()) CreateWindowTree();
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    tabList_.push_back(w);
    if (w->pendingTabOrder_ >= 0) {
      const int wanted = w->pendingTabOrder_;
      w->pendingTabOrder_ = -1;
      w->SetTabOrder(wanted);
    }
    PeerChanged(TPeerChange::TabOrder);
  }
}

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
  control->parent_ = nullptr;
  PeerChanged(TPeerChange::TabOrder);
  if (control->Align() != alNone) AlignControls();
}

}  // namespace fw
