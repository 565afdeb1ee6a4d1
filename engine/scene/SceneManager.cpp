#include "engine/scene/SceneManager.h"

#include "engine/exceptions/ArrayIndexOutOfBoundsException.h"
#include "engine/exceptions/EmptyException.h"
#include "engine/sound/ISoundOwner.h"
#include "engine/sound/SoundManger.h"

namespace veru::dxt {

SceneManager::~SceneManager() = default;

void SceneManager::attach(awt::DXFrame* newFrame, sound::ISoundOwner* newSoundManager,
                          platform::Window* newWindow, platform::VideoDevice* newDevice) {
    frame = newFrame;
    soundManager = newSoundManager;
    window = newWindow;
    device = newDevice;
}

sound::SoundManger* SceneManager::getSounds() const {
    return dynamic_cast<sound::SoundManger*>(soundManager);
}

void SceneManager::add(std::unique_ptr<Scene> scene, int number) {
    scenes.push_back(std::move(scene));
    numbers[number] = static_cast<int>(scenes.size()) - 1;
}

Scene* SceneManager::start() {
    currentIndex = 0;
    return switchTo(currentIndex);
}

Scene* SceneManager::next() {
    currentIndex += 1;
    if (currentIndex >= static_cast<int>(scenes.size()) || currentIndex < 0)
        currentIndex = 0;
    return switchTo(currentIndex);
}

Scene* SceneManager::previous() {
    currentIndex -= 1;
    if (currentIndex < 0)
        currentIndex = 0;
    return switchTo(currentIndex);
}

Scene* SceneManager::jump(int number) {
    auto found = numbers.find(number);
    if (found == numbers.end()) {
        currentIndex = -1;
        throw excp::ArrayIndexOutOfBoundsException(-1);
    }
    currentIndex = found->second;
    return switchTo(currentIndex);
}

int SceneManager::getCurrentNumber() const {
    for (const auto& [number, index] : numbers) {
        if (index == currentIndex)
            return number;
    }
    return -1;
}

Scene* SceneManager::switchTo(int index) {
    if (scenes.empty())
        throw excp::EmptyException();
    if (current)
        current->release();
    if (soundManager)
        soundManager->stopAll();
    current = scenes.at(static_cast<std::size_t>(index)).get();
    current->request = kRequestNone;
    current->requestArgument = 0;
    current->release();
    current->reset();
    if (!current->create(window, device)) {
        throw excp::Exception(u"Scene作成中に問題が起こりました。");
    }
    return current;
}

}  // namespace veru::dxt
