#include "framework/core/CommandLine.h"

namespace fw {

bool TCommandLine::Next() {
  if (next_ >= args_.size()) return false;
  index_ = next_++;
  name_ = args_[index_];
  inline_value_.reset();
  // Only long options carry "=value"; a bare word keeps its '=' (and is reported whole).
  if (name_.rfind("--", 0) == 0) {
    if (const auto eq = name_.find('='); eq != std::string::npos) {
      inline_value_ = name_.substr(eq + 1);
      name_.resize(eq);
    }
  }
  return true;
}

std::optional<std::string> TCommandLine::Value() {
  if (inline_value_) return inline_value_;
  if (next_ < args_.size()) return args_[next_++];
  return std::nullopt;
}

std::optional<std::string> TCommandLine::NoValueError() const {
  if (inline_value_) return name_ + " takes no value";
  return std::nullopt;
}

}  // namespace fw
