#include "framework/core/Properties.h"

#include <cmath>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"

namespace fw {

namespace detail {
void ValueTypeError(const std::string& property, const char* expected) {
  throw EPropertyError(
      Format("Invalid value for property %s: %s expected", {property, std::string(expected)}));
}
}  // namespace detail

namespace {

std::string TypeLabel(const TPropInfo& prop) {
  if (prop.Enum) return prop.Enum->TypeName;
  if (const TClassInfo* cls = prop.ObjectClass()) return cls->Name();
  return PropKindName(prop.Kind);
}

[[noreturn]] void InvalidText(const TPropInfo& prop, const std::string& text) {
  throw EPropertyError(
      Format("Invalid value '%s' for property %s (%s)", {text, prop.Name, TypeLabel(prop)}));
}

[[noreturn]] void InvalidValue(const TPropInfo& prop) {
  throw EPropertyError(
      Format("Invalid value for property %s: %s expected", {prop.Name, TypeLabel(prop)}));
}

TComponent* DefaultRoot(TObject& object) {
  auto* comp = dynamic_cast<TComponent*>(&object);
  if (!comp) return nullptr;
  while (comp->Owner()) comp = comp->Owner();
  return comp;
}

TStringList SplitLines(const std::string& text) {
  TStringList lines;
  if (text.empty()) return lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  // A final line break ends the last line rather than starting an empty one.
  if (!line.empty() || (text.back() != '\n' && text.back() != '\r')) lines.push_back(line);
  return lines;
}

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

// Brings a value to the form the property's setter takes, or refuses it.
TValue Coerce(const TPropInfo& prop, const TValue& value, TObject& object, TComponent* root) {
  if (const auto* text = std::get_if<std::string>(&value); text && prop.Kind != TPropKind::String)
    return TextToValue(prop, *text, root ? root : DefaultRoot(object));
  switch (prop.Kind) {
    case TPropKind::Bool:
      if (std::holds_alternative<bool>(value)) return value;
      if (const auto* i = std::get_if<std::int64_t>(&value); i && (*i == 0 || *i == 1))
        return TValue(*i == 1);
      break;
    case TPropKind::Int:
    case TPropKind::Color:
    case TPropKind::Enum:
    case TPropKind::Set: {
      std::int64_t v = 0;
      if (const auto* i = std::get_if<std::int64_t>(&value))
        v = *i;
      else if (const auto* d = std::get_if<double>(&value);
               d && std::isfinite(*d) && *d == std::trunc(*d) && std::fabs(*d) < 9.0e18)
        v = static_cast<std::int64_t>(*d);
      else
        break;
      if (prop.Kind == TPropKind::Enum &&
          (v < 0 || v >= static_cast<std::int64_t>(prop.Enum->Names.size())))
        break;
      if (prop.Kind == TPropKind::Set &&
          (v < 0 || (prop.Enum->Names.size() < 63 && (v >> prop.Enum->Names.size()) != 0)))
        break;
      return TValue(v);
    }
    case TPropKind::Double:
      if (std::holds_alternative<double>(value)) return value;
      if (const auto* i = std::get_if<std::int64_t>(&value)) return TValue(static_cast<double>(*i));
      break;
    case TPropKind::String:
      if (std::holds_alternative<std::string>(value)) return value;
      break;
    case TPropKind::StringList:
      if (std::holds_alternative<TStringList>(value)) return value;
      break;
    case TPropKind::Object:
    case TPropKind::Reference:
      if (std::holds_alternative<std::monostate>(value))
        return TValue(static_cast<TObject*>(nullptr));
      if (const auto* o = std::get_if<TObject*>(&value)) {
        if (*o && prop.ObjectClass() && !(*o)->InheritsFrom(*prop.ObjectClass())) break;
        return value;
      }
      break;
    case TPropKind::Event:
      if (std::holds_alternative<std::monostate>(value)) return TValue(TMethod{});
      if (const auto* m = std::get_if<TMethod>(&value)) {
        if (m->Assigned() && !prop.AcceptsHandler(m->Code))
          throw EPropertyError(
              Format("Method %s does not match the event %s", {m->Name, prop.Name}));
        return value;
      }
      break;
  }
  InvalidValue(prop);
}

}  // namespace

void TPropInfo::Set(TObject& obj, const TValue& value, TComponent* lookupRoot) const {
  if (ReadOnly()) throw EPropertyError(Format("Property %s is read-only", {Name}));
  Setter(obj, Coerce(*this, value, obj, lookupRoot));
}

bool TPropInfo::IsDefault(const TObject& obj) const {
  return Default && SameValue(Get(obj), *Default);
}

bool TPropInfo::IsStored(const TObject& obj) const {
  if (!StoredFlag) return false;
  if (StoredWhen && !StoredWhen(obj)) return false;
  return !IsDefault(obj);
}

bool SameValue(const TValue& a, const TValue& b) {
  if (a.index() != b.index()) return false;
  if (const auto* ma = std::get_if<TMethod>(&a)) {
    const auto& mb = std::get<TMethod>(b);
    return ma->Assigned() == mb.Assigned() && ma->Name == mb.Name;
  }
  return std::visit(
      [&](const auto& x) -> bool {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, TMethod>)
          return false;
        else
          return x == std::get<T>(b);
      },
      a);
}

const TPropInfo* FindPropInfo(const TObject& object, const std::string& name) {
  return object.ClassInfo().FindProperty(name);
}

TPropertyTarget ResolvePropertyPath(TObject& object, const std::string& path) {
  TObject* current = &object;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = path.find('.', start);
    const std::string name =
        path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    const TPropInfo* prop = current->ClassInfo().FindProperty(name);
    if (!prop)
      throw EPropertyError(
          Format("Property '%s' does not exist in %s", {name, current->ClassName()}));
    if (dot == std::string::npos) return {current, prop};
    if (prop->Kind != TPropKind::Object && prop->Kind != TPropKind::Reference)
      throw EPropertyError(Format("Property %s of %s has no properties of its own (in '%s')",
                                  {prop->Name, current->ClassName(), path}));
    TObject* next = std::get<TObject*>(prop->Get(*current));
    if (!next)
      throw EPropertyError(Format("Property %s of %s is not set (in '%s')",
                                  {prop->Name, current->ClassName(), path}));
    current = next;
    start = dot + 1;
  }
}

TValue GetPropValue(const TObject& object, const std::string& path) {
  auto target = ResolvePropertyPath(const_cast<TObject&>(object), path);
  return target.Prop->Get(*target.Instance);
}

void SetPropValue(TObject& object, const std::string& path, const TValue& value,
                  TComponent* lookupRoot) {
  auto target = ResolvePropertyPath(object, path);
  target.Prop->Set(*target.Instance, value, lookupRoot ? lookupRoot : DefaultRoot(object));
}

std::string GetPropText(const TObject& object, const std::string& path) {
  auto target = ResolvePropertyPath(const_cast<TObject&>(object), path);
  return ValueToText(*target.Prop, target.Prop->Get(*target.Instance));
}

void SetPropText(TObject& object, const std::string& path, const std::string& text,
                 TComponent* lookupRoot) {
  auto target = ResolvePropertyPath(object, path);
  TComponent* root = lookupRoot ? lookupRoot : DefaultRoot(object);
  if (target.Prop->ReadOnly())
    throw EPropertyError(Format("Property %s is read-only", {target.Prop->Name}));
  target.Prop->Set(*target.Instance, TextToValue(*target.Prop, text, root), root);
}

std::string ValueToText(const TPropInfo& prop, const TValue& value) {
  switch (prop.Kind) {
    case TPropKind::Bool:
      return std::get<bool>(value) ? "True" : "False";
    case TPropKind::Int:
      return IntToStr(std::get<std::int64_t>(value));
    case TPropKind::Double:
      return FloatToText(std::get<double>(value));
    case TPropKind::String:
      return std::get<std::string>(value);
    case TPropKind::StringList: {
      std::string out;
      const auto& lines = std::get<TStringList>(value);
      for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? "\n" : "") + lines[i];
      return out;
    }
    case TPropKind::Enum:
      return prop.Enum->NameOf(std::get<std::int64_t>(value));
    case TPropKind::Set: {
      const auto mask = std::get<std::int64_t>(value);
      std::string out = "[";
      for (std::size_t i = 0; i < prop.Enum->Names.size() && i < 63; ++i)
        if (mask & (std::int64_t{1} << i)) out += (out.size() > 1 ? "," : "") + prop.Enum->Names[i];
      return out + "]";
    }
    case TPropKind::Color:
      return ColorToString(static_cast<TColor>(std::get<std::int64_t>(value)));
    case TPropKind::Object:
    case TPropKind::Reference: {
      TObject* obj = std::get<TObject*>(value);
      if (!obj) return std::string();
      if (auto* comp = dynamic_cast<TComponent*>(obj)) return comp->Name();
      return obj->ClassName();
    }
    case TPropKind::Event:
      return std::get<TMethod>(value).Name;
  }
  return std::string();
}

TValue TextToValue(const TPropInfo& prop, const std::string& text, TComponent* lookupRoot) {
  switch (prop.Kind) {
    case TPropKind::Bool: {
      const std::string t = Trim(text);
      if (SameText(t, "True")) return TValue(true);
      if (SameText(t, "False")) return TValue(false);
      break;
    }
    case TPropKind::Int:
      if (auto v = TryStrToInt64(text)) return TValue(*v);
      break;
    case TPropKind::Double:
      if (auto v = TryTextToFloat(text)) return TValue(*v);
      break;
    case TPropKind::String:
      return TValue(text);
    case TPropKind::StringList:
      return TValue(SplitLines(text));
    case TPropKind::Enum: {
      const int i = prop.Enum->IndexOf(Trim(text));
      if (i >= 0) return TValue(std::int64_t{i});
      if (auto v = TryStrToInt64(text);
          v && *v >= 0 && *v < static_cast<std::int64_t>(prop.Enum->Names.size()))
        return TValue(*v);
      break;
    }
    case TPropKind::Set: {
      std::string t = Trim(text);
      if (t.size() < 2 || t.front() != '[' || t.back() != ']') break;
      t = t.substr(1, t.size() - 2);
      std::int64_t mask = 0;
      std::size_t start = 0;
      bool ok = true;
      while (ok && !Trim(t).empty()) {
        const std::size_t comma = t.find(',', start);
        const std::string item =
            Trim(t.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        const int i = prop.Enum->IndexOf(item);
        if (i < 0 || i >= 63)
          ok = false;
        else
          mask |= std::int64_t{1} << i;
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
      if (ok) return TValue(mask);
      break;
    }
    case TPropKind::Color:
      if (auto c = StringToColor(Trim(text))) return TValue(static_cast<std::int64_t>(*c));
      break;
    case TPropKind::Object:
      if (Trim(text).empty()) return TValue(static_cast<TObject*>(nullptr));
      throw EPropertyError(Format("Property %s cannot be set from text", {prop.Name}));
    case TPropKind::Reference: {
      const std::string name = Trim(text);
      if (name.empty()) return TValue(static_cast<TObject*>(nullptr));
      TComponent* found = nullptr;
      if (lookupRoot)
        found = SameText(lookupRoot->Name(), name) ? lookupRoot : lookupRoot->FindComponent(name);
      if (!found)
        throw EPropertyError(Format("Component %s not found for property %s", {name, prop.Name}));
      return TValue(static_cast<TObject*>(found));
    }
    case TPropKind::Event: {
      const std::string name = Trim(text);
      if (name.empty()) return TValue(TMethod{});
      if (!lookupRoot)
        throw EPropertyError(Format("No object to find method %s for event %s", {name, prop.Name}));
      return TValue(MethodByName(*lookupRoot, name));
    }
  }
  InvalidText(prop, text);
}

TMethod MethodByName(TObject& target, const std::string& name) {
  const TMethodInfo* method = target.ClassInfo().FindMethod(name);
  if (!method)
    throw EPropertyError(Format("Method %s not found in %s", {name, target.ClassName()}));
  return method->Bind(target);
}

}  // namespace fw
