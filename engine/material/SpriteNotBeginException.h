#pragma once

#include "engine/exceptions/Exception.h"

namespace veru::dxt::material {

// Thrown when a sprite is drawn before the sprite batch was created or begun.
// Message: "SpriteNotBeginException::Spriteが作成、またはBegin()呼び出しがされていません。"
class SpriteNotBeginException : public excp::Exception {
  public:
    SpriteNotBeginException();
};

}  // namespace veru::dxt::material
