#pragma once
// Message sink that shows a real box through SDL when a display is there.
//
// With SDL's dummy or offscreen video driver (no display), or when the box
// cannot be shown, the caption and text go to stderr instead. The game
// installs it at start-up (veru::awt::setMessageSink); tests never do.
//
// Thread: main thread (SDL boxes block the caller until closed).

#include "engine/core/MessageBox.h"
#include "engine/platform/StderrMessageSink.h"

namespace veru::platform {

class SdlMessageSink : public awt::MessageSink {
  public:
    void show(awt::MessageKind kind, const YString& caption, const YString& text) override;

    // True when SDL's video driver reaches a real display.
    static bool hasDisplay();

  private:
    StderrMessageSink fallback;
};

}  // namespace veru::platform
