#pragma once
// Message sink that writes each box to stderr as "[caption] text" in UTF-8.
// Used when no display is there to show a real box.
//
// Thread: safe to use from any thread (each box is written with one call).

#include "engine/core/MessageBox.h"

namespace veru::platform {

class StderrMessageSink : public awt::MessageSink {
  public:
    void show(awt::MessageKind kind, const YString& caption, const YString& text) override;
};

}  // namespace veru::platform
