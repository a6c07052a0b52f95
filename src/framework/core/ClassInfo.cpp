#include "framework/core/ClassInfo.h"

#include <deque>
#include <map>

#include "framework/core/Component.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"

namespace fw {

const char* PropKindName(TPropKind kind) {
  switch (kind) {
    case TPropKind::Bool:
      return "boolean";
    case TPropKind::Int:
      return "integer";
    case TPropKind::Double:
      return "number";
    case TPropKind::String:
      return "text";
    case TPropKind::StringList:
      return "string list";
    case TPropKind::Enum:
      return "enumeration";
    case TPropKind::Set:
      return "set";
    case TPropKind::Color:
      return "colour";
    case TPropKind::Object:
      return "object";
    case TPropKind::Reference:
      return "component reference";
    case TPropKind::Event:
      return "event";
  }
  return "value";
}

int TEnumInfo::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], name)) return static_cast<int>(i);
  return -1;
}

std::string TEnumInfo::NameOf(long long ordinal) const {
  if (ordinal >= 0 && ordinal < static_cast<long long>(Names.size()))
    return Names[static_cast<std::size_t>(ordinal)];
  return IntToStr(ordinal);
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent)
    : name_(std::move(name)), parent_(parent) {
  if (parent_) all_ = parent_->all_;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    if (c == &other) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
  for (const TPropInfo* p : all_)
    if (SameText(p->Name, name)) return p;
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->parent_)
    for (const TMethodInfo& m : c->methods_)
      if (SameText(m.Name, name)) return &m;
  return nullptr;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
  if (!factory_) throw EPropertyError(Format("Class %s cannot be created by name", {name_}));
  return factory_(owner);
}

void TClassInfo::AddProperty(std::unique_ptr<TPropInfo> prop) {
  const TPropInfo* raw = prop.get();
  own_.push_back(std::move(prop));
  // A property published again replaces the inherited one in its place.
  for (const TPropInfo*& p : all_) {
    if (SameText(p->Name, raw->Name)) {
      p = raw;
      return;
    }
  }
  all_.push_back(raw);
}

namespace {

struct Registry {
  std::deque<std::unique_ptr<TClassInfo>> owned;
  std::map<std::string, const TClassInfo*> byName;  // keyed by upper-case name
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

const TClassInfo& AdoptClass(TClassInfo&& cls) {
  auto& reg = TheRegistry();
  reg.owned.push_back(std::make_unique<TClassInfo>(std::move(cls)));
  const TClassInfo& kept = *reg.owned.back();
  RegisterClass(kept);
  return kept;
}

void RegisterClass(const TClassInfo& cls) {
  TheRegistry().byName.emplace(UpperCase(cls.Name()), &cls);
}

const TClassInfo* FindClass(const std::string& name) {
  auto& map = TheRegistry().byName;
  auto it = map.find(UpperCase(name));
  return it == map.end() ? nullptr : it->second;
}

const TClassInfo& GetClass(const std::string& name) {
  if (const TClassInfo* cls = FindClass(name)) return *cls;
  throw EClassNotFound(Format("Class %s not found", {name}));
}

TComponent* CreateComponent(const std::string& className, TComponent* owner) {
  return GetClass(className).Create(owner);
}

}  // namespace fw
