#pragma once
// RAII owner of one iconv conversion descriptor.
//
// Ownership: the handle owns its descriptor and closes it on destruction.
// Thread: a descriptor keeps conversion state; use one handle per thread.
// Failure: construction throws veru::excp::Exception when the system has no
// converter for the pair of encodings (the message names both).

#include <string>
#include <string_view>

namespace veru::platform {

class IconvHandle {
  public:
    IconvHandle(const char* toEncoding, const char* fromEncoding);
    ~IconvHandle();
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    // Converts a whole byte run. An input byte sequence the converter
    // cannot take is replaced by `replacement` (already in the target
    // encoding) and skipped by `inputUnit` bytes (a whole surrogate pair for
    // UTF-16 input, where `inputUnit` is 2), so conversion never stops
    // half-way through a text.
    std::string convert(std::string_view input, std::string_view replacement,
                        std::size_t inputUnit);

  private:
    void* descriptor;
};

}  // namespace veru::platform
