#pragma once
// ColumnStream: a wide JPEG picture kept as its file's bytes, its column
// tiles decoded one at a time on a worker thread as the caller asks for them.
//
// The picture is cut into columns `tileWidth` wide (the last one narrower),
// each of the picture's full height. The caller says which tiles it wants
// next (want); the worker decodes the wanted tiles not yet decoded, lowest
// first, and holds each one until the caller takes it (take). Tiles outside
// the wanted range are neither decoded nor held, so at most the wanted range
// of pixels is alive here at once.
//
// What a take returns never depends on the worker's timing: a take that
// waits gets the same pixels later. Waits are counted.
//
// Ownership: owns the file's bytes, the decoded tiles and the worker thread.
// Lifetime: the worker starts with the object and is stopped and joined by
// the destructor (a decode under way is finished first).
// Thread: every member is called on one thread (the caller's); the worker
// only decodes.
// Failure: the constructor throws std::system_error when no thread can be
// started. A tile the decoder refuses (or memory running out on the worker)
// makes take return Result::failed for it, never an exception on the worker.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace veru::dxt::material {

class ColumnStream {
  public:
    enum class Result { ready, notYet, failed };

    // `file` is a JPEG file of `width` x `height` pixels; tileWidth > 0.
    ColumnStream(std::vector<std::uint8_t> file, int width, int height, int tileWidth);
    ~ColumnStream();
    ColumnStream(const ColumnStream&) = delete;
    ColumnStream& operator=(const ColumnStream&) = delete;

    int getTileCount() const { return static_cast<int>(tiles.size()); }
    int getTileWidth() const { return tileWidth; }
    int getHeight() const { return height; }
    // The tile's first column and its width.
    int tileLeft(int tile) const { return tile * tileWidth; }
    int tileColumns(int tile) const;

    // Wants the tiles first .. last (clipped to the picture), to be decoded
    // in that order; the decoded tiles outside the range are let go.
    void want(int first, int last);
    // Moves the decoded pixels of `tile` (tileColumns x height, rows top
    // down) into `pixels`: ready. A wanted tile not decoded yet is waited
    // for when `wait`, else notYet. A tile outside the wanted range and not
    // decoded is notYet. After a take the tile counts as held by the caller
    // and is not decoded again until the caller lets it go (letGo).
    Result take(int tile, bool wait, std::vector<std::uint32_t>& pixels);
    // The caller no longer holds `tile`: it may be decoded again if wanted.
    void letGo(int tile);
    // `pixels` are `tile` decoded elsewhere (read ahead by another worker):
    // it is ready as if this stream's worker had decoded it. Ignored for a
    // tile outside the picture, one decoded or held already, or pixels not of
    // the tile's size.
    void give(int tile, std::vector<std::uint32_t> pixels);

    // How many takes found their tile not decoded yet and waited for it.
    std::size_t getWaits() const { return waits; }
    // How many decoded tiles the stream holds, not yet taken.
    int getReadyTiles() const;

  private:
    enum class State { none, decoding, ready, held, failed };
    struct Tile {
        State state = State::none;
        std::vector<std::uint32_t> pixels;
    };

    void run();
    // The lowest wanted tile nobody has decoded yet, or -1. Under `guard`.
    int nextToDecode() const;

    const std::vector<std::uint8_t> file;
    const int width;
    const int height;
    const int tileWidth;
    std::size_t waits = 0;

    mutable std::mutex guard;  // everything below
    std::condition_variable changed;
    std::vector<Tile> tiles;
    int wantFirst = 0;
    int wantLast = -1;
    bool quit = false;
    std::thread worker;  // last: starts once the members above exist
};

}  // namespace veru::dxt::material
