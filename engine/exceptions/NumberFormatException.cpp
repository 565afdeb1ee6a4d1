#include "engine/exceptions/NumberFormatException.h"

namespace veru::excp {

NumberFormatException::NumberFormatException(const YString& offendingText,
                                             const YString& description)
    : Exception(description, offendingText) {}

}  // namespace veru::excp
