#include "game/settings/GameSetting.h"

#include <algorithm>
#include <optional>

#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/exceptions/IOException.h"
#include "engine/input/InputInterface.h"
#include "engine/platform/FileSystem.h"

namespace ml {

using settings::info;
using settings::KeyInfo;
using settings::ValueType;
using veru::YString;

bool GameSetting::usableMask(int mask) {
    return mask != 0 && (mask & ~veru::dxt::event::kButtonBits) == 0;
}

namespace {

using veru::dxt::event::ActionBindings;
using veru::dxt::event::Control;

static_assert(static_cast<int>(Control::up) == 0 && static_cast<int>(Control::pause) == 8,
              "the keys and pad-button rows name controls by these numbers");

Control controlOf(const KeyInfo& row) {
    return static_cast<Control>(row.slot);
}

}  // namespace

bool GameSetting::accepts(Key key, int value) {
    const KeyInfo& row = info(key);
    switch (row.type) {
        case ValueType::buttons:
            return usableMask(value);
        case ValueType::keys:
            return ActionBindings::canHoldKeys(controlOf(row), value);
        case ValueType::padButtons:
            return ActionBindings::canHoldPadButtons(controlOf(row), value);
        default:
            return value >= row.low && value <= row.high;
    }
}

namespace {

constexpr settings::Key keyAt(std::size_t index) {
    return static_cast<settings::Key>(index);
}

// An optional '-' and decimal digits, nothing else, within the int range:
// what the writer writes. Anything more lenient would read a damaged "12abc"
// as 12, or "<" as 0.
std::optional<int> strictInt(const std::u16string& text) {
    std::size_t i = (!text.empty() && text[0] == u'-') ? 1 : 0;
    if (i >= text.size())
        return std::nullopt;
    long long n = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        n = n * 10 + (text[i] - u'0');
        if (n > 0x80000000LL)
            return std::nullopt;
    }
    if (text[0] == u'-')
        n = -n;
    if (n > 0x7FFFFFFFLL)
        return std::nullopt;
    return static_cast<int>(n);
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

YString listItem(const KeyInfo& row) {
    return YString(row.what).append(u"「").append(row.name).append(u"」");
}

}  // namespace

GameSetting::GameSetting(const YString& fileName, veru::dxt::event::ButtonMap* buttonMap,
                         ActionBindings* actionBindings)
    : buttons(buttonMap ? buttonMap : &veru::dxt::event::ButtonMap::global()),
      bindings(actionBindings ? actionBindings : &ActionBindings::global()) {
    setDefaults();
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
        for (const YString& line : badValues)
            reason.append(line).append(u"\n");
        reportDamage(fileName, reason);
    }
}

int GameSetting::value(Key key) const {
    const KeyInfo& row = info(key);
    switch (row.type) {
        case ValueType::buttons:
            return buttons->mask(row.slot);
        case ValueType::keys:
            return bindings->storedKeys(controlOf(row));
        case ValueType::padButtons:
            return bindings->storedPadButtons(controlOf(row));
        default:
            return values[static_cast<std::size_t>(key)];
    }
}

void GameSetting::setValue(Key key, int value) {
    const KeyInfo& row = info(key);
    switch (row.type) {
        case ValueType::buttons:
            buttons->setMask(row.slot, value);
            break;
        case ValueType::keys:
            bindings->restoreKeys(controlOf(row), value);  // one it cannot hold changes nothing
            break;
        case ValueType::padButtons:
            bindings->restorePadButtons(controlOf(row), value);
            break;
        default:
            values[static_cast<std::size_t>(key)] = std::clamp(value, row.low, row.high);
            break;
    }
}

int GameSetting::fallbackOf(Key key) const {
    const KeyInfo& row = info(key);
    if (row.fallback != settings::kFromMasks)
        return row.fallback;
    ActionBindings defaults;
    defaults.restoreDefaults(*buttons);
    return row.type == ValueType::keys ? defaults.storedKeys(controlOf(row))
                                       : defaults.storedPadButtons(controlOf(row));
}

int GameSetting::getLevel() const {
    return kLevelEasy + value(Key::level) - info(Key::level).low;
}

void GameSetting::setLevel(int levelCode) {
    setValue(Key::level, levelCode - kLevelEasy + info(Key::level).low);
}

void GameSetting::setDefaults() {
    // In table order: the masks come before the bindings that follow them.
    for (std::size_t i = 0; i < settings::kKeyCount; ++i)
        setValue(keyAt(i), fallbackOf(keyAt(i)));
}

void GameSetting::readKey(Key key) {
    const KeyInfo& row = info(key);
    const YString name = row.name;
    if (!file->has(name)) {
        setValue(key, fallbackOf(key));
        return;
    }
    const YString text = file->get(name);
    const std::optional<int> number = strictInt(text);
    if (file->hasExactRecord(name) && number && accepts(key, *number)) {
        setValue(key, *number);
        return;
    }
    setValue(key, fallbackOf(key));
    unreadKeys.push_back(name);
    badValues.push_back(YString(u"「")
                            .append(name)
                            .append(u"」の値「")
                            .append(text)
                            .append(u"」は使えない値でした。"));
}

void GameSetting::load() {
    unreadKeys.clear();
    badValues.clear();
    for (std::size_t i = 0; i < settings::kKeyCount; ++i)
        readKey(keyAt(i));
    applyMasks();
    carryOldScore();
}

// A file from before the records held one high score for every heroine and
// difficulty. It counts as Shiro's record on the difficulty the file was set
// to; from the next save on the file has records and this finds nothing to
// do. "SCORE" itself stays as it was.
void GameSetting::carryOldScore() {
    if (!file->has(info(Key::score).name))
        return;
    for (const settings::RecordKeys& row : settings::kRecordKeys) {
        if (file->has(info(row.score).name))
            return;
    }
    const int level = value(Key::level) - info(Key::level).low;
    for (const settings::RecordKeys& row : settings::kRecordKeys) {
        if (row.character == settings::kOldScoreCharacter && row.level == level)
            setValue(row.score, std::max(value(row.score), getHiScore()));
    }
}

void GameSetting::applyMasks() {
    bool usable = true;
    for (std::size_t i = 0; i < settings::kKeyCount; ++i) {
        if (settings::kKeys[i].type == ValueType::buttons)
            usable = usable && usableMask(value(keyAt(i)));
    }
    if (usable)
        return;
    for (std::size_t i = 0; i < settings::kKeyCount; ++i) {
        if (settings::kKeys[i].type == ValueType::buttons)
            setValue(keyAt(i), settings::kKeys[i].fallback);
    }
}

void GameSetting::save() {
    applyMasks();
    for (std::size_t i = 0; i < settings::kKeyCount; ++i)
        file->put(settings::kKeys[i].name, YString::fromInt(value(keyAt(i))));
    try {
        file->write();
    } catch (const veru::excp::Exception& error) {
        throw veru::excp::IOException(YString(u"IOException::設定ファイル「")
                                          .append(file->getFile().path)
                                          .append(u"」を保存できませんでした。\n")
                                          .append(error.getMessage()));
    }
}

YString GameSetting::keepBrokenCopy(const YString& fileName) const {
    const YString brokenName = freeBackupName(fileName);
    if (brokenName.empty() || !veru::platform::copyFile(fileName, brokenName))
        return YString();
    return brokenName;
}

void GameSetting::reportDamage(const YString& fileName, const YString& reason) {
    // Keep the damaged file for the player under a name of its own, and
    // write what could be read back at once: a crash before the normal save
    // must not leave the player with less than this start found.
    const YString brokenName = keepBrokenCopy(fileName);
    YString text = YString(u"設定ファイル「") + fileName + u"」の一部が壊れていました。\n";
    YString keptList, lostList;
    for (const KeyInfo& row : settings::kKeys) {
        const bool unread =
            std::find(unreadKeys.begin(), unreadKeys.end(), YString(row.name)) != unreadKeys.end();
        if (unread || !file->has(row.name)) {
            // A key missing from a damaged file was lost with the damage,
            // unless older files never had it.
            if (unread || (file->isDamaged() && row.inEveryFile))
                lostList.append(lostList.empty() ? u"" : u"、").append(listItem(row));
        } else {
            keptList.append(keptList.empty() ? u"" : u"、").append(listItem(row));
        }
    }
    text.append(u"読めた設定（")
        .append(keptList.empty() ? YString(u"なし") : keptList)
        .append(u"）はそのまま使います。\n");
    if (!lostList.empty())
        text.append(u"読めなかった設定（").append(lostList).append(u"）は初期設定に戻します。\n");
    if (!brokenName.empty()) {
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
    // with an empty store, written out in full at once.
    const YString brokenName = keepBrokenCopy(fileName);
    file = std::make_unique<veru::io::KeyValueFile>(fileName, false);
    setDefaults();
    if (!brokenName.empty()) {
        try {
            save();
        } catch (const veru::excp::Exception&) {
            // The normal save at the end reports it.
        }
    }

    YString text =
        YString(u"設定ファイル「") + fileName + u"」を読めなかったため、初期設定で始めます。\n";
    if (!brokenName.empty()) {
        text.append(u"読めなかったファイルは「")
            .append(brokenName)
            .append(u"」として残してあります。\n");
    }
    text.append(u"\n").append(error.getMessage());
    veru::awt::showError(text, u"GameSetting::GameSetting()");
}

veru::Language GameSetting::languageFor(veru::Language desktop) const {
    switch (getLanguage()) {
        case kLanguageJapanese:
            return veru::Language::japanese;
        case kLanguageEnglish:
            return veru::Language::english;
        default:
            return desktop;
    }
}

}  // namespace ml
