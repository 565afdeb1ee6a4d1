#pragma once
// The words of the messages a player may meet, in the game's language.
//
// Messages are written in Japanese where they arise. While the game speaks
// English, every box passes through playerText, which puts each phrase of a
// small table (the captions, a missing sound device or game data, a missing,
// damaged, empty or oversized file, a damaged settings file, a talk or stage
// script's line) into English; the names of files and the rest of the text
// stay as they are. In Japanese the text is returned unchanged.
//
// Thread: any (the table is constant; the language is only read).
// Failure: none.

#include "engine/core/Language.h"
#include "engine/core/YString.h"

namespace veru::awt {

YString playerText(const YString& text, Language language);

}  // namespace veru::awt
