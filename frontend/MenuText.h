#pragma once
// Words the front end draws with the game's fonts instead of from word
// pictures, for screens whose text changes (the replay list): Japanese in
// the game's own face, English in veru::kEnglishTextFace. Also the flat
// one-colour picture such screens shade panels with.
//
// Thread: main thread only.
// Failure: a text that makes no picture (empty, no font) gives null; the
// caller draws nothing for it.

#include <cstdint>
#include <memory>

#include "engine/core/YString.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt::material {
class Texture;
}

namespace ml {

// `japanese` or `english`, as the game speaks now.
const char16_t* inGameLanguage(const char16_t* japanese, const char16_t* english);

// `text` (lines split at U+000A) drawn anti-aliased at `size` pixels in
// `colour` (packed ARGB).
std::unique_ptr<veru::dxt::material::Texture> textPicture(veru::platform::VideoDevice* device,
                                                          const veru::YString& text, int size,
                                                          std::uint32_t colour);

// A 1 x 1 picture of `colour`, to be stretched over a panel.
std::unique_ptr<veru::dxt::material::Texture> flatPicture(veru::platform::VideoDevice* device,
                                                          std::uint32_t colour);

}  // namespace ml
