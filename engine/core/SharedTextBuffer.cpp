#include "engine/core/SharedTextBuffer.h"

#include <algorithm>

namespace veru {

char16_t sharedTextBuffer[kSharedTextBufferSize];

const char16_t* copyToSharedTextBuffer(std::u16string_view text) {
    if (text.size() >= kSharedTextBufferSize)
        return nullptr;
    std::copy(text.begin(), text.end(), sharedTextBuffer);
    sharedTextBuffer[text.size()] = u'\0';
    return sharedTextBuffer;
}

}  // namespace veru
