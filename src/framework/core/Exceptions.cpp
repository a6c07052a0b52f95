#include "framework/core/Exceptions.h"

#include "framework/core/Format.h"

namespace fw {

void ListIndexError(long long index) {
  throw EListError(Format("List index out of bounds (%d)", {index}));
}

}  // namespace fw
