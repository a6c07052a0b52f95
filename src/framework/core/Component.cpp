#include "framework/core/Component.h"

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"

namespace fw {

const TClassInfo& TComponent::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TComponent>("TComponent", TPersistent::StaticClass())
          .Property("Name", &TComponent::Name, &TComponent::SetName)
          .Stored(false)
          .Property("Tag", &TComponent::Tag, &TComponent::SetTag)
          .Default(TValue(std::int64_t{0}))
          .Creatable()
          .Build();
  return info;
}

bool IsValidIdent(const std::string& text) {
  if (text.empty()) return false;
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!alpha(text[0])) return false;
  return std::all_of(text.begin() + 1, text.end(),
                     [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& back = other->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::Destroying() {
  if (IsDestroying()) return;
  state_ |= Bit(csDestroying);
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::SetDesigning(bool designing) {
  if (designing)
    state_ |= Bit(csDesigning);
  else
    state_ &= static_cast<std::uint8_t>(~Bit(csDesigning));
  for (TComponent* c : components_) c->SetDesigning(designing);
}

TComponent* TComponent::Components(int index) const {
  CheckListIndex(index, ComponentCount());
  return components_[static_cast<std::size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (!component->name_.empty()) ValidateRename(component, std::string(), component->name_);
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, opRemove);
  components_.erase(std::remove(components_.begin(), components_.end(), component),
                    components_.end());
  component->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                      freeNotifies_.end());
  auto& back = component->freeNotifies_;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // From the last down, re-checking the size: a component may leave the list while it hears of
  // another one.
  for (std::size_t i = components_.size(); i-- > 0;)
    if (i < components_.size()) components_[i]->Notification(component, operation);
}

void TComponent::Loaded() {
  state_ &= static_cast<std::uint8_t>(~(Bit(csLoading) | Bit(csReading)));
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError(Format("'%s' is not a valid component name", {name}));
  if (owner_) owner_->ValidateRename(this, name_, name);
  name_ = name;
}

void TComponent::ValidateRename(TComponent* component, const std::string& current,
                                const std::string& name) const {
  if (!component || name.empty() || SameText(current, name)) return;
  if (TComponent* other = FindComponent(name); other && other != component)
    throw EComponentError(Format("A component named %s already exists", {name}));
}

}  // namespace fw
