#include "framework/core/Persistent.h"

#include "framework/core/ClassBuilder.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"

namespace fw {

const TClassInfo& TPersistent::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TPersistent>("TPersistent", TObject::StaticClass()).Build();
  return info;
}

void TPersistent::Assign(const TPersistent* source) {
  if (source)
    source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) const {
  dest->AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) const {
  throw EConvertError(Format("Cannot assign a %s to a %s",
                             {source ? source->ClassName() : std::string("nil"), ClassName()}));
}

}  // namespace fw
