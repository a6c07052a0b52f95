#include "framework/widgets/WindowDescription.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "framework/core/ClassInfo.h"
#include "framework/core/Control.h"
#include "framework/core/Conversions.h"
#include "framework/core/Format.h"
#include "framework/core/Properties.h"
#include "framework/core/WinControl.h"
#include "framework/widgets/StandardControls.h"

namespace fw {
namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void Fail(const std::string& sentence) {
  throw EReadError("Window description: " + sentence);
}

struct TEntry {
  const Json* json = nullptr;
  TComponent* component = nullptr;
};

std::string Describe(const TComponent& c) {
  if (c.Name().empty()) return Format("an unnamed component of class %s", {c.ClassName()});
  return Format("component '%s' (%s)", {c.Name(), c.ClassName()});
}

std::string NameIn(const Json& entry) {
  const auto it = entry.find("name");
  return it != entry.end() && it->is_string() ? it->get<std::string>() : std::string();
}

std::string EntryLabel(const Json& entry) {
  const std::string name = NameIn(entry);
  return name.empty() ? std::string("an entry without name") : Format("component '%s'", {name});
}

// The message of a JSON error without the library's "[json.exception...] " tag.
std::string JsonReason(const std::exception& e) {
  std::string what = e.what();
  const auto tagEnd = what.find("] ");
  if (!what.empty() && what[0] == '[' && tagEnd != std::string::npos)
    what = what.substr(tagEnd + 2);
  return what;
}

Json Parse(std::string_view text) {
  try {
    return Json::parse(text.begin(), text.end(), nullptr, /*allow_exceptions=*/true,
                       /*ignore_comments=*/true);
  } catch (const Json::parse_error& e) {
    Fail("the text is not valid JSON: " + JsonReason(e));
  }
}

class TReader {
 public:
  explicit TReader(TComponent& root) : root_(root) {}

  void Read(const Json& doc) {
    if (!doc.is_object()) Fail("the text must be one JSON object describing the window");
    CheckEntry(doc);
    const std::string cls = doc["class"].get<std::string>();
    if (!SameText(cls, root_.ClassName()))
      Fail(Format("the description is of class '%s', but the window being read is a %s",
                  {cls, root_.ClassName()}));
    root_.BeginLoading();
    SetName(root_, NameIn(doc));
    entries_.push_back(TEntry{&doc, &root_});
    CreateChildren(doc, root_);
    for (const TEntry& e : entries_) ApplyProperties(e);
    for (const TEntry& e : entries_) BindEvents(e);
    ResolveFields();
    for (const TEntry& e : entries_) {
      try {
        e.component->Loaded();
      } catch (const std::exception& ex) {
        Fail(Format("%s could not finish loading: %s",
                    {Describe(*e.component), std::string(ex.what())}));
      }
    }
  }

 private:
  static void CheckEntry(const Json& entry) {
    for (const auto& item : entry.items()) {
      const std::string& key = item.key();
      if (key != "class" && key != "name" && key != "properties" && key != "events" &&
          key != "children")
        Fail(Format(
            "%s has an unknown entry '%s' (allowed: class, name, properties, events, children)",
            {EntryLabel(entry), key}));
    }
    const auto cls = entry.find("class");
    if (cls == entry.end() || !cls->is_string() || cls->get<std::string>().empty())
      Fail(Format("%s has no \"class\"", {EntryLabel(entry)}));
    if (const auto name = entry.find("name"); name != entry.end() && !name->is_string())
      Fail(Format("the \"name\" of a %s entry must be a text", {cls->get<std::string>()}));
    for (const char* section : {"properties", "events"})
      if (const auto it = entry.find(section); it != entry.end() && !it->is_object())
        Fail(Format("the \"%s\" of %s must be a JSON object",
                    {std::string(section), EntryLabel(entry)}));
    if (const auto it = entry.find("children"); it != entry.end() && !it->is_array())
      Fail(Format("the \"children\" of %s must be a JSON array", {EntryLabel(entry)}));
  }

  static void SetName(TComponent& component, const std::string& name) {
    try {
      component.SetName(name);
    } catch (const Exception& e) {
      Fail(Format("%s cannot take the name '%s': %s",
                  {Describe(component), name, std::string(e.what())}));
    }
  }

  void CreateChildren(const Json& entry, TComponent& container) {
    const auto children = entry.find("children");
    if (children == entry.end()) return;
    for (const Json& child : *children) {
      if (!child.is_object())
        Fail(Format("a child of %s is not a JSON object", {Describe(container)}));
      CheckEntry(child);
      TComponent& component = Create(child, container);
      entries_.push_back(TEntry{&child, &component});
      CreateChildren(child, component);
    }
  }

  TComponent& Create(const Json& entry, TComponent& container) {
    const std::string className = entry["class"].get<std::string>();
    const std::string name = NameIn(entry);
    const TClassInfo* cls = FindClass(className);
    if (!cls) Fail(Format("class '%s' of %s is not registered", {className, EntryLabel(entry)}));
    if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
      Fail(Format("class '%s' of %s cannot be created by name", {className, EntryLabel(entry)}));
    TComponent* component = cls->Create(&root_);
    component->BeginLoading();
    SetName(*component, name);
    auto* control = dynamic_cast<TControl*>(component);
    auto* parent = dynamic_cast<TWinControl*>(&container);
    if (control && !parent)
      Fail(Format("%s is a control and cannot be placed in %s, which holds no controls",
                  {Describe(*component), Describe(container)}));
    if (!control && &container != &root_)
      Fail(Format("%s is not a control and cannot be nested in %s; describe it at the top level",
                  {Describe(*component), Describe(container)}));
    if (control) control->SetParent(parent);
    return *component;
  }

  void ApplyProperties(const TEntry& entry) {
    const auto props = entry.json->find("properties");
    if (props == entry.json->end()) return;
    ApplyObject(*entry.component, *props, std::string());
  }

  void ApplyObject(TComponent& component, const Json& object, const std::string& prefix) {
    for (const auto& item : object.items()) {
      const std::string path = prefix.empty() ? item.key() : prefix + "." + item.key();
      const TPropertyTarget target = Resolve(component, path);
      if (item.value().is_object()) {
        if (target.Prop->Kind != TPropKind::Object && target.Prop->Kind != TPropKind::Reference)
          Fail(Format("%s, property '%s' is of kind %s and has no properties of its own",
                      {Describe(component), path, std::string(PropKindName(target.Prop->Kind))}));
        ApplyObject(component, item.value(), path);
        continue;
      }
      if (target.Prop->Kind == TPropKind::Event)
        Fail(Format("%s, property '%s' is an event: bind it under \"events\"",
                    {Describe(component), path}));
      const TValue value = ToValue(component, path, *target.Prop, item.value());
      try {
        target.Prop->Set(*target.Instance, value, &root_);
      } catch (const std::exception& e) {
        Fail(Format("%s, property '%s': %s", {Describe(component), path, std::string(e.what())}));
      }
    }
  }

  static TPropertyTarget Resolve(TComponent& component, const std::string& path) {
    try {
      return ResolvePropertyPath(component, path);
    } catch (const std::exception& e) {
      Fail(Format("%s has no property '%s': %s",
                  {Describe(component), path, std::string(e.what())}));
    }
  }

  static TValue ToValue(const TComponent& component, const std::string& path, const TPropInfo& prop,
                        const Json& v) {
    switch (v.type()) {
      case Json::value_t::string:
        return TValue(v.get<std::string>());
      case Json::value_t::boolean:
        return TValue(v.get<bool>());
      case Json::value_t::number_integer:
        return TValue(v.get<std::int64_t>());
      case Json::value_t::number_unsigned:
        if (v.get<std::uint64_t>() > static_cast<std::uint64_t>(INT64_MAX)) break;
        return TValue(static_cast<std::int64_t>(v.get<std::uint64_t>()));
      case Json::value_t::number_float:
        return TValue(v.get<double>());
      case Json::value_t::null:
        return TValue();
      case Json::value_t::array: {
        if (prop.Kind != TPropKind::StringList && prop.Kind != TPropKind::Set)
          Fail(Format("%s, property '%s': a list does not fit a property of kind %s",
                      {Describe(component), path, std::string(PropKindName(prop.Kind))}));
        TStringList items;
        for (const Json& item : v) {
          if (!item.is_string())
            Fail(Format("%s, property '%s': every element of the list must be a text, not %s",
                        {Describe(component), path, item.dump()}));
          items.push_back(item.get<std::string>());
        }
        if (prop.Kind == TPropKind::StringList) return TValue(items);
        std::string set = "[";
        for (std::size_t i = 0; i < items.size(); ++i) set += (i ? "," : "") + items[i];
        return TValue(set + "]");
      }
      default:
        break;
    }
    Fail(Format("%s, property '%s': the value %s does not fit",
                {Describe(component), path, v.dump()}));
  }

  void BindEvents(const TEntry& entry) {
    const auto events = entry.json->find("events");
    if (events == entry.json->end()) return;
    TComponent& component = *entry.component;
    for (const auto& item : events->items()) {
      const std::string& path = item.key();
      TPropertyTarget target;
      try {
        target = ResolvePropertyPath(component, path);
      } catch (const std::exception&) {
        Fail(Format("%s has no event '%s'", {Describe(component), path}));
      }
      if (target.Prop->Kind != TPropKind::Event)
        Fail(Format("%s: '%s' is not an event", {Describe(component), path}));
      TMethod method;
      if (item.value().is_string()) {
        const std::string handler = item.value().get<std::string>();
        const TMethodInfo* info = root_.ClassInfo().FindMethod(handler);
        if (!info)
          Fail(Format("%s, event '%s': handler '%s' is not a published method of %s",
                      {Describe(component), path, handler, root_.ClassName()}));
        method = info->Bind(root_);
        if (!target.Prop->AcceptsHandler(method.Code))
          Fail(Format("%s, event '%s': handler '%s' of %s does not take the event's parameters",
                      {Describe(component), path, handler, root_.ClassName()}));
      } else if (!item.value().is_null()) {
        Fail(Format("%s, event '%s': the handler must be given by its name",
                    {Describe(component), path}));
      }
      try {
        target.Prop->Set(*target.Instance, TValue(method), &root_);
      } catch (const std::exception& e) {
        Fail(Format("%s, event '%s': %s", {Describe(component), path, std::string(e.what())}));
      }
    }
  }

  void ResolveFields() {
    for (const TPropInfo* prop : root_.ClassInfo().Properties()) {
      if (!prop->Field) continue;
      TComponent* component = root_.FindComponent(prop->Name);
      if (!component)
        Fail(Format("field '%s' of %s has no component of that name",
                    {prop->Name, root_.ClassName()}));
      const TClassInfo* expected = prop->ObjectClass();
      if (expected && !component->InheritsFrom(*expected))
        Fail(Format("field '%s' of %s is a %s, but component '%s' is a %s",
                    {prop->Name, root_.ClassName(), expected->Name(), component->Name(),
                     component->ClassName()}));
      prop->Set(root_, TValue(static_cast<TObject*>(component)), &root_);
    }
  }

  TComponent& root_;
  std::vector<TEntry> entries_;
};

}  // namespace

void ReadWindowDescription(TComponent& root, std::string_view text) {
  RegisterStandardControls();
  const Json doc = Parse(text);
  TReader(root).Read(doc);
}

TComponent* CreateFromWindowDescription(std::string_view text, TComponent* owner) {
  RegisterStandardControls();
  const Json doc = Parse(text);
  if (!doc.is_object()) Fail("the text must be one JSON object describing the window");
  const auto cls = doc.find("class");
  if (cls == doc.end() || !cls->is_string()) Fail(Format("%s has no \"class\"", {EntryLabel(doc)}));
  const std::string className = cls->get<std::string>();
  const TClassInfo* info = FindClass(className);
  if (!info) Fail(Format("class '%s' of %s is not registered", {className, EntryLabel(doc)}));
  if (!info->InheritsFrom(TComponent::StaticClass()) || !info->CanCreate())
    Fail(Format("class '%s' of %s cannot be created by name", {className, EntryLabel(doc)}));
  std::unique_ptr<TComponent> root(info->Create(owner));
  TReader(*root).Read(doc);
  return root.release();
}

}  // namespace fw
