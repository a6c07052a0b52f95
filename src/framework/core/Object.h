// The root of every class that takes part in the published-property mechanism.
//
// A class describes itself with a `TClassInfo` (its name, its parent's description and its
// published properties, see ClassInfo.h). Each class that publishes anything or is created by
// name puts FW_CLASS at the top of its body and defines `StaticClass()` in its .cpp with a
// `TClassBuilder` (see ClassBuilder.h). `ClassInfo()` answers the description of the object's
// actual class; `ClassName()` its name ("TChartSeries").
#pragma once

#include <string>

namespace fw {

class TClassInfo;

class TObject {
 public:
  virtual ~TObject() = default;

  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassInfo() const { return StaticClass(); }

  std::string ClassName() const;
  bool InheritsFrom(const TClassInfo& cls) const;
  template <class T>
  bool Is() const {
    return InheritsFrom(T::StaticClass());
  }
};

}  // namespace fw

// Declares the class description of a class derived from fw::TObject; leaves the access public.
#define FW_CLASS                                       \
 public:                                               \
  static const ::fw::TClassInfo& StaticClass();        \
  const ::fw::TClassInfo& ClassInfo() const override { \
    return StaticClass();                              \
  }
