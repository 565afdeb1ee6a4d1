#include "engine/exceptions/CanNotConnectException.h"

namespace veru::excp {

CanNotConnectException::CanNotConnectException()
    : Exception(u"CanNotConnectException::接続に失敗しました。") {}
CanNotConnectException::CanNotConnectException(const YString& text) : Exception(text) {}

}  // namespace veru::excp
