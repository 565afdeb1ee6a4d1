#include "frontend/GameSetting.h"

#include <algorithm>

#include "engine/core/ValueParser.h"
#include "engine/exceptions/Exception.h"
#include "engine/exceptions/NumberFormatException.h"
#include "engine/input/InputInterface.h"
#include "engine/window/MessageBox.h"

namespace ml {

using veru::YString;

bool GameSetting::usableMask(int mask) {
    return mask != 0 && (mask & ~veru::dxt::event::kButtonBits) == 0;
}

namespace {
struct KeyEntry {
    int code;
    const char16_t* key;
    const char16_t* what;  // for the player, in the damaged-file box
    bool everySave;        // in every file the game has written (not added later)
};
// Every key of the file, in the order load reads them.
constexpr KeyEntry kKeys[] = {
    {GameSetting::kScreen, u"SCREEN", u"画面", true},
    {GameSetting::kLevel, u"LEVEL", u"難易度", true},
    {GameSetting::kKeyBullet, u"KEYbullet", u"ショットのボタン", true},
    {GameSetting::kKeyKintuba, u"KEYkintuba", u"きんつばのボタン", true},
    {GameSetting::kKeyBomb, u"KEYbomb", u"ボムのボタン", true},
    {GameSetting::kKeySlow, u"KEYslow", u"低速のボタン", true},
    {GameSetting::kKeyPause, u"KEYpause", u"ポーズのボタン", true},
    {GameSetting::kScore, u"SCORE", u"ハイスコア", true},
    {GameSetting::kMusicVolume, u"VOLUMEmusic", u"音楽の音量", false},
    {GameSetting::kEffectVolume, u"VOLUMEeffect", u"効果音の音量", false},
    {GameSetting::kWindowScale, u"WINDOWscale", u"ウィンドウの大きさ", false},
};

const KeyEntry* entryOf(int code) {
    for (const KeyEntry& entry : kKeys) {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

// Optional sign, then digits only: what the writer writes. A damaged file
// can leave a record whose number runs into garbage ("12㈀"), which the
// lenient reading would take as 12.
bool wholeNumber(const YString& text) {
    const std::u16string& s = text;
    std::size_t i = (!s.empty() && (s[0] == u'-' || s[0] == u'+')) ? 1 : 0;
    if (i >= s.size())
        return false;
    for (; i < s.size(); ++i) {
        if (s[i] < u'0' || s[i] > u'9')
            return false;
    }
    return true;
}

// "<name>.broken", or the first of "<name>.broken2", ".broken3" ... that is
// free: an earlier backup is never overwritten.
YString freeBackupName(const YString& fileName) {
    const YString base = fileName + u".broken";
    if (!veru::io::YFile(base).exists)
        return base;
    for (int n = 2; n < 10000; ++n) {
        YString name = base;
        name.append(n);
        if (!veru::io::YFile(name).exists)
            return name;
    }
    return YString();
}
}  // namespace

YString GameSetting::keyName(int code) {
    const KeyEntry* entry = entryOf(code);
    return entry ? YString(entry->key) : YString();
}

GameSetting::GameSetting(const YString& fileName, veru::dxt::event::ButtonMap* buttonMap)
    : buttons(buttonMap ? buttonMap : &veru::dxt::event::ButtonMap::global()) {
    try {
        file = std::make_unique<veru::io::KeyValueFile>(fileName);
        load();
    } catch (const veru::excp::Exception& error) {
        recoverFromBrokenFile(fileName, error);
        return;
    }
    if (file->isDamaged() || !unreadKeys.empty()) {
        YString reason;
        for (const YString& problem : file->getProblems())
            reason.append(problem).append(u"\n");
        reportDamage(fileName, reason);
    }
}

void GameSetting::setDefaults() {
    fullScreen = false;
    level = kLevelNormal;
    maskShoot = kDefaultShoot;
    maskSpecial = kDefaultSpecial;
    maskPause = kDefaultPause;
    maskBomb = kDefaultBomb;
    maskSlow = kDefaultSlow;
    lastScore = 0;
    hiScore = 0;
    musicVolume = kMaxVolume;
    effectVolume = kMaxVolume;
    windowScale = 1;
}

void GameSetting::setMusicVolume(int value) {
    musicVolume = std::clamp(value, 0, kMaxVolume);
}

void GameSetting::setEffectVolume(int value) {
    effectVolume = std::clamp(value, 0, kMaxVolume);
}

void GameSetting::setWindowScale(int value) {
    windowScale = std::clamp(value, 1, kMaxWindowScale);
}

void GameSetting::reportDamage(const YString& fileName, const YString& reason) {
    // Keep the damaged file for the player under a name of its own, and
    // write what could be read back at once: a crash before the normal save
    // must not leave the player with less than this start found.
    const YString brokenName = freeBackupName(fileName);
    veru::io::YFile broken(fileName);
    const bool kept = !brokenName.empty() && broken.exists && broken.renameTo(brokenName);
    YString text = YString(u"設定ファイル「") + fileName + u"」の一部が壊れていました。\n";
    YString keptList, lostList;
    for (const KeyEntry& entry : kKeys) {
        const bool unread =
            std::find(unreadKeys.begin(), unreadKeys.end(), YString(entry.key)) != unreadKeys.end();
        if (unread || !file->has(entry.key)) {
            // A key missing from a damaged file was lost with the damage,
            // unless older files never had it.
            if (unread || (file->isDamaged() && entry.everySave))
                lostList.append(lostList.empty() ? u"" : u"、").append(entry.what);
        } else {
            keptList.append(keptList.empty() ? u"" : u"、").append(entry.what);
        }
    }
    text.append(u"読めた設定（")
        .append(keptList.empty() ? YString(u"なし") : keptList)
        .append(u"）はそのまま使います。\n");
    if (!lostList.empty())
        text.append(u"読めなかった設定（").append(lostList).append(u"）は初期設定に戻します。\n");
    if (kept) {
        text.append(u"元のファイルは「").append(brokenName).append(u"」として残してあります。\n");
        try {
            save();
        } catch (const veru::excp::Exception&) {
            // The normal save at the end reports it.
        }
    }
    text.append(u"\n").append(reason);
    veru::awt::showError(text, u"GameSetting::GameSetting()");
}

void GameSetting::recoverFromBrokenFile(const YString& fileName,
                                        const veru::excp::Exception& error) {
    // Keep the unreadable file for the player (nothing is lost) and start
    // with an empty store, which the next save writes out in full.
    const YString brokenName = freeBackupName(fileName);
    veru::io::YFile broken(fileName);
    const bool kept = !brokenName.empty() && broken.exists && broken.renameTo(brokenName);
    file = std::make_unique<veru::io::KeyValueFile>(fileName, false);
    setDefaults();
    applyMasks();

    YString text =
        YString(u"設定ファイル「") + fileName + u"」を読めなかったため、初期設定で始めます。\n";
    if (kept) {
        text.append(u"読めなかったファイルは「")
            .append(brokenName)
            .append(u"」として残してあります。\n");
    }
    text.append(u"\n").append(error.getMessage());
    veru::awt::showError(text, u"GameSetting::GameSetting()");
}

int GameSetting::readValue(int code, int fallback) {
    const YString key = keyName(code);
    if (!file->has(key))
        return fallback;
    const YString value = file->get(key);
    try {
        if (!file->isDamaged() || wholeNumber(value))
            return veru::parseInt(value);
    } catch (const veru::excp::NumberFormatException&) {
        // out of the int range: as unreadable as garbage
    }
    unreadKeys.push_back(key);
    return fallback;
}

void GameSetting::load() {
    unreadKeys.clear();
    fullScreen = readValue(kScreen, 1) == 2;
    switch (readValue(kLevel, 11)) {
        case 10:
            level = kLevelEasy;
            break;
        case 12:
            level = kLevelHard;
            break;
        default:
            level = kLevelNormal;
            break;
    }
    maskShoot = readValue(kKeyBullet, kDefaultShoot);
    maskSpecial = readValue(kKeyKintuba, kDefaultSpecial);
    maskBomb = readValue(kKeyBomb, kDefaultBomb);
    maskSlow = readValue(kKeySlow, kDefaultSlow);
    maskPause = readValue(kKeyPause, kDefaultPause);
    hiScore = readValue(kScore, 0);
    setMusicVolume(readValue(kMusicVolume, kMaxVolume));
    setEffectVolume(readValue(kEffectVolume, kMaxVolume));
    setWindowScale(readValue(kWindowScale, 1));
    applyMasks();
}

void GameSetting::applyMasks() {
    if (!usableMask(maskShoot) || !usableMask(maskSpecial) || !usableMask(maskBomb) ||
        !usableMask(maskSlow) || !usableMask(maskPause)) {
        maskShoot = kDefaultShoot;
        maskSpecial = kDefaultSpecial;
        maskBomb = kDefaultBomb;
        maskSlow = kDefaultSlow;
        maskPause = kDefaultPause;
    }
    using veru::dxt::event::ButtonMap;
    buttons->setMask(ButtonMap::kShoot, maskShoot);
    buttons->setMask(ButtonMap::kSpecial, maskSpecial);
    buttons->setMask(ButtonMap::kBomb, maskBomb);
    buttons->setMask(ButtonMap::kSlow, maskSlow);
    buttons->setMask(ButtonMap::kPause, maskPause);
}

void GameSetting::save() {
    file->put(keyName(kScreen), fullScreen ? u"2" : u"1");
    YString levelText;
    if (level == kLevelEasy)
        levelText = u"10";
    if (level == kLevelNormal)
        levelText = u"11";
    if (level == kLevelHard)
        levelText = u"12";
    file->put(keyName(kLevel), levelText);
    file->put(keyName(kKeyBullet), YString::fromInt(maskShoot));
    file->put(keyName(kKeyKintuba), YString::fromInt(maskSpecial));
    file->put(keyName(kKeyBomb), YString::fromInt(maskBomb));
    file->put(keyName(kKeySlow), YString::fromInt(maskSlow));
    file->put(keyName(kKeyPause), YString::fromInt(maskPause));
    file->put(keyName(kScore), YString::fromInt(hiScore));
    file->put(keyName(kMusicVolume), YString::fromInt(musicVolume));
    file->put(keyName(kEffectVolume), YString::fromInt(effectVolume));
    file->put(keyName(kWindowScale), YString::fromInt(windowScale));
    file->write();
}

}  // namespace ml
