#pragma once
// KeptFiles: what a worker reading a scene ahead made of some files (decoded
// pictures, sounds, tunes), kept by the file it came from until the scene's
// create takes it or the scene manager drops what was not taken.
//
// A value is found only by the same file (PictureFile: the file system's own
// name of it, its size and modification time), so a file replaced meanwhile
// is read again.
//
// Ownership: owns the kept values until take hands one over or drop frees them.
// Thread: any thread (one mutex); values are freed outside it.

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "engine/material/PicturePreload.h"

namespace veru::dxt::material {

template <typename Value>
class KeptFiles {
  public:
    // Keeps `value` for `file`; a value already kept for it stays.
    void keep(const PictureFile& file, Value value) {
        const std::lock_guard guard(lock);
        values.try_emplace(file, std::move(value));
    }
    bool has(const PictureFile& file) const {
        const std::lock_guard guard(lock);
        return values.contains(file);
    }
    // Hands over the value kept for `file`, which leaves the store.
    std::optional<Value> take(const PictureFile& file) {
        const std::lock_guard guard(lock);
        auto found = values.find(file);
        if (found == values.end())
            return std::nullopt;
        Value value = std::move(found->second);
        values.erase(found);
        return value;
    }
    // The same for the file at `path` as it is now (colour key 0).
    std::optional<Value> take(const YString& path) {
        PictureFile file;
        if (!PictureFile::of(path, 0, file))
            return std::nullopt;
        return take(file);
    }
    void drop() {
        std::map<PictureFile, Value> gone;
        {
            const std::lock_guard guard(lock);
            gone.swap(values);
        }
    }
    std::size_t count() const {
        const std::lock_guard guard(lock);
        return values.size();
    }
    // Calls `visit` with each kept value, under the lock.
    template <typename Visit>
    void each(Visit visit) const {
        const std::lock_guard guard(lock);
        for (const auto& entry : values)
            visit(entry.second);
    }

  private:
    mutable std::mutex lock;
    std::map<PictureFile, Value> values;
};

}  // namespace veru::dxt::material
