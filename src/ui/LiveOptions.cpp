#include "ui/LiveOptions.h"

#include <charconv>

namespace ui {

bool ReadLiveOption(fw::TCommandLine& line, DemoOptions& o, std::optional<std::string>& error) {
  const std::string& name = line.Name();
  if (sim::ReadReplayOption(line, o.replay, error)) return true;
  if (name == "--live") {
    error = line.NoValueError();
    o.live = true;
    return true;
  }
  if (name == "--count") {
    const auto v = line.Value();
    long n = 0;
    std::string_view text = v ? std::string_view(*v) : std::string_view();
    if (text.starts_with('+')) text.remove_prefix(1);
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (!v) {
      error = line.NeedsValue();
    } else if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() || n < 1) {
      error = "--count must be a whole number from 1 up, not '" + *v + "'";
    } else {
      o.count = n;
    }
    return true;
  }
  if (name == "--csv" || name == "--record") {
    const auto v = line.Value();
    if (!v || v->empty()) {
      error = name + (name == "--csv" ? " needs a file name, e.g. profile.csv"
                                      : " needs a file name, e.g. run.qxrec");
    } else {
      (name == "--csv" ? o.csv : o.record) = *v;
    }
    return true;
  }
  return false;
}

std::optional<std::string> LiveConflict(const DemoOptions& o) {
  if (o.count && !o.live) return "--count needs --live (it limits continuous measurement)";
  if (o.live && o.screenshot && !o.count) {
    return "--live with --screenshot needs --count N: the picture is taken after the last "
           "measurement";
  }
  return sim::ReplayConflict(o.replay, o.source != DemoOptions::Source::kDescription);
}

}  // namespace ui
