#include "engine/exceptions/EmptyException.h"

namespace veru::excp {

EmptyException::EmptyException()
    : Exception(u"EmptyException::空のデータ構造にアクセスされました。") {}

}  // namespace veru::excp
