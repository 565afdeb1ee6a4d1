#include "tests/support/RecordingMessageSink.h"

namespace mirelune::test {

RecordingMessageSink::RecordingMessageSink() : previous(veru::awt::setMessageSink(this)) {}

RecordingMessageSink::~RecordingMessageSink() {
    veru::awt::setMessageSink(previous);
}

void RecordingMessageSink::show(veru::awt::MessageKind kind, const veru::YString& caption,
                                const veru::YString& text) {
    std::lock_guard<std::mutex> guard(lock);
    recorded.push_back({kind, caption, text});
}

std::vector<RecordedMessage> RecordingMessageSink::messages() const {
    std::lock_guard<std::mutex> guard(lock);
    return recorded;
}

std::size_t RecordingMessageSink::count() const {
    std::lock_guard<std::mutex> guard(lock);
    return recorded.size();
}

}  // namespace mirelune::test
