#include "engine/material/SpriteNotBeginException.h"

namespace veru::dxt::material {

SpriteNotBeginException::SpriteNotBeginException()
    : Exception(u"SpriteNotBeginException::Spriteが作成、またはBegin()呼び出しがされていません。") {
}

}  // namespace veru::dxt::material
