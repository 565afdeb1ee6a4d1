#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Message: "EOFException::ファイルの終端に来ています。"
class EOFException : public Exception {
  public:
    EOFException();
    // The message above followed by "：" and the file's path.
    explicit EOFException(const YString& path);
};

}  // namespace veru::excp
