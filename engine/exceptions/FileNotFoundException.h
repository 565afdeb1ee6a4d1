#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Message: "FileNotFoundException::ファイルが見つかりませんでした。", a line feed,
// then "：" and the path on the second line.
class FileNotFoundException : public Exception {
  public:
    explicit FileNotFoundException(const YString& path);
};

}  // namespace veru::excp
