#include "engine/exceptions/IOException.h"

namespace veru::excp {

IOException::IOException() : Exception(u"IOException::ファイル入出力の際に何か失敗しました。") {}
IOException::IOException(const YString& text) : Exception(text) {}

}  // namespace veru::excp
