#include "game/StageTalkText.h"

#include "engine/adventure/TalkScriptFile.h"
#include "engine/core/Language.h"
#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/io/YFile.h"
#include "game/StageScript.h"

namespace ml {

using veru::YString;

std::vector<TalkText> readTalkTexts(const YString& path) {
    std::vector<TalkText> texts;
    for (const veru::adv::TalkLine& line : veru::adv::readNumberedTalkScript(path)) {
        const std::size_t open = line.text.find(u'(');
        const std::size_t close = line.text.rfind(u')');
        const std::u16string keyword = line.text.substr(0, open);
        const int side = keyword == u"1P_Talk" ? 1 : keyword == u"2P_Talk" ? 2 : 0;
        if (side == 0 || open == std::u16string::npos || close == std::u16string::npos ||
            close < open)
            throw veru::excp::Exception(veru::adv::talkScriptMessage(
                path, line.line, u"1P_Talk(…) か 2P_Talk(…) の行ではありません。"));
        texts.push_back({side, line.text.substr(open + 1, close - open - 1), line.line});
    }
    return texts;
}

void useStageTalkLanguage(const YString& stagePath, StageContent& content) {
    const veru::Language language = veru::currentLanguage();
    if (language == veru::Language::japanese)
        return;
    const YString path = veru::localizedPath(stagePath, language);
    try {
        if (!veru::io::YFile(path).exists)
            throw veru::excp::Exception(YString(path).append(u"：ファイルがありません。"));
        const std::vector<TalkText> texts = readTalkTexts(path);
        std::vector<StageStep*> talk;
        for (StageStep& step : content.steps) {
            if (step.word == StageWord::Talk1 || step.word == StageWord::Talk2)
                talk.push_back(&step);
        }
        // Checked whole before anything changes: the talk is all English or
        // all Japanese, never a mixture.
        for (std::size_t i = 0; i < texts.size() || i < talk.size(); ++i) {
            if (i >= texts.size() || i >= talk.size() || texts[i].side != talk[i]->side) {
                const int line = i < texts.size() ? texts[i].line : static_cast<int>(i) + 1;
                throw veru::excp::Exception(
                    veru::adv::talkScriptMessage(path, line,
                                                 YString(stagePath)
                                                     .append(u"の会話と行が合いません（")
                                                     .append(i < talk.size() ? talk[i]->line : 0)
                                                     .append(u"行目）。")));
            }
        }
        for (std::size_t i = 0; i < texts.size(); ++i)
            talk[i]->text = texts[i].text;
    } catch (const veru::excp::Exception& e) {
        veru::awt::showWarning(e.getMessage(), u"ShootingScene::create()");
    }
}

}  // namespace ml
