#pragma once
// The language the game speaks: Japanese (the original text) or English.
//
// One process-wide choice, set at start-up from the desktop's preferred
// languages or the player's setting, and changed when the player switches
// it. Data with words in it comes in one file per language: the Japanese
// file is the plain name ("script/trial.dat"), the English one carries
// ".en" before the suffix ("script/trial.en.dat").
//
// Thread: main thread (the choice is a plain global read on every lookup).
// Failure: nothing here throws.

#include <optional>
#include <string_view>

#include "engine/core/YString.h"

namespace veru {

enum class Language { japanese, english };

// The proportional face English text is drawn in (fonts-dejavu-core); the
// Japanese text keeps the game's Japanese face.
inline constexpr char16_t kEnglishTextFace[] = u"DejaVu Sans";

Language currentLanguage();
void setCurrentLanguage(Language language);

// "ja" or "en"; the code the settings file and the file names use.
const char16_t* languageCode(Language language);
// The language of a code as written in a setting ("ja", "en"); empty for any
// other text.
std::optional<Language> languageFromCode(std::u16string_view code);

// The language a POSIX locale or language name stands for: "ja",
// "ja_JP.UTF-8" and the like are Japanese, "en..." English; empty for any
// other language (including "C" and "POSIX").
std::optional<Language> languageOfLocaleName(std::string_view name);

// The desktop's preferred language from the values of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG (null or empty when unset), looked at in that order:
// the first one set decides. LANGUAGE is a list ("fr:ja:en"): its first
// entry the game has wins. A language the game does not have means English.
Language preferredLanguage(const char* language, const char* lcAll, const char* lcMessages,
                           const char* lang);

// The name of `path`'s file in `language`: the path itself for Japanese,
// ".en" put before the suffix for English ("img/menu.ytx" ->
// "img/menu.en.ytx"; a name without a suffix gets ".en" at the end).
YString localizedPath(const YString& path, Language language);

}  // namespace veru
