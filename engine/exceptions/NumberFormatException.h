#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Message: the description followed by the offending text, with no class-name
// prefix ("文字列がint値のフォーマットでありません。：12345678901").
class NumberFormatException : public Exception {
  public:
    NumberFormatException(const YString& offendingText, const YString& description);
};

}  // namespace veru::excp
