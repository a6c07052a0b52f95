#include "framework/widgets/Panel.h"

namespace fw {

const TClassInfo& TPanel::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TPanel>("TPanel", TCustomPanel::StaticClass()).Creatable().Build();
  return info;
}

}  // namespace fw
