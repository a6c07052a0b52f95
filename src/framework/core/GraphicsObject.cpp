#include "framework/core/GraphicsObject.h"

#include "framework/core/ClassBuilder.h"

namespace fw {

const TClassInfo& TGraphicsObject::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TGraphicsObject>("TGraphicsObject", TPersistent::StaticClass()).Build();
  return info;
}

}  // namespace fw
