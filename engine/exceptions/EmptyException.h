#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Message: "EmptyException::空のデータ構造にアクセスされました。"
class EmptyException : public Exception {
  public:
    EmptyException();
};

}  // namespace veru::excp
