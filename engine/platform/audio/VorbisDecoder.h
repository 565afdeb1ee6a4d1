#pragma once
// VorbisDecoder: decodes an Ogg Vorbis file to little-endian signed 16-bit
// interleaved samples.
//
// Ownership: owns the decoder state and the open file; both are freed by
// close() or destruction.
// Thread: one thread at a time.
// Failure: open() returns false (missing file, not Ogg, not Vorbis); read()
// returns a negative number on a decoding error.

#include <cstdint>
#include <memory>
#include <string>

namespace veru::platform {

class VorbisDecoder {
  public:
    VorbisDecoder();
    ~VorbisDecoder();
    VorbisDecoder(const VorbisDecoder&) = delete;
    VorbisDecoder& operator=(const VorbisDecoder&) = delete;

    // `path` is given to the C library as it is (bytes of the file name).
    bool open(const std::string& path);
    bool isOpen() const;
    void close();

    int getChannels() const;
    int getRate() const;
    // Samples per channel of the whole stream; negative when unknown.
    std::int64_t getPcmTotal() const;
    // Samples per channel the stream's packets decode to, counted from their
    // block sizes when the file is opened (a few pages' worth of reading per
    // megabyte, no decoding). The true length is at most this; a claim above
    // it comes from a damaged last page. Negative when unknown.
    std::int64_t getDecodableSamples() const;
    // Back to the first sample; false when seeking fails.
    bool seekToStart();
    // Decodes up to `bytes` bytes; returns the bytes written, 0 at the end of
    // the stream, negative on a decoding error.
    long read(void* destination, int bytes);

  private:
    struct State;
    std::unique_ptr<State> state;
};

}  // namespace veru::platform
