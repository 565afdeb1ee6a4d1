#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Default message: "NullPointerException::参照先がありません。"; the text form carries a message
// built by the caller.
class NullPointerException : public Exception {
  public:
    NullPointerException();
    explicit NullPointerException(const YString& text);
};

}  // namespace veru::excp
