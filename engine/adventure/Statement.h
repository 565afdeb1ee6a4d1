#pragma once
// Statement: one line of a talk script split into its keyword and arguments.
//
// A line is split at any of ": ,()", so "Face(siro)" and "Face: siro" are the
// same statement. A missing argument reads as the empty text. An argument
// in double quotes is taken whole, spaces, commas and brackets included
// (English sentences: Sentence(Shiro, "Wait, you two!", NORMAL, false, false)).
//
//   BGM name | stop              SE name | stop
//   Face name | null             Back name | null
//   Sentence speaker text size fadeIn instant
//   Wait milliseconds            break          end

#include <vector>

#include "engine/core/YString.h"

namespace veru::adv {

class Statement {
  public:
    explicit Statement(const YString& line);

    const YString& keyword() const { return words.empty() ? empty : words.front(); }
    // Argument `index` (0 = the first after the keyword); empty when missing.
    const YString& argument(std::size_t index) const;
    std::size_t argumentCount() const { return words.empty() ? 0 : words.size() - 1; }

  private:
    std::vector<YString> words;
    YString empty;
};

// The font size of a sentence's size word: "SMALL"/"Small" 15, "BIG" 36,
// anything else 23.
int fontSizeForWord(const YString& word);

}  // namespace veru::adv
