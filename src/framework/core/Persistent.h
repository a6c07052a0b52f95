// TPersistent: an object that can take over another object's settings (`Assign`).
//
// `Assign(source)` copies what this class knows how to copy from `source`. A class overrides
// Assign for the sources it accepts and passes any other source on to its parent class; at the
// root the source gets a chance through `AssignTo`, and when nobody takes it the assignment is
// refused with EConvertError "Cannot assign a <source class> to a <this class>" ("nil" for a
// null source). A refused assignment changes nothing.
#pragma once

#include "framework/core/Object.h"

namespace fw {

class TPersistent : public TObject {
  FW_CLASS

 public:
  virtual void Assign(const TPersistent* source);

 protected:
  // Lets a source copy itself into a destination class that does not know it; refuses by default.
  virtual void AssignTo(TPersistent* dest) const;
  [[noreturn]] void AssignError(const TPersistent* source) const;
};

}  // namespace fw
