#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Default message: "CanNotConnectException::接続に失敗しました。"; the text form carries a message
// built by the caller.
class CanNotConnectException : public Exception {
  public:
    CanNotConnectException();
    explicit CanNotConnectException(const YString& text);
};

}  // namespace veru::excp
