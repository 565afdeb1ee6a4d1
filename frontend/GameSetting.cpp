#include "frontend/GameSetting.h"

#include "engine/core/ValueParser.h"
#include "engine/exceptions/Exception.h"
#include "engine/input/InputInterface.h"
#include "engine/window/MessageBox.h"

namespace ml {

using veru::YString;

bool GameSetting::usableMask(int mask) {
    return mask != 0 && (mask & ~veru::dxt::event::kButtonBits) == 0;
}

YString GameSetting::keyName(int code) {
    switch (code) {
        case kScreen:
            return u"SCREEN";
        case kLevel:
            return u"LEVEL";
        case kKeyBullet:
            return u"KEYbullet";
        case kKeyKintuba:
            return u"KEYkintuba";
        case kKeyBomb:
            return u"KEYbomb";
        case kKeySlow:
            return u"KEYslow";
        case kKeyPause:
            return u"KEYpause";
        case kScore:
            return u"SCORE";
        default:
            return YString();
    }
}

GameSetting::GameSetting(const YString& fileName, veru::dxt::event::ButtonMap* buttonMap)
    : buttons(buttonMap ? buttonMap : &veru::dxt::event::ButtonMap::global()) {
    try {
        file = std::make_unique<veru::io::KeyValueFile>(fileName);
        load();
    } catch (const veru::excp::Exception& error) {
        recoverFromBrokenFile(fileName, error);
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
}

void GameSetting::recoverFromBrokenFile(const YString& fileName,
                                        const veru::excp::Exception& error) {
    // Keep the unreadable file for the player (nothing is lost) and start
    // with an empty store, which the next save writes out in full.
    const YString brokenName = fileName + u".broken";
    veru::io::YFile broken(fileName);
    const bool kept = broken.exists && broken.renameTo(brokenName);
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

int GameSetting::readValue(int code, int fallback) const {
    const YString key = keyName(code);
    if (!file->has(key))
        return fallback;
    return veru::parseInt(file->get(key));
}

void GameSetting::load() {
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
    file->write();
}

}  // namespace ml
