// The values that travel through the published-property mechanism.
//
// `TValue` carries one property value: nothing, a boolean, an integer (also enumerations by
// ordinal, sets as bit masks and colours), a 64-bit float, a text, a string list, an object
// (nested sub-object or component reference) or a method (event handler).
//
// `TEvent<Sig>` is how a class declares an event ("OnAfterAdd"): a callable that may be empty plus
// the name of the published method it was bound to, so that a stored window description can name
// the handler again. Assign any callable to it; call it only when it is set:
//
//   fw::TEvent<void(TChartSeries*, int)> OnAfterAdd;
//   series.OnAfterAdd = [](TChartSeries*, int index) { ... };
//   if (OnAfterAdd) OnAfterAdd(this, index);
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace fw {

class TObject;

using TStringList = std::vector<std::string>;

// An event handler taken out of or put into an event property: `Code` holds a
// std::function<Sig> of the event's exact signature, `Name` the published method's name (empty for
// a handler that is not a published method).
struct TMethod {
  std::string Name;
  std::any Code;
  bool Assigned() const { return Code.has_value(); }
};

using TValue = std::variant<std::monostate, bool, std::int64_t, double, std::string, TStringList,
                            TObject*, TMethod>;

template <class Sig>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
 public:
  using Signature = R(A...);
  using Function = std::function<R(A...)>;

  TEvent() = default;
  template <class F, class = std::enable_if_t<std::is_constructible_v<Function, F&&> &&
                                              !std::is_same_v<std::decay_t<F>, TEvent>>>
  TEvent(F&& f) : fn_(std::forward<F>(f)) {}

  explicit operator bool() const { return static_cast<bool>(fn_); }
  R operator()(A... args) const { return fn_(std::forward<A>(args)...); }

  void Bind(std::string methodName, Function f) {
    name_ = std::move(methodName);
    fn_ = std::move(f);
  }
  void Reset() {
    name_.clear();
    fn_ = nullptr;
  }
  const std::string& MethodName() const { return name_; }
  const Function& Handler() const { return fn_; }

 private:
  Function fn_;
  std::string name_;
};

// The notify event: a handler that receives only the sender.
using TNotifyEvent = TEvent<void(TObject* Sender)>;

}  // namespace fw
