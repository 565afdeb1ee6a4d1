#include "engine/core/MessageText.h"

#include <utility>

namespace veru::awt {

namespace {

// Japanese phrase -> English phrase, longest first where one holds another.
constexpr std::pair<const char16_t*, const char16_t*> kPhrases[] = {
    {u"エラー", u"Error"},
    {u"表示", u"Notice"},
    {u"サウンドデバイスが見つからないため、音なしで動いています。(no sound device was found)",
     u"No sound device was found: the game runs without sound."},
    {u"ゲームのデータ（img, sound, script）が見つかりません。",
     u"The game's data (img, sound, script) cannot be found."},
    {u"探した場所：", u"Looked in:"},
    {u"Scene作成中に問題が起こりました。", u"A scene could not be prepared."},
    {u"ファイルが見つかりませんでした。", u"The file cannot be found."},
    {u"：ファイルがありません。", u": the file is missing. "},
    {u"を代わりに使います。", u" is used instead."},
    {u"：ファイルが空です。", u": the file is empty."},
    {u"：ファイルが大きすぎます（", u": the file is too large (at most "},
    {u"KBまで）。", u" KB)."},
    {u"ファイルの終端に来ています。", u"The file ends too early."},
    {u"ファイルが途中で切れています", u"The file is cut short"},
    {u"文字列の長さがファイルの残りと合いません。",
     u"A text's length does not match the rest of the file."},
    {u"有効なファイルでありません。", u"This is not a valid file."},
    {u"通常のファイルではないため読みませんでした。", u"Not a regular file: it was not read."},
    {u"画像の読込みに失敗しました。：", u"A picture could not be read: "},
    {u"OggFileの読み込みに失敗しました。", u"An Ogg file could not be read."},
    {u"WaveFileの読み込みに失敗しました。", u"A wave file could not be read."},
    {u"リプレイファイルが壊れています。：", u"The replay file is damaged: "},
    {u"文字列がbool値のフォーマットでありません。：", u"Not true or false: "},
    {u"文字列がint値のフォーマットでありません。：", u"Not a whole number: "},
    {u"1P_Talk(…) か 2P_Talk(…) の行ではありません。", u"Not a 1P_Talk(...) or 2P_Talk(...) line."},
    {u"の会話と行が合いません（", u": its talk does not match line for line (line "},
    {u"設定ファイル「", u"The settings file \""},
    {u"」の一部が壊れていました。", u"\" was partly damaged."},
    {u"」を保存できませんでした。", u"\" could not be saved."},
    {u"」の値「", u"\": the value \""},
    {u"」は使えない値でした。", u"\" cannot be used."},
    {u"読めた設定（なし）はそのまま使います。", u"No setting could be read."},
    {u"読めた設定（", u"The settings that could be read ("},
    {u"）はそのまま使います。", u") are kept."},
    {u"読めなかった設定（", u"The settings that could not be read ("},
    {u"）は初期設定に戻します。", u") go back to their defaults."},
    {u"元のファイルは「", u"The original file is kept as \""},
    {u"読めなかったファイルは「", u"The unreadable file is kept as \""},
    {u"」として残してあります。", u"\"."},
    {u"」を読めなかったため、初期設定で始めます。",
     u"\" could not be read: the game starts with the default settings."},
    // The settings' names, as the settings messages list them.
    {u"ショットのボタン", u"shot button"},
    {u"きんつばのボタン", u"kintsuba button"},
    {u"ボムのボタン", u"bomb button"},
    {u"低速のボタン", u"slow button"},
    {u"ポーズのボタン", u"pause button"},
    {u"ハイスコア", u"high score"},
    {u"効果音の音量", u"effects volume"},
    {u"音楽の音量", u"music volume"},
    {u"ウィンドウの大きさ", u"window size"},
    {u"難易度", u"difficulty"},
    {u"画面", u"screen"},
    {u"言語", u"language"},
    {u"、", u", "},
    // Names in brackets, last: the phrases above hold some of these.
    {u"「", u" \""},
    {u"」", u"\""},
};

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "（12行目）" -> " (line 12)", keeping what follows.
YString lineNumbersInEnglish(const YString& text) {
    YString out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'（') {
            std::size_t end = i + 1;
            while (end < text.size() && isDigit(text[end]))
                ++end;
            if (end > i + 1 && text.compare(end, 3, u"行目）") == 0) {
                out.append(YString(u" (line ")).append(YString(text.substr(i + 1, end - i - 1)));
                out.push_back(u')');
                i = end + 3;
                continue;
            }
        }
        out.push_back(text[i]);
        ++i;
    }
    return out;
}

}  // namespace

YString playerText(const YString& text, Language language) {
    if (language == Language::japanese)
        return text;
    YString out = lineNumbersInEnglish(text);
    for (const auto& [japanese, english] : kPhrases)
        out = out.replaceAll(japanese, english);
    return out.replaceAll(u"：", u": ");
}

}  // namespace veru::awt
