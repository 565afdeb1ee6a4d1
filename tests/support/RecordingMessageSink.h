#pragma once
// A message sink for tests: installs itself for its lifetime and records
// every box instead of showing it.
//
// Thread: boxes may arrive from any thread; reading the record is for the
// test's thread once the code under test is done.

#include <mutex>
#include <vector>

#include "engine/core/MessageBox.h"

namespace mirelune::test {

struct RecordedMessage {
    veru::awt::MessageKind kind;
    veru::YString caption;
    veru::YString text;
};

class RecordingMessageSink : public veru::awt::MessageSink {
  public:
    RecordingMessageSink();
    ~RecordingMessageSink() override;

    void show(veru::awt::MessageKind kind, const veru::YString& caption,
              const veru::YString& text) override;

    std::vector<RecordedMessage> messages() const;
    std::size_t count() const;

  private:
    mutable std::mutex lock;
    std::vector<RecordedMessage> recorded;
    veru::awt::MessageSink* previous;
};

}  // namespace mirelune::test
