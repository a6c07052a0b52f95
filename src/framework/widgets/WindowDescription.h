// Window descriptions: the text that says which components a window has and how they are set.
//
// A description is JSON (comments allowed) kept in the program as text. Each entry describes one
// component; the top entry is the window itself:
//
//   {
//     "class": "TFormS", "name": "FormS",
//     "properties": {
//       "Caption": "QX770-DEMO", "ClientWidth": 692, "ClientHeight": 410,
//       "Position": "poScreenCenter", "BorderIcons": ["biSystemMenu", "biMinimize"],
//       "Font": { "Name": "MS Sans Serif", "Height": -13, "Style": ["fsBold"] }
//     },
//     "events": { "OnCreate": "FormCreate", "OnClose": "FormClose" },
//     "children": [
//       { "class": "TGroupBox", "name": "GroupBox2",
//         "properties": { "Left": 4, "Top": 9, "Width": 205, "Height": 153, "Caption": "Laser" },
//         "children": [ ... ] },
//       { "class": "TPointSeries", "name": "SeriesOsc",
//         "properties": { "ParentChart": "ChartOscilloscope", "Pointer.Style": "psCircle" } }
//     ]
//   }
//
// Entries: "class" (required: a class registered by name), "name" (the component's Name; the
// window's published field of that name is set to it), "properties", "events", "children". Nothing
// else is allowed, so a misspelt key is an error rather than silently ignored.
//
// Properties are set in the order written, by name or dotted path ("BottomAxis.Minimum"), with
// SetPropValue (Properties.h). A JSON object as a value goes one level down ("Font": {"Name": ...}
// is "Font.Name": ...). Values: strings are read as the property's text form (enumeration and
// colour names such as "psCircle", "clRed", "$00FF8000", component names for references), numbers
// and true/false as themselves, an array of strings is a string list ("Items") or a set
// ("BorderIcons", "Font.Style"), null clears an object reference.
//
// Events map an event (or a path to one) to the name of a published method of the window's class
// ("OnClick": "Button1Click"); null unbinds.
//
// Children are owned by the window (every component of a description is). A control nested in a
// windowed control gets it as its parent (positions are then relative to its client area); other
// components (a chart's series) belong at the top level and are linked by reference properties
// ("ParentChart").
//
// Reading runs in steps, so that a property may name a component described later: all components
// are created first (each in the loading state), then the properties are set entry by entry, the
// events bound, the window's published fields set (each must find a component of its name and
// class), and finally every component's Loaded runs (the window first).
//
// Anything that does not fit stops the reading with EReadError, whose message is a sentence that
// begins "Window description: " and names what is wrong: the JSON syntax with line and column, an
// unknown key, a class that is not registered, a property that does not exist or refuses its
// value, an event or handler that is missing or does not fit, a published field without its
// component. The window is then left half-built: CreateForm discards it.
#pragma once

#include <string_view>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"

namespace fw {

class EReadError : public Exception {
 public:
  using Exception::Exception;
};

// Reads a description into an existing window (or other root component) whose class must be the
// description's class.
void ReadWindowDescription(TComponent& root, std::string_view text);

// Creates the description's root component by its class name (owned by `owner`, or by the caller
// without one) and reads the description into it. Forms should rather use CreateForm<T> (Form.h),
// which also runs their OnCreate.
TComponent* CreateFromWindowDescription(std::string_view text, TComponent* owner);

}  // namespace fw
