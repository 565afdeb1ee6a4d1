#include "engine/core/Language.h"

#include <string>

namespace veru {

namespace {

Language chosen = Language::japanese;

bool isSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

}  // namespace

Language currentLanguage() {
    return chosen;
}

void setCurrentLanguage(Language language) {
    chosen = language;
}

const char16_t* languageCode(Language language) {
    return language == Language::english ? u"en" : u"ja";
}

std::optional<Language> languageFromCode(std::u16string_view code) {
    if (code == u"ja")
        return Language::japanese;
    if (code == u"en")
        return Language::english;
    return std::nullopt;
}

std::optional<Language> languageOfLocaleName(std::string_view name) {
    // The language is the part before the territory, codeset or modifier.
    const std::string_view language = name.substr(0, name.find_first_of("_.@"));
    if (language == "ja")
        return Language::japanese;
    if (language == "en")
        return Language::english;
    return std::nullopt;
}

Language preferredLanguage(const char* language, const char* lcAll, const char* lcMessages,
                           const char* lang) {
    if (isSet(language)) {
        std::string_view list(language);
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            if (const auto found = languageOfLocaleName(list.substr(0, colon)))
                return *found;
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (isSet(value))
            return languageOfLocaleName(value).value_or(Language::english);
    }
    return Language::english;
}

YString localizedPath(const YString& path, Language language) {
    if (language == Language::japanese)
        return path;
    const std::size_t slash = path.find_last_of(u'/');
    const std::size_t dot = path.find_last_of(u'.');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash))
        return YString(path).append(u".en");
    return YString(path.substr(0, dot)).append(u".en").append(YString(path.substr(dot)));
}

}  // namespace veru
