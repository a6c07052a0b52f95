// The framework's exception classes.
//
// `Exception` is the base of every error the framework and the chart engine raise on purpose; its
// message is a complete English sentence meant for the operator (the application's default error
// report shows `what()` as it is). The derived classes tell apart who raised it:
//   EConvertError  – a text or value that cannot be converted ("'%s' is not a valid integer value",
//                    "Cannot assign a %s to a %s");
//   EListError     – an index outside a list ("List index out of bounds (%d)");
//   EPropertyError – a published property that does not exist or refuses the value given;
//   EClassNotFound – a class name unknown to the class registry;
//   EComponentError – an invalid or duplicate component name.
#pragma once

#include <stdexcept>
#include <string>

namespace fw {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

class EListError : public Exception {
 public:
  using Exception::Exception;
};

class EPropertyError : public Exception {
 public:
  using Exception::Exception;
};

class EClassNotFound : public Exception {
 public:
  using Exception::Exception;
};

class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

// Raises EListError "List index out of bounds (%d)" with the index.
[[noreturn]] void ListIndexError(long long index);

// Checks 0 <= index < count; raises the list error otherwise.
inline void CheckListIndex(long long index, long long count) {
  if (index < 0 || index >= count) ListIndexError(index);
}

}  // namespace fw
