// TComponent: a named object with an owner.
//
// A component created with an owner is owned by it: the owner keeps it in its component list and
// destroys it when the owner itself is destroyed (the last created first). Destroying a component
// directly (`delete`) takes it out of its owner's list. So a window owns its controls and series,
// and `delete window` releases them all.
//
// Notifications: when a component joins or leaves an owner, the owner and, through it, every
// component it owns receive `Notification(component, opInsert / opRemove)`; a component that
// refers to another one outside its owner asks for `FreeNotification` and is told (opRemove) when
// that one is destroyed. A component being destroyed only compares the pointer it is handed: it
// must not call into it.
//
// Names: `Name` is empty or an identifier ("SeriesOsc"), unique (case-insensitively) among the
// components of the same owner. A wrong name raises EComponentError and the old name stays.
//
// Loading: the reader of a window description calls `BeginLoading` on each component it creates,
// sets its properties, and when the whole window is read calls `Loaded` on each, in creation
// order. `Loaded` ends the loading state; classes override it to finish what depends on other
// components (a series resolves its data-source names there).
//
// Published: Name, Tag.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Persistent.h"

namespace fw {

enum TComponentStateFlag : std::uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csUpdating
};
enum TOperation : std::uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
  FW_CLASS

 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  std::int64_t Tag() const { return tag_; }
  void SetTag(std::int64_t tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises the list error for an index outside 0..ComponentCount()-1.
  TComponent* Components(int index) const;
  // Position in the owner's list, -1 without owner.
  int ComponentIndex() const;
  // An owned component by name (case-insensitive), or nullptr.
  TComponent* FindComponent(const std::string& name) const;

  // Takes a component over from its current owner (if any).
  void InsertComponent(TComponent* component);
  // Gives up ownership of the component; it then has no owner.
  void RemoveComponent(TComponent* component);

  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  bool InState(TComponentStateFlag flag) const { return (state_ & Bit(flag)) != 0; }
  bool Loading() const { return InState(csLoading); }
  bool IsDestroying() const { return InState(csDestroying); }
  bool Designing() const { return InState(csDesigning); }

  // Marks this component and everything it owns as being destroyed. Destructors of derived
  // classes call it first so that their parts stop reacting to changes.
  void Destroying();
  void BeginLoading() { state_ |= Bit(csLoading); }
  void SetDesigning(bool designing);

  virtual void Loaded();
  virtual void Notification(TComponent* component, TOperation operation);

 protected:
  // Refuses a name already taken by another component of this owner.
  virtual void ValidateRename(TComponent* component, const std::string& current,
                              const std::string& name) const;

 private:
  static std::uint8_t Bit(TComponentStateFlag f) { return static_cast<std::uint8_t>(1u << f); }
  void DestroyComponents();

  TComponent* owner_ = nullptr;
  std::string name_;
  std::int64_t tag_ = 0;
  std::uint8_t state_ = 0;
  std::vector<TComponent*> components_;    // owned; released by DestroyComponents
  std::vector<TComponent*> freeNotifies_;  // two-way: each side lists the other
};

// True when the text is a valid component name (a letter or '_' followed by letters, digits, '_').
bool IsValidIdent(const std::string& text);

}  // namespace fw
