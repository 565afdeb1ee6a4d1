#include "engine/core/MessageBox.h"

#include <atomic>

#include "engine/core/MessageText.h"
#include "engine/platform/StderrMessageSink.h"

namespace veru::awt {

namespace {

MessageSink* defaultSink() {
    static platform::StderrMessageSink sink;
    return &sink;
}

std::atomic<MessageSink*> currentSink{nullptr};

thread_local int quietDepth = 0;

void deliver(MessageKind kind, const YString& caption, const YString& text) {
    if (quietDepth > 0)
        return;
    MessageSink* sink = currentSink.load();
    const Language language = currentLanguage();
    (sink ? sink : defaultSink())
        ->show(kind, playerText(caption, language), playerText(text, language));
}

}  // namespace

QuietMessages::QuietMessages() {
    ++quietDepth;
}

QuietMessages::~QuietMessages() {
    --quietDepth;
}

MessageSink* setMessageSink(MessageSink* sink) {
    return currentSink.exchange(sink);
}

void showError(const YString& text, const YString& caption) {
    deliver(MessageKind::error, caption, text);
}

void showError(const YString& text) {
    deliver(MessageKind::error, u"エラー", text);
}

void showWarning(const YString& text, const YString& caption) {
    deliver(MessageKind::warning, caption, text);
}

void showInformation(const YString& text) {
    deliver(MessageKind::information, u"表示", text);
}

}  // namespace veru::awt
