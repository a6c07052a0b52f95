// Reading and writing published properties by name, by dotted path and as text.
//
// A path names a property of the object, or of a nested object reached through Object-kind
// properties: "Title.Text", "BottomAxis.Minimum", "Pointer.Style", "XValues.Order",
// "Title.Font.Color". Names are case-insensitive. Each step uses the class of the object actually
// found there, so a nested property declared as a base class reaches the derived class's
// properties.
//
// Values: SetPropValue takes a TValue in the property's form (see Value.h) and also accepts a
// text for any kind, which is then parsed as SetPropText does. Text forms:
//   Bool "True"/"False"; Int decimal or "$hex"; Double with '.'; Enum the value name ("psCircle")
//   or ordinal; Set "[rOnDelete,rOnClear]"; Color "clRed" or "$000000FF" or decimal;
//   StringList lines separated by line breaks; Reference the component's Name, looked up among
//   the components of `lookupRoot`; Event the name of a published method of `lookupRoot`.
// Without a lookupRoot, references and methods are looked up from the top-most owner of the
// object (when it is a component).
//
// Errors raise EPropertyError with a sentence naming the property (and the class, or the value):
//   "Property 'Foo' does not exist in TChartSeries", "Invalid value 'xyz' for property Order
//   (TChartListOrder)". A refused value leaves the property unchanged; errors raised by the
// property's own setter (e.g. an engine's range check) pass through unchanged.
#pragma once

#include <string>

#include "framework/core/ClassInfo.h"
#include "framework/core/Value.h"

namespace fw {

class TComponent;

struct TPropertyTarget {
  TObject* Instance = nullptr;
  const TPropInfo* Prop = nullptr;
};

// The object and property a path names; raises EPropertyError when a step does not exist.
TPropertyTarget ResolvePropertyPath(TObject& object, const std::string& path);

// The property of the object's class by (single) name, or nullptr.
const TPropInfo* FindPropInfo(const TObject& object, const std::string& name);

TValue GetPropValue(const TObject& object, const std::string& path);
void SetPropValue(TObject& object, const std::string& path, const TValue& value,
                  TComponent* lookupRoot = nullptr);

std::string GetPropText(const TObject& object, const std::string& path);
void SetPropText(TObject& object, const std::string& path, const std::string& text,
                 TComponent* lookupRoot = nullptr);

// Conversions of one value of a property to and from text.
std::string ValueToText(const TPropInfo& prop, const TValue& value);
TValue TextToValue(const TPropInfo& prop, const std::string& text, TComponent* lookupRoot);

// Equality of two values of the same property (methods compare by name and presence).
bool SameValue(const TValue& a, const TValue& b);

// Binds a published method of `target` (found by name in its class) as a TMethod; raises
// EPropertyError when there is none.
TMethod MethodByName(TObject& target, const std::string& name);

}  // namespace fw
