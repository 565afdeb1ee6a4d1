#include "frontend/MenuText.h"

#include "engine/core/Language.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/graphics/FontSpec.h"
#include "engine/material/Texture.h"

namespace ml {

using veru::dxt::material::Texture;

const char16_t* inGameLanguage(const char16_t* japanese, const char16_t* english) {
    return veru::currentLanguage() == veru::Language::english ? english : japanese;
}

std::unique_ptr<Texture> textPicture(veru::platform::VideoDevice* device, const veru::YString& text,
                                     int size, std::uint32_t colour) {
    const veru::YString face = veru::currentLanguage() == veru::Language::english
                                   ? veru::YString(veru::kEnglishTextFace)
                                   : veru::dxt::FontSpec().getFace();
    auto made = std::make_unique<Texture>();
    if (text.empty() || !veru::dxt::DirectGraphics::drawAntiAliasingString(
                            device, made.get(), text, veru::dxt::FontSpec(face, size), colour, 4))
        return nullptr;
    return made;
}

std::unique_ptr<Texture> flatPicture(veru::platform::VideoDevice* device, std::uint32_t colour) {
    auto made = std::make_unique<Texture>();
    if (!made->createFromPixels(1, 1, device, &colour))
        return nullptr;
    return made;
}

}  // namespace ml
