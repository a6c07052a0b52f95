// Published properties: the description of a class and of each property it publishes.
//
// Every class derived from TObject may publish properties. Its `TClassInfo` keeps them in the
// order the class declares them, after the inherited ones (a property published again by a
// derived class, e.g. with another default, keeps its inherited position). Each `TPropInfo` knows
// its name, kind, default value, whether and when it is stored, and how to get and set it on an
// object through a `TValue`. Nested objects (a series' `XValues`, a chart's `BottomAxis`) are
// properties of kind Object, so a dotted path such as "BottomAxis.Minimum" reaches their
// properties (see Properties.h for reading and writing by name, path and text).
//
// The class registry maps class names to descriptions; a registered description of a TComponent
// descendant can create an instance by name with an owner:
//
//   fw::RegisterClass(tee::TPointSeries::StaticClass());
//   fw::TComponent* s = fw::CreateComponent("TPointSeries", form);   // owned by form
//   fw::SetPropText(*s, "XValues.Order", "loAscending");
//   fw::SetPropValue(*s, "SeriesColor", fw::TValue(std::int64_t{fw::clRed}));
//
// Storing rules: a property is stored when its stored flag is set, its stored-when predicate (if
// any) answers true, and, when it declares a default, its value differs from that default. A
// property without a declared default is always stored. "Custom" properties are the values a
// class writes besides its published ones ("DataSources", "Identifier", "Style" of a series): a
// writer puts them after the published properties.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/Value.h"

namespace fw {

class TObject;
class TComponent;
class TClassInfo;

enum class TPropKind {
  Bool,
  Int,
  Double,
  String,
  StringList,
  Enum,       // ordinal in the TValue, value names in the TEnumInfo
  Set,        // bit mask in the TValue (bit n = element n), element names in the TEnumInfo
  Color,      // TColor in the TValue's integer; text "clRed" or "$00BBGGRR"
  Object,     // owned sub-object; its properties are reached by path; setting it assigns
  Reference,  // another component (not owned); stored by its name
  Event,      // a TMethod with a std::function of the event's signature
};

const char* PropKindName(TPropKind kind);

// Names of an enumeration's values, indexed by ordinal ("loNone", "loAscending", ...).
struct TEnumInfo {
  std::string TypeName;
  std::vector<std::string> Names;

  // Ordinal of a value name (case-insensitive), or -1.
  int IndexOf(const std::string& name) const;
  // Name of an ordinal, or the ordinal as decimal text when out of range.
  std::string NameOf(long long ordinal) const;
};

class TPropInfo {
 public:
  std::string Name;
  TPropKind Kind = TPropKind::Int;
  const TEnumInfo* Enum = nullptr;  // Enum and Set kinds
  // Object and Reference kinds: the declared class (looked up on use, so that a class may refer to
  // itself).
  const TClassInfo* (*ObjectClassFn)() = nullptr;
  std::optional<TValue> Default;  // declared default, if any
  bool StoredFlag = true;         // false: never stored (e.g. a series' ParentChart)
  std::function<bool(const TObject&)> StoredWhen;  // optional stored-when predicate
  bool Custom = false;  // a custom stored value, written after the published ones
  bool Field = false;   // a form's published field (Reference kind): the window
                        // description reader sets it to the component of its name
  std::function<TValue(const TObject&)> Getter;
  std::function<void(TObject&, const TValue&)> Setter;  // receives a value of the kind's form
  std::function<bool(const std::any&)> AcceptsHandler;  // Event kind: checks a TMethod's code type

  const TClassInfo* ObjectClass() const { return ObjectClassFn ? ObjectClassFn() : nullptr; }
  bool ReadOnly() const { return !Setter; }
  TValue Get(const TObject& obj) const { return Getter(obj); }
  // Converts the value to the kind's form (a text is parsed as by SetPropText) and sets it.
  // Raises EPropertyError when the value does not fit the property.
  void Set(TObject& obj, const TValue& value, TComponent* lookupRoot = nullptr) const;
  bool IsDefault(const TObject& obj) const;
  bool IsStored(const TObject& obj) const;
};

// A published method: something an event property can be bound to by name.
struct TMethodInfo {
  std::string Name;
  std::function<TMethod(TObject&)> Bind;  // a TMethod whose code calls the method on that object
};

class TClassInfo {
 public:
  using Factory = std::function<TComponent*(TComponent* owner)>;

  TClassInfo(std::string name, const TClassInfo* parent);
  TClassInfo(TClassInfo&&) = default;
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const;

  // Every published property, inherited ones first, in declaration order.
  const std::vector<const TPropInfo*>& Properties() const { return all_; }
  // Looks a property up by name, case-insensitively; nullptr when the class has none by that name.
  const TPropInfo* FindProperty(const std::string& name) const;

  // Looks a published method up by name in this class and its ancestors.
  const TMethodInfo* FindMethod(const std::string& name) const;

  bool CanCreate() const { return static_cast<bool>(factory_); }
  // Creates an instance owned by `owner` (which releases it). With a null owner the caller owns it.
  TComponent* Create(TComponent* owner) const;

  // Used by TClassBuilder.
  void AddProperty(std::unique_ptr<TPropInfo> prop);
  TPropInfo& LastProperty() { return *own_.back(); }
  void AddMethod(TMethodInfo method) { methods_.push_back(std::move(method)); }
  void SetFactory(Factory factory) { factory_ = std::move(factory); }

 private:
  std::string name_;
  const TClassInfo* parent_;
  std::vector<std::unique_ptr<TPropInfo>> own_;
  std::vector<const TPropInfo*> all_;
  std::vector<TMethodInfo> methods_;
  Factory factory_;
};

// The class registry (names compared case-insensitively). TClassBuilder::Build enters every class
// description; the first description under a name keeps it. A class is known by name once its
// StaticClass() has run: call RegisterClass(T::StaticClass()) (or just T::StaticClass()) at start
// for classes that are only ever created by name, since nothing else may have touched them yet.
const TClassInfo& AdoptClass(TClassInfo&& cls);
void RegisterClass(const TClassInfo& cls);
const TClassInfo* FindClass(const std::string& name);
// As FindClass, but raises EClassNotFound "Class %s not found".
const TClassInfo& GetClass(const std::string& name);
// Creates a registered component class by name; see TClassInfo::Create for ownership. Raises
// EClassNotFound for an unknown name and EPropertyError for a class that cannot be created by name.
TComponent* CreateComponent(const std::string& className, TComponent* owner);

}  // namespace fw
