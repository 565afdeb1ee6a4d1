#include "engine/exceptions/IllegalArgumentException.h"

namespace veru::excp {

IllegalArgumentException::IllegalArgumentException()
    : Exception(u"IllegalArgumentException::不当な引数が指定されました。") {}
IllegalArgumentException::IllegalArgumentException(const YString& text) : Exception(text) {}

}  // namespace veru::excp
