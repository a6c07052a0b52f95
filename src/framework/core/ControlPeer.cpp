#include "framework/core/ControlPeer.h"

namespace fw {
namespace {

TPeerFactory& Factory() {
  static TPeerFactory factory;
  return factory;
}

}  // namespace

TPeerFactory SetDefaultPeerFactory(TPeerFactory factory) {
  TPeerFactory previous = std::move(Factory());
  Factory() = std::move(factory);
  return previous;
}

std::unique_ptr<TControlPeer> CreateDefaultPeer(TWinControl& control) {
  if (!Factory()) return nullptr;
  return Factory()(control);
}

}  // namespace fw
