#include "engine/material/ColumnStream.h"

#include <algorithm>
#include <utility>

#include "engine/platform/image/Image.h"

namespace veru::dxt::material {

ColumnStream::ColumnStream(std::vector<std::uint8_t> file, int width, int height, int tileWidth)
    : file(std::move(file)),
      width(width),
      height(height),
      tileWidth(tileWidth),
      tiles(static_cast<std::size_t>(
          width > 0 && tileWidth > 0 ? (width + tileWidth - 1) / tileWidth : 0)),
      worker([this] { run(); }) {}

ColumnStream::~ColumnStream() {
    {
        std::lock_guard lock(guard);
        quit = true;
    }
    changed.notify_all();
    worker.join();
}

int ColumnStream::tileColumns(int tile) const {
    return std::min(tileWidth, width - tileLeft(tile));
}

void ColumnStream::want(int first, int last) {
    {
        std::lock_guard lock(guard);
        wantFirst = std::max(first, 0);
        wantLast = std::min(last, getTileCount() - 1);
        for (int i = 0; i < getTileCount(); ++i) {
            Tile& tile = tiles[static_cast<std::size_t>(i)];
            if (tile.state == State::ready && (i < wantFirst || i > wantLast)) {
                tile.state = State::none;
                std::vector<std::uint32_t>().swap(tile.pixels);
            }
        }
    }
    changed.notify_all();
}

ColumnStream::Result ColumnStream::take(int index, bool wait, std::vector<std::uint32_t>& pixels) {
    if (index < 0 || index >= getTileCount())
        return Result::failed;
    std::unique_lock lock(guard);
    Tile& tile = tiles[static_cast<std::size_t>(index)];
    const bool wanted = index >= wantFirst && index <= wantLast;
    if (wait && wanted && (tile.state == State::none || tile.state == State::decoding)) {
        ++waits;
        changed.wait(lock,
                     [&] { return tile.state == State::ready || tile.state == State::failed; });
    }
    switch (tile.state) {
        case State::ready:
            pixels = std::move(tile.pixels);
            tile.pixels = {};
            tile.state = State::held;
            return Result::ready;
        case State::failed:
            return Result::failed;
        default:
            return Result::notYet;
    }
}

void ColumnStream::letGo(int index) {
    if (index < 0 || index >= getTileCount())
        return;
    {
        std::lock_guard lock(guard);
        Tile& tile = tiles[static_cast<std::size_t>(index)];
        if (tile.state == State::held)
            tile.state = State::none;
    }
    changed.notify_all();
}

int ColumnStream::getReadyTiles() const {
    std::lock_guard lock(guard);
    return static_cast<int>(std::count_if(
        tiles.begin(), tiles.end(), [](const Tile& tile) { return tile.state == State::ready; }));
}

int ColumnStream::nextToDecode() const {
    for (int i = wantFirst; i <= wantLast; ++i) {
        if (tiles[static_cast<std::size_t>(i)].state == State::none)
            return i;
    }
    return -1;
}

void ColumnStream::give(int index, std::vector<std::uint32_t> pixels) {
    if (index < 0 || index >= getTileCount() ||
        pixels.size() !=
            static_cast<std::size_t>(tileColumns(index)) * static_cast<std::size_t>(height))
        return;
    const std::lock_guard lock(guard);
    Tile& tile = tiles[static_cast<std::size_t>(index)];
    if (tile.state != State::none)
        return;
    tile.pixels = std::move(pixels);
    tile.state = State::ready;
    changed.notify_all();
}

void ColumnStream::run() {
    std::unique_lock lock(guard);
    for (;;) {
        int index = -1;
        changed.wait(lock, [&] { return quit || (index = nextToDecode()) >= 0; });
        if (quit)
            return;
        tiles[static_cast<std::size_t>(index)].state = State::decoding;
        lock.unlock();
        // The bytes never change, and only this thread writes a decoding
        // tile: the decode runs without the lock.
        platform::Image image;
        bool decoded = false;
        try {
            decoded =
                platform::decodeImageColumns(file, tileLeft(index), tileColumns(index), image);
        } catch (...) {
            decoded = false;  // out of memory: the same as a refused picture
        }
        decoded = decoded && image.height == height;
        lock.lock();
        Tile& tile = tiles[static_cast<std::size_t>(index)];
        if (!decoded) {
            tile.state = State::failed;
        } else if (index >= wantFirst && index <= wantLast) {
            tile.pixels = std::move(image.pixels);
            tile.state = State::ready;
        } else {
            tile.state = State::none;  // no longer wanted while it was decoded
        }
        changed.notify_all();
    }
}

}  // namespace veru::dxt::material
