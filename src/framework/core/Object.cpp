#include "framework/core/Object.h"

#include "framework/core/ClassInfo.h"

namespace fw {

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo& info = AdoptClass(TClassInfo("TObject", nullptr));
  return info;
}

std::string TObject::ClassName() const {
  return ClassInfo().Name();
}

bool TObject::InheritsFrom(const TClassInfo& cls) const {
  return ClassInfo().InheritsFrom(cls);
}

}  // namespace fw
