#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Message: "EOFException::ファイルの終端に来ています。"
class EOFException : public Exception {
  public:
    EOFException();
};

}  // namespace veru::excp
