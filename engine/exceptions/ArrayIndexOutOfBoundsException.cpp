#include "engine/exceptions/ArrayIndexOutOfBoundsException.h"

namespace veru::excp {

ArrayIndexOutOfBoundsException::ArrayIndexOutOfBoundsException(int index)
    : Exception(
          u"ArrayIndexOutOfBoundsException::不正なインデックスを使って配列がアクセスされました：",
          YString::fromInt(index)) {}

}  // namespace veru::excp
