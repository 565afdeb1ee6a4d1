#pragma once
// Error boxes of the code under fuzzing go nowhere: a box per input would
// only slow the run (and a real one could block it).

#include "engine/core/MessageBox.h"

namespace mirelune::fuzz {

class SilentBoxes : public veru::awt::MessageSink {
  public:
    void show(veru::awt::MessageKind, const veru::YString&, const veru::YString&) override {}
};

// Installs one silent sink for the whole process.
inline void silenceBoxes() {
    static SilentBoxes sink;
    static const veru::awt::ScopedMessageSink installed(&sink);
}

}  // namespace mirelune::fuzz
