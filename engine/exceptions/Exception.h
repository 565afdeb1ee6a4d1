#pragma once
// Exception: the root of the engine's exception family.
//
// Every exception carries one message, ready to be shown to the player in an
// error box. Library exceptions start it with their class name and "::",
// followed by a Japanese description and, for some, a detail such as a file
// name or an index. Copying an exception copies its message.

#include "engine/core/YString.h"

namespace veru::excp {

class Exception {
  public:
    Exception();
    explicit Exception(const YString& text);
    Exception(const YString& a, const YString& b);  // a followed by b
    virtual ~Exception() = default;
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;

    // The message; valid while the exception lives.
    const YString& getMessage() const { return message; }

  private:
    YString message;
};

}  // namespace veru::excp
