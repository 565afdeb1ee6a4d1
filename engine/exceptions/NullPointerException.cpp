#include "engine/exceptions/NullPointerException.h"

namespace veru::excp {

NullPointerException::NullPointerException()
    : Exception(u"NullPointerException::参照先がありません。") {}
NullPointerException::NullPointerException(const YString& text) : Exception(text) {}

}  // namespace veru::excp
