#include "chart/TeeFunction.h"

#include "framework/core/ClassBuilder.h"

namespace tee {

const fw::TClassInfo& TTeeFunction::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TTeeFunction>("TTeeFunction", fw::TComponent::StaticClass()).Build();
  return info;
}

}  // namespace tee
