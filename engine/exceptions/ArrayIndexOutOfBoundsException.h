#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Message: "ArrayIndexOutOfBoundsException::不正なインデックスを使って配列がアクセスされました："
// followed by the index in decimal.
class ArrayIndexOutOfBoundsException : public Exception {
  public:
    explicit ArrayIndexOutOfBoundsException(int index);
};

}  // namespace veru::excp
