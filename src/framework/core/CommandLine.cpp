#include "framework/core/CommandLine.h"

namespace fw {

bool TCommandLine::Next() {
  if (next_ >= args_.size()) return false;
  index_ = next_++;
  name_ = args_[index_];
  inlineValue_.reset();
  // Only long options carry "=value"; a bare word keeps its '=' (and is reported whole).
  if (name_.rfind("--", 0) == 0) {
    if (const auto eq = name_.find('='); eq != std::string::npos) {
      inlineValue_ = name_.substr(eq + 1);
      name_.resize(eq);
    }
  }
  return true;
}

namespace {

// An argument that is itself an option, never taken as the value of the one before it
// ("--port --count 6" must not open a port named "--count").
bool LooksLikeOption(const std::string& arg) {
  return arg.rfind("--", 0) == 0 || arg == "-h";
}

}  // namespace

std::optional<std::string> TCommandLine::Value() {
  if (inlineValue_) return inlineValue_;
  if (next_ < args_.size() && !LooksLikeOption(args_[next_])) return args_[next_++];
  return std::nullopt;
}

std::string TCommandLine::NeedsValue() const {
  if (!inlineValue_ && next_ < args_.size() && LooksLikeOption(args_[next_])) {
    return name_ + " needs a value, but the next argument '" + args_[next_] +
           "' is an option (write " + name_ + "=VALUE for a value that starts with '-')";
  }
  return name_ + " needs a value";
}

std::optional<std::string> TCommandLine::NoValueError() const {
  if (inlineValue_) return name_ + " takes no value";
  return std::nullopt;
}

}  // namespace fw
