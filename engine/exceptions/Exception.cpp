#include "engine/exceptions/Exception.h"

namespace veru::excp {

Exception::Exception() : message(u"例外が発生しました。") {}
Exception::Exception(const YString& text) : message(text) {}
Exception::Exception(const YString& a, const YString& b) : message(a + b) {}

}  // namespace veru::excp
