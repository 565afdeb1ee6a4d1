// The game's language: chosen from the desktop's locale variables, and the
// file each language reads.
#include "engine/core/Language.h"

#include <gtest/gtest.h>

using veru::Language;
using veru::preferredLanguage;

TEST(Language, TheFirstLocaleVariableSetDecides) {
    EXPECT_EQ(preferredLanguage(nullptr, nullptr, nullptr, "ja_JP.UTF-8"), Language::japanese);
    EXPECT_EQ(preferredLanguage(nullptr, nullptr, nullptr, "en_US.UTF-8"), Language::english);
    // LC_ALL outranks LANG even when it names a language the game lacks.
    EXPECT_EQ(preferredLanguage(nullptr, "de_DE.UTF-8", nullptr, "ja_JP.UTF-8"), Language::english);
    EXPECT_EQ(preferredLanguage("", "", "ja_JP.eucJP", "en_GB"), Language::japanese);
    // LANGUAGE lists preferences: the first the game has wins.
    EXPECT_EQ(preferredLanguage("fr:ja:en", "en_US.UTF-8", nullptr, nullptr), Language::japanese);
    EXPECT_EQ(preferredLanguage("fr:de", nullptr, nullptr, "ja_JP.UTF-8"), Language::japanese);
    // Nothing set, "C", or something that merely starts like "ja".
    EXPECT_EQ(preferredLanguage(nullptr, nullptr, nullptr, nullptr), Language::english);
    EXPECT_EQ(preferredLanguage(nullptr, "C", nullptr, "ja_JP.UTF-8"), Language::english);
    EXPECT_EQ(preferredLanguage(nullptr, nullptr, nullptr, "jam"), Language::english);
    EXPECT_EQ(preferredLanguage(nullptr, nullptr, nullptr, "ja@cjknarrow"), Language::japanese);
}

TEST(Language, EnglishFilesCarryTheirMarkBeforeTheSuffix) {
    EXPECT_EQ(veru::localizedPath(u"script/trial.dat", Language::english),
              veru::YString(u"script/trial.en.dat"));
    EXPECT_EQ(veru::localizedPath(u"script/trial.dat", Language::japanese),
              veru::YString(u"script/trial.dat"));
    // A dot in a folder name is not a suffix.
    EXPECT_EQ(veru::localizedPath(u"data.v2/readme", Language::english),
              veru::YString(u"data.v2/readme.en"));
    EXPECT_EQ(veru::languageFromCode(u"en"), Language::english);
    EXPECT_EQ(veru::languageFromCode(u"EN"), std::nullopt);
}
