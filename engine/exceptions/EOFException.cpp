#include "engine/exceptions/EOFException.h"

namespace veru::excp {

EOFException::EOFException() : Exception(u"EOFException::ファイルの終端に来ています。") {}

}  // namespace veru::excp
