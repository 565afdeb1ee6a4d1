#include "game/shooting/cmp/MenuEntries.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"
#include "game/shooting/cmp/MenuCodes.h"

namespace ml::shooting::cmp {

using veru::dxt::material::Texture;

MenuEntries::MenuEntries(int w, int h) : screenWidth(w), screenHeight(h) {}

MenuEntries::~MenuEntries() = default;

void MenuEntries::load(veru::platform::VideoDevice* device, const Paths& paths) {
    auto shade = std::make_unique<Texture>();
    shade->createBlank(device, 1, 1);
    shade->setAlpha(kShadeAlpha);
    shadeTexture = std::move(shade);
    normalTextures.clear();
    selectedTextures.clear();
    for (const auto& [normal, selected] : paths) {
        auto n = std::make_unique<Texture>();
        n->load(normal, device);
        normalTextures.push_back(std::move(n));
        auto s = std::make_unique<Texture>();
        s->load(selected, device);
        selectedTextures.push_back(std::move(s));
    }
}

void MenuEntries::readUpDown(int buttons) {
    int last = size() - 1;
    if (last < 0) {
        return;
    }
    if (buttons & BUTTON_UP) {
        if (!upHeld) {
            selection = selection <= 0 ? last : selection - 1;
            upHeld = true;
        }
    } else {
        upHeld = false;
    }
    if (buttons & BUTTON_DOWN) {
        if (!downHeld) {
            selection = selection >= last ? 0 : selection + 1;
            downHeld = true;
        }
    } else {
        downHeld = false;
    }
}

int MenuEntries::firstEntryY() const {
    int entryHeight = normalTextures.empty() ? 0 : normalTextures[0]->getHeight();
    return screenHeight / 2 - (size() / 2) * entryHeight;
}

void MenuEntries::draw(veru::dxt::DirectGraphics& graphics, Texture* title) {
    bool wasCentred = graphics.isCentred();
    if (shadeTexture) {
        graphics.setCentred(false);
        graphics.queueSprite(shadeTexture.get(), 0, 0, static_cast<float>(screenWidth),
                             static_cast<float>(screenHeight));
    }
    graphics.setCentred(true);
    int top = firstEntryY();
    int middle = screenWidth / 2;
    if (title) {
        graphics.queueSprite(title, middle, top - title->getHeight());
    }
    for (int i = 0; i < size(); ++i) {
        auto index = static_cast<std::size_t>(i);
        Texture* picture =
            i == selection ? selectedTextures[index].get() : normalTextures[index].get();
        graphics.queueSprite(picture, middle, top);
        top += normalTextures[index]->getHeight();
    }
    graphics.setCentred(wasCentred);
}

}  // namespace ml::shooting::cmp
