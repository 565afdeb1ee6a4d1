#pragma once
// The desktop's preferred language, read from the environment (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG; see veru::preferredLanguage for the rule).
//
// Thread: main thread, at start-up (the environment is only read).
// Failure: none; an unset or unknown locale means English.

#include "engine/core/Language.h"

namespace veru::platform {

Language desktopLanguage();

}  // namespace veru::platform
