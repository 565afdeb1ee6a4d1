#include "engine/platform/audio/AudioDevice.h"

#include <SDL.h>

#include "engine/exceptions/Exception.h"
#include "engine/platform/SdlSubsystem.h"

namespace veru::platform {

namespace {

void SDLCALL fill(void* user, Uint8* stream, int length) {
    static_cast<Mixer*>(user)->mix(reinterpret_cast<std::int16_t*>(stream), length / 4);
}

SDL_AudioDeviceID openOutput(Mixer* mixer) {
    SDL_AudioSpec want{};
    want.freq = kDeviceFormat.rate;
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(kDeviceFormat.channels);
    want.samples = 1024;
    want.callback = fill;
    want.userdata = mixer;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware needs.
    return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::open(std::string* reason) {
    std::unique_ptr<AudioDevice> device(new AudioDevice());
    if (!device->openSdl(reason))
        return nullptr;
    return device;
}

std::unique_ptr<AudioDevice> AudioDevice::openManual() {
    return std::unique_ptr<AudioDevice>(new AudioDevice());
}

bool AudioDevice::openSdl(std::string* reason) {
    try {
        sdl = std::make_unique<SdlSubsystem>(SdlSubsystem::audio);
    } catch (const excp::Exception&) {
        // No driver would start at all: go straight to the silent one.
        if (SDL_AudioInit("dummy") != 0) {
            if (reason)
                *reason = SDL_GetError();
            return false;
        }
        output.ownAudioInit = true;
    }
    output.deviceId = openOutput(&mixer);
    if (output.deviceId == 0) {
        // No sound card: SDL does not fall back by itself.
        SDL_AudioQuit();
        if (SDL_AudioInit("dummy") != 0) {
            if (reason)
                *reason = SDL_GetError();
            return false;
        }
        output.deviceId = openOutput(&mixer);
    }
    if (output.deviceId == 0) {
        if (reason)
            *reason = SDL_GetError();
        return false;
    }
    const char* name = SDL_GetCurrentAudioDriver();
    driverName = name ? name : "";
    SDL_PauseAudioDevice(output.deviceId, 0);
    return true;
}

AudioDevice::~AudioDevice() = default;

AudioDevice::Output::~Output() {
    // Closing waits for a running callback, so the mixer is idle afterwards.
    if (deviceId != 0)
        SDL_CloseAudioDevice(deviceId);
    if (ownAudioInit)
        SDL_AudioQuit();
}

}  // namespace veru::platform
