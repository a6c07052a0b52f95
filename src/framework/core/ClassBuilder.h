// Building a class description: how a class lists its published properties.
//
// Used in the class's .cpp file, once, inside its StaticClass():
//
//   const fw::TClassInfo& TChartValueList::StaticClass() {
//     static const fw::TClassInfo& info =
//         fw::TClassBuilder<TChartValueList>("TChartValueList", fw::TPersistent::StaticClass())
//             .Property("DateTime", &TChartValueList::DateTime, &TChartValueList::SetDateTime)
//             .Property("Name", &TChartValueList::Name, &TChartValueList::SetName)
//             .Property("Multiplier", &TChartValueList::Multiplier,
//             &TChartValueList::SetMultiplier) .Property("Order", &TChartValueList::Order,
//             &TChartValueList::SetOrder) .Build();
//     return info;
//   }
//
// The kind is deduced from the getter's result: bool, any integer, any floating type, std::string,
// TStringList, an enumeration with FW_ENUM_NAMES, or a pointer to a TObject descendant (a nested
// object). Colours, sets and component references are declared with `Color`, `SetOf` and
// `Reference`; events with `Event` (a TEvent data member). After a property, `Default`, `Stored`,
// `StoredWhen` and `Custom` refine it. Getters may be member functions, data members or lambdas
// taking `const C&`; setters member functions or lambdas taking `(C&, T)`.
//
// `Field` publishes a form's field (a pointer member naming one of its components).
// `Method` publishes a method that event properties can be bound to by name; `Creatable` lets a
// TComponent descendant be created by name (it needs a constructor taking the owner).
// `Build` hands the description to the class registry, which keeps it for the whole process, and
// returns it; the class can then be found (and, when creatable, created) by name.
#pragma once

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>

#include "framework/core/ClassInfo.h"
#include "framework/core/Color.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"

// Names the values of an enumeration (0, 1, 2, ...) for the property mechanism. Use it in the
// enumeration's namespace, right after its declaration:
//   enum TChartListOrder : std::uint8_t { loNone, loAscending, loDescending };
//   FW_ENUM_NAMES(TChartListOrder, "loNone", "loAscending", "loDescending")
#define FW_ENUM_NAMES(E, ...)                             \
  inline const ::fw::TEnumInfo& FwEnumInfo(E) {           \
    static const ::fw::TEnumInfo info{#E, {__VA_ARGS__}}; \
    return info;                                          \
  }

namespace fw {

template <class E>
const TEnumInfo& EnumInfoOf() {
  return FwEnumInfo(E{});
}

namespace detail {

template <class T>
struct IsStringList : std::false_type {};
template <>
struct IsStringList<TStringList> : std::true_type {};

template <class T>
using Bare = std::remove_cvref_t<T>;

template <class T>
constexpr TPropKind DeduceKind() {
  if constexpr (std::is_same_v<T, bool>)
    return TPropKind::Bool;
  else if constexpr (std::is_enum_v<T>)
    return TPropKind::Enum;
  else if constexpr (std::is_integral_v<T>)
    return TPropKind::Int;
  else if constexpr (std::is_floating_point_v<T>)
    return TPropKind::Double;
  else if constexpr (std::is_same_v<T, std::string>)
    return TPropKind::String;
  else if constexpr (IsStringList<T>::value)
    return TPropKind::StringList;
  else if constexpr (std::is_pointer_v<T>)
    return TPropKind::Object;
  else
    static_assert(sizeof(T) == 0, "unsupported published property type");
}

template <class T>
TValue ToValue(const T& v) {
  if constexpr (std::is_same_v<T, bool>)
    return TValue(v);
  else if constexpr (std::is_enum_v<T>)
    return TValue(static_cast<std::int64_t>(v));
  else if constexpr (std::is_integral_v<T>)
    return TValue(static_cast<std::int64_t>(v));
  else if constexpr (std::is_floating_point_v<T>)
    return TValue(static_cast<double>(v));
  else if constexpr (std::is_same_v<T, std::string>)
    return TValue(v);
  else if constexpr (IsStringList<T>::value)
    return TValue(v);
  else if constexpr (std::is_pointer_v<T>)
    return TValue(
        static_cast<TObject*>(const_cast<std::remove_const_t<std::remove_pointer_t<T>>*>(v)));
}

[[noreturn]] void ValueTypeError(const std::string& property, const char* expected);

// `value` is already in the kind's form (see TPropInfo::Set), so only ranges and classes are
// checked.
template <class T>
T FromValue(const TValue& value, const std::string& property) {
  if constexpr (std::is_same_v<T, bool>) {
    return std::get<bool>(value);
  } else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
    using U =
        std::conditional_t<std::is_enum_v<T>, std::underlying_type<T>, std::type_identity<T>>::type;
    const std::int64_t v = std::get<std::int64_t>(value);
    if constexpr (sizeof(U) < sizeof(std::int64_t) || std::is_signed_v<U>) {
      // Colours and masks may arrive as their unsigned 32-bit pattern.
      const bool fits = (v >= static_cast<std::int64_t>(std::numeric_limits<U>::min()) &&
                         v <= static_cast<std::int64_t>(std::numeric_limits<U>::max())) ||
                        (std::is_signed_v<U> && sizeof(U) == 4 && v > 0 && v <= 0xFFFFFFFFLL);
      if (!fits) ValueTypeError(property, "a value in range");
    }
    return static_cast<T>(static_cast<U>(v));
  } else if constexpr (std::is_floating_point_v<T>) {
    return static_cast<T>(std::get<double>(value));
  } else if constexpr (std::is_same_v<T, std::string> || IsStringList<T>::value) {
    return std::get<T>(value);
  } else if constexpr (std::is_pointer_v<T>) {
    TObject* obj = std::get<TObject*>(value);
    if (!obj) return nullptr;
    auto* typed = dynamic_cast<T>(obj);
    if (!typed) ValueTypeError(property, "an object of the property's class");
    return typed;
  }
}

template <class T>
const TClassInfo* ObjectClassOf() {
  if constexpr (std::is_pointer_v<T>) {
    using P = std::remove_const_t<std::remove_pointer_t<T>>;
    if constexpr (requires { P::StaticClass(); }) return &P::StaticClass();
  }
  return nullptr;
}

template <class T>
constexpr auto ObjectClassFnOf() -> const TClassInfo* (*)() {
  if constexpr (std::is_pointer_v<T>)
    return &ObjectClassOf<T>;
  else
    return nullptr;
}

template <class M>
struct MethodTraits;
template <class C, class R, class... A>
struct MethodTraits<R (C::*)(A...)> {
  using Class = C;
  using Function = std::function<R(A...)>;
  template <class M>
  static Function Bind(C* self, M method) {
    return [self, method](A... args) -> R { return (self->*method)(std::forward<A>(args)...); };
  }
};

}  // namespace detail

template <class C>
class TClassBuilder {
 public:
  TClassBuilder(std::string name, const TClassInfo& parent) : info_(std::move(name), &parent) {}

  template <class G, class S>
  TClassBuilder& Property(std::string name, G getter, S setter) {
    using T = detail::Bare<std::invoke_result_t<G, const C&>>;
    return Add<T>(std::move(name), detail::DeduceKind<T>(), getter, setter);
  }

  template <class G>
  TClassBuilder& ReadOnly(std::string name, G getter) {
    using T = detail::Bare<std::invoke_result_t<G, const C&>>;
    return Add<T>(std::move(name), detail::DeduceKind<T>(), getter, nullptr);
  }

  template <class G, class S>
  TClassBuilder& Color(std::string name, G getter, S setter) {
    using T = detail::Bare<std::invoke_result_t<G, const C&>>;
    static_assert(std::is_integral_v<T>, "a colour property reads a TColor");
    return Add<T>(std::move(name), TPropKind::Color, getter, setter);
  }

  // A set of E, read and written as an integer mask (bit n = element n).
  template <class E, class G, class S>
  TClassBuilder& SetOf(std::string name, G getter, S setter) {
    using T = detail::Bare<std::invoke_result_t<G, const C&>>;
    static_assert(std::is_integral_v<T>, "a set property reads an integer mask");
    Add<T>(std::move(name), TPropKind::Set, getter, setter);
    info_.LastProperty().Enum = &EnumInfoOf<E>();
    return *this;
  }

  // A reference to another component (not owned); stored by its name.
  template <class G, class S>
  TClassBuilder& Reference(std::string name, G getter, S setter) {
    using T = detail::Bare<std::invoke_result_t<G, const C&>>;
    static_assert(std::is_pointer_v<T>, "a reference property reads a pointer");
    return Add<T>(std::move(name), TPropKind::Reference, getter, setter);
  }

  // `member` may be declared by C or by a base class of C (a control publishing its base's
  // OnClick).
  template <class Sig, class B>
  TClassBuilder& Event(std::string name, TEvent<Sig> B::*member) {
    static_assert(std::is_base_of_v<B, C>, "the event must be a member of the class or of a base");
    using Function = typename TEvent<Sig>::Function;
    auto prop = std::make_unique<TPropInfo>();
    prop->Name = name;
    prop->Kind = TPropKind::Event;
    prop->Getter = [member](const TObject& obj) -> TValue {
      const auto& ev = static_cast<const C&>(obj).*member;
      if (!ev) return TValue(TMethod{});
      return TValue(TMethod{ev.MethodName(), std::any(ev.Handler())});
    };
    prop->Setter = [member](TObject& obj, const TValue& value) {
      auto& ev = static_cast<C&>(obj).*member;
      const TMethod& m = std::get<TMethod>(value);
      if (!m.Assigned())
        ev.Reset();
      else
        ev.Bind(m.Name, std::any_cast<const Function&>(m.Code));
    };
    prop->AcceptsHandler = [](const std::any& code) { return code.type() == typeid(Function); };
    info_.AddProperty(std::move(prop));
    return *this;
  }

  // A published field of a form: a pointer data member that the window description reader sets to
  // the component of the same name (never stored; a missing or mistyped component is an error).
  template <class T, class B>
  TClassBuilder& Field(std::string name, T* B::*member) {
    static_assert(std::is_base_of_v<B, C>, "the field must be a member of the class or of a base");
    Reference(
        std::move(name), [member](const C& obj) { return obj.*member; },
        [member](C& obj, T* value) { obj.*member = value; });
    info_.LastProperty().StoredFlag = false;
    info_.LastProperty().Field = true;
    return *this;
  }

  template <class M>
  TClassBuilder& Method(std::string name, M method) {
    using Traits = detail::MethodTraits<M>;
    info_.AddMethod(TMethodInfo{name, [name, method](TObject& obj) {
                                  auto* self =
                                      static_cast<typename Traits::Class*>(static_cast<C*>(&obj));
                                  return TMethod{name, std::any(Traits::Bind(self, method))};
                                }});
    return *this;
  }

  // Refinements of the property added last.
  TClassBuilder& Default(TValue value) {
    info_.LastProperty().Default = std::move(value);
    return *this;
  }
  TClassBuilder& Stored(bool stored) {
    info_.LastProperty().StoredFlag = stored;
    return *this;
  }
  template <class P>
  TClassBuilder& StoredWhen(P predicate) {
    info_.LastProperty().StoredWhen = [predicate](const TObject& obj) {
      return static_cast<bool>(std::invoke(predicate, static_cast<const C&>(obj)));
    };
    return *this;
  }
  TClassBuilder& Custom() {
    info_.LastProperty().Custom = true;
    return *this;
  }

  TClassBuilder& Creatable() {
    info_.SetFactory([](TComponent* owner) -> TComponent* { return new C(owner); });
    return *this;
  }

  const TClassInfo& Build() { return AdoptClass(std::move(info_)); }

 private:
  template <class T, class G, class S>
  TClassBuilder& Add(std::string name, TPropKind kind, G getter, S setter) {
    auto prop = std::make_unique<TPropInfo>();
    prop->Name = name;
    prop->Kind = kind;
    if constexpr (std::is_enum_v<T>) prop->Enum = &EnumInfoOf<T>();
    prop->ObjectClassFn = detail::ObjectClassFnOf<T>();
    prop->Getter = [getter](const TObject& obj) -> TValue {
      return detail::ToValue<T>(std::invoke(getter, static_cast<const C&>(obj)));
    };
    if constexpr (!std::is_null_pointer_v<S>) {
      prop->Setter = [setter, name](TObject& obj, const TValue& value) {
        std::invoke(setter, static_cast<C&>(obj), detail::FromValue<T>(value, name));
      };
    }
    info_.AddProperty(std::move(prop));
    return *this;
  }

  TClassInfo info_;
};

}  // namespace fw
