#include "engine/platform/StderrMessageSink.h"

#include <cstdio>

namespace veru::platform {

void StderrMessageSink::show(awt::MessageKind kind, const YString& caption, const YString& text) {
    const char* label = kind == awt::MessageKind::error     ? "error"
                        : kind == awt::MessageKind::warning ? "warning"
                                                            : "info";
    std::string line =
        std::string("MIRELUNE ") + label + " [" + caption.toUtf8() + "] " + text.toUtf8() + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace veru::platform
