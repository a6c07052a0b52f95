// Base of the drawing-state objects a canvas and the chart's style objects hold: pen, brush, font.
//
// Every setter compares before it stores; a real change bumps `Revision` (so a drawing backend can
// tell cheaply whether the platform object it made from this one is still current) and calls
// `OnChange` with the object as sender when assigned (the owner repaints, or takes the new state).
#pragma once

#include <cstdint>

#include "framework/core/Persistent.h"
#include "framework/core/Value.h"

namespace fw {

class TGraphicsObject : public TPersistent {
  FW_CLASS

 public:
  TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;

  TNotifyEvent OnChange;

  std::uint32_t Revision() const { return revision_; }

 protected:
  void Changed() {
    ++revision_;
    if (OnChange) OnChange(this);
  }

 private:
  std::uint32_t revision_ = 0;
};

}  // namespace fw
