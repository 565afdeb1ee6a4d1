#pragma once
// Message boxes: how the game tells the player that something failed.
//
// The functions hand the caption and text to the installed sink. The default
// sink writes them to stderr; the platform layer installs one that shows a
// real box when a display is there, and tests install a recorder.
//
// Thread: may be called from any thread; the sink must accept calls from any
// thread. A box is modal: the call returns once the player has closed it.
// A thread that only reads ahead for a later scene holds a QuietMessages:
// what fails there is shown when the scene itself loads on the main thread.

#include "engine/core/YString.h"

namespace veru::awt {

enum class MessageKind { error, warning, information };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual void show(MessageKind kind, const YString& caption, const YString& text) = 0;
};

// Installs `sink` and returns the one it replaces. The sink is borrowed: it
// must stay alive until it is replaced. Null restores the stderr sink.
MessageSink* setMessageSink(MessageSink* sink);

// Error box with the given caption, usually the failing operation's name
// ("AdventureScene::create()").
void showError(const YString& text, const YString& caption);
// Error box with the caption "エラー".
void showError(const YString& text);
// Warning box with the given caption.
void showWarning(const YString& text, const YString& caption);
// Information box with the caption "表示".
void showInformation(const YString& text);

// Installs a sink for the lifetime of this object, then puts back the old one.
class ScopedMessageSink {
  public:
    explicit ScopedMessageSink(MessageSink* sink) : previous(setMessageSink(sink)) {}
    ~ScopedMessageSink() { setMessageSink(previous); }
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

  private:
    MessageSink* previous;
};

// While one is alive, boxes asked for on the thread that made it are dropped
// (the caller goes on as after a closed box); other threads still show theirs.
class QuietMessages {
  public:
    QuietMessages();
    ~QuietMessages();
    QuietMessages(const QuietMessages&) = delete;
    QuietMessages& operator=(const QuietMessages&) = delete;
};

}  // namespace veru::awt
