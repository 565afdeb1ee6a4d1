#include "engine/exceptions/EOFException.h"

namespace veru::excp {

EOFException::EOFException() : Exception(u"EOFException::ファイルの終端に来ています。") {}

EOFException::EOFException(const YString& path)
    : Exception(YString(u"EOFException::ファイルの終端に来ています。：").append(path)) {}

}  // namespace veru::excp
