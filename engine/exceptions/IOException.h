#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::excp {

// Default message: "IOException::ファイル入出力の際に何か失敗しました。"; the text form carries a
// message built by the caller.
class IOException : public Exception {
  public:
    IOException();
    explicit IOException(const YString& text);
};

}  // namespace veru::excp
