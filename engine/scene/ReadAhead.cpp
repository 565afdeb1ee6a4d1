#include "engine/scene/ReadAhead.h"

#include <exception>
#include <utility>

#include "engine/core/MessageBox.h"
#include "engine/effects/Random.h"
#include "engine/exceptions/Exception.h"
#include "engine/material/PicturePreload.h"
#include "engine/platform/FileSystem.h"

namespace veru::dxt {

PrepareJob readAheadJob(std::function<void()> read) {
    return [read = std::move(read)](std::stop_token stop) {
        const material::PreloadPass pass(std::move(stop));
        const awt::QuietMessages quiet;
        const effect2D::ScratchRandom scratch;
        const platform::StatMemo memo;
        try {
            read();
        } catch (const excp::Exception&) {
            // create reads it again and shows what is wrong.
        } catch (const material::PreloadStopped&) {
            // The scene is wanted now: create reads the rest itself.
        } catch (const std::exception&) {
            // Out of memory or threads: create meets it again on the main thread.
        }
    };
}

}  // namespace veru::dxt
