#include "engine/scene/SceneManager.h"

#include <system_error>

#include "engine/exceptions/ArrayIndexOutOfBoundsException.h"
#include "engine/exceptions/EmptyException.h"
#include "engine/material/PicturePreload.h"
#include "engine/material/Texture.h"
#include "engine/platform/FileSystem.h"
#include "engine/platform/HeapUsage.h"
#include "engine/sound/ISoundOwner.h"
#include "engine/sound/SoundManger.h"
#include "engine/sound/SoundPreload.h"
#include "engine/sound/TunePreload.h"

namespace veru::dxt {

SceneManager::~SceneManager() {
    stopPreparing();
    dropPrepared();
}

void SceneManager::uploadPrepared() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    while (material::uploadPreloadedPicture(device)) {
        if (Clock::now() - start >= kUploadBudget)
            return;
    }
}

void SceneManager::dropPrepared() {
    material::releaseUploadedPictures();
    material::dropPreloadedPictures();
    sound::dropPreloadedTunes();
    sound::dropPreloadedSounds();
}

bool SceneManager::prepareAhead(int number) {
    stopPreparing();
    const auto found = numbers.find(number);
    if (!readAhead || found == numbers.end())
        return false;
    PrepareJob job = scenes.at(static_cast<std::size_t>(found->second))->prepare();
    if (!job)
        return false;
    try {
        preparing = std::jthread(std::move(job));
    } catch (const std::system_error&) {
        return false;  // no thread to be had: create does it all
    }
    preparingNumber = number;
    return true;
}

void SceneManager::stopPreparing() {
    preparingNumber = -1;
    if (!preparing.joinable())
        return;
    preparing.request_stop();
    preparing.join();
}

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
    stopPreparing();
    if (current)
        current->release();
    if (soundManager)
        soundManager->stopAll();
    current = scenes.at(static_cast<std::size_t>(index)).get();
    current->request = kRequestNone;
    current->requestArgument = 0;
    current->expectedExit.reset();
    current->release();
    current->reset();
    bool created = false;
    {
        // A create asks after the same picture files hundreds of times.
        const platform::StatMemo memo;
        created = current->create(window, device);
    }
    // What a preparation made and create did not take goes now, and so does
    // the heap the old scene and the decoding left free.
    dropPrepared();
    platform::returnFreeHeap();
    if (!created) {
        throw excp::Exception(u"Scene作成中に問題が起こりました。");
    }
    return current;
}

}  // namespace veru::dxt
