#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Default message: "IllegalArgumentException::不当な引数が指定されました。"; the text form carries
// a message built by the caller.
class IllegalArgumentException : public Exception {
  public:
    IllegalArgumentException();
    explicit IllegalArgumentException(const YString& text);
};

}  // namespace veru::excp
