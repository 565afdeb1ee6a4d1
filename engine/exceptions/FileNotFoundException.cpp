#include "engine/exceptions/FileNotFoundException.h"

namespace veru::excp {

FileNotFoundException::FileNotFoundException(const YString& path)
    : Exception(u"FileNotFoundException::ファイルが見つかりませんでした。\n：", path) {}

}  // namespace veru::excp
