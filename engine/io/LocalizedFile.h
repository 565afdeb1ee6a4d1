#pragma once
// Which file to read for data that has words in it (talk scripts, pictures
// of menu words): the file in the game's current language.
//
// localizedFile("script/trial.dat") is "script/trial.en.dat" while the game
// speaks English and that file is there, otherwise the Japanese file itself:
// a missing English file is reported once per path (a warning naming both
// files) and the game goes on in Japanese for that piece.
//
// Thread: main thread only (the warned paths are a plain set).
// Failure: never throws; the fallback is the only answer to a missing file.

#include "engine/core/Language.h"
#include "engine/core/YString.h"

namespace veru::io {

YString localizedFile(const YString& path, Language language);
YString localizedFile(const YString& path);

// The same without the warning, for files of which only some have words in
// them (pictures: a menu word has an English picture, a backdrop none).
YString localizedFileIfPresent(const YString& path);

}  // namespace veru::io
