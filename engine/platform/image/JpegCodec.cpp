// JPEG through libjpeg(-turbo). libjpeg reports a fatal error by calling
// error_exit, which must not return; ours longjmps back to runDecoder (or
// runEncoder). Those frames and the library's own hold no C++ objects with
// destructors; the library state lives in JpegDecoder / JpegEncoder, which
// the caller destroys normally.
#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "engine/platform/image/ImageCodecs.h"

namespace veru::platform {

namespace {

// A progressive file may carry any number of scans; each one walks the
// whole picture. Real pictures have about ten.
constexpr long kMaxScans = 500;
// Memory libjpeg may take for its own buffers (progressive coefficients).
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;

struct JpegErrors {
    jpeg_error_mgr manager;  // first, so the library's pointer is ours too
    std::jmp_buf jump;
    bool truncated = false;
};

[[noreturn]] void leaveLibjpeg(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

void noteMessage(j_common_ptr info, int level) {
    // Warnings are tolerated (many cameras write small faults), except the
    // end of the data arriving early: a cut file is refused.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<JpegErrors*>(info->err)->truncated = true;
}

void printNothing(j_common_ptr) {}

void limitScans(j_common_ptr info) {
    if (info->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        leaveLibjpeg(info);
}

// Owns one libjpeg decompressor; destroys it on every path.
class JpegDecoder {
  public:
    JpegDecoder() {
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = leaveLibjpeg;
        errors.manager.emit_message = noteMessage;
        errors.manager.output_message = printNothing;
        progress.progress_monitor = limitScans;
    }
    ~JpegDecoder() {
        if (created)
            jpeg_destroy_decompress(&info);
    }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    jpeg_decompress_struct info{};
    JpegErrors errors;
    jpeg_progress_mgr progress{};
    bool created = false;
};

constexpr J_COLOR_SPACE kArgbSpace =
    std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;

std::uint32_t cmykToArgb(const JSAMPLE* p, bool inverted) {
    unsigned c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {  // Adobe writes the channels inverted; others do not
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    const unsigned r = c * k / 255, g = m * k / 255, b = y * k / 255;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// The columns a decode keeps: all of them when `width` is 0.
struct ColumnRange {
    int left = 0;
    int width = 0;
};

// Columns decoded beyond each side of a cut range, in units of the file's
// block columns: chroma upsampling and the smoothing of progressive files
// look up to two blocks sideways, and at the edge of a cut libjpeg would
// repeat the edge instead.
constexpr int kCutMarginBlocks = 2;

// Everything that may end in leaveLibjpeg runs here. Only plain locals.
bool runDecoder(JpegDecoder& d, std::span<const std::uint8_t> file, Image& out, bool headerOnly,
                ColumnRange columns, std::vector<JSAMPLE>& row) {
    if (setjmp(d.errors.jump))
        return false;
    d.created = true;
    jpeg_create_decompress(&d.info);
    d.info.progress = &d.progress;
    d.info.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&d.info, file.data(), static_cast<unsigned long>(file.size()));
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK)
        return false;
    if (!detail::acceptableSize(d.info.image_width, d.info.image_height))
        return false;
    const int fullWidth = static_cast<int>(d.info.image_width);
    if (columns.width == 0)
        columns = {0, fullWidth};
    if (columns.left < 0 || columns.width < 0 || columns.left > fullWidth - columns.width)
        return false;
    out.width = columns.width;
    out.height = static_cast<int>(d.info.image_height);
    out.hasAlpha = false;
    if (headerOnly)
        return true;

    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : kArgbSpace;
    jpeg_start_decompress(&d.info);
    if (d.info.output_width != d.info.image_width || d.info.output_height != d.info.image_height)
        return false;
    // Decoded columns [first, first + decoded): the kept ones and a margin,
    // widened by libjpeg to whole block columns on the left.
    JDIMENSION first = 0;
    JDIMENSION decoded = d.info.output_width;
    if (columns.width < fullWidth) {
        const int margin = kCutMarginBlocks * d.info.max_h_samp_factor * DCTSIZE;
        const int left = std::max(columns.left - margin, 0);
        first = static_cast<JDIMENSION>(left);
        decoded = static_cast<JDIMENSION>(
            std::min(columns.left + columns.width + margin, fullWidth) - left);
        jpeg_crop_scanline(&d.info, &first, &decoded);
    }
    const std::size_t skip = static_cast<std::size_t>(columns.left) - first;
    const auto width = static_cast<std::size_t>(out.width);
    // Straight into the picture when every decoded column is kept.
    const bool direct = !cmyk && decoded == width;
    out.pixels.resize(width * static_cast<std::size_t>(out.height));
    if (!direct)
        row.resize(static_cast<std::size_t>(decoded) * 4);
    while (d.info.output_scanline < d.info.output_height) {
        const std::size_t y = d.info.output_scanline;
        std::uint32_t* target = &out.pixels[y * width];
        JSAMPROW into = direct ? reinterpret_cast<JSAMPROW>(target) : row.data();
        if (jpeg_read_scanlines(&d.info, &into, 1) != 1)
            return false;
        if (d.errors.truncated)
            return false;  // the rest would be made-up grey
        if (direct)
            continue;
        const JSAMPLE* from = row.data() + skip * 4;
        if (cmyk) {
            for (std::size_t x = 0; x < width; ++x)
                target[x] = cmykToArgb(from + x * 4, d.info.saw_Adobe_marker);
        } else {
            std::memcpy(target, from, width * 4);
        }
    }
    jpeg_finish_decompress(&d.info);
    return !d.errors.truncated;
}

// Owns one libjpeg compressor and the memory it writes to.
class JpegEncoder {
  public:
    JpegEncoder() {
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = leaveLibjpeg;
        errors.manager.emit_message = noteMessage;
        errors.manager.output_message = printNothing;
    }
    ~JpegEncoder() {
        if (created)
            jpeg_destroy_compress(&info);
        std::free(buffer);  // allocated by libjpeg's memory destination
    }
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    jpeg_compress_struct info{};
    JpegErrors errors;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool created = false;
};

bool runEncoder(JpegEncoder& e, const Image& image, const JpegEncoding& how) {
    if (setjmp(e.errors.jump))
        return false;
    e.created = true;
    jpeg_create_compress(&e.info);
    jpeg_mem_dest(&e.info, &e.buffer, &e.size);
    e.info.image_width = static_cast<JDIMENSION>(image.width);
    e.info.image_height = static_cast<JDIMENSION>(image.height);
    e.info.input_components = 4;
    e.info.in_color_space = kArgbSpace;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, how.quality, TRUE);
    if (how.fullColour)
        e.info.comp_info[0].h_samp_factor = e.info.comp_info[0].v_samp_factor = 1;
    if (how.progressive)
        jpeg_simple_progression(&e.info);
    jpeg_start_compress(&e.info, TRUE);
    const auto width = static_cast<std::size_t>(image.width);
    while (e.info.next_scanline < e.info.image_height) {
        // libjpeg only reads the row, whatever its pointer type says.
        auto* row = const_cast<JSAMPLE*>(
            reinterpret_cast<const JSAMPLE*>(&image.pixels[e.info.next_scanline * width]));
        jpeg_write_scanlines(&e.info, &row, 1);
    }
    jpeg_finish_compress(&e.info);
    return true;
}

}  // namespace

bool encodeJpeg(const Image& image, std::vector<std::uint8_t>& out, int quality) {
    return encodeJpeg(image, out, JpegEncoding{.quality = quality});
}

bool encodeJpeg(const Image& image, std::vector<std::uint8_t>& out, const JpegEncoding& how) {
    out.clear();
    if (!detail::acceptableSize(image.width, image.height) || how.quality < 1 || how.quality > 100)
        return false;
    if (image.pixels.size() !=
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return false;
    JpegEncoder encoder;
    if (!runEncoder(encoder, image, how))
        return false;
    out.assign(encoder.buffer, encoder.buffer + encoder.size);
    return true;
}

namespace detail {

bool isJpeg(std::span<const std::uint8_t> file) {
    return file.size() >= 3 && file[0] == 0xFF && file[1] == 0xD8 && file[2] == 0xFF;
}

bool decodeJpeg(std::span<const std::uint8_t> file, Image& out, bool headerOnly) {
    return decodeJpegColumns(file, 0, 0, out, headerOnly);
}

bool decodeJpegColumns(std::span<const std::uint8_t> file, int left, int width, Image& out,
                       bool headerOnly) {
    JpegDecoder decoder;
    std::vector<JSAMPLE> row;
    if (runDecoder(decoder, file, out, headerOnly, ColumnRange{left, width}, row))
        return true;
    out = Image{};
    return false;
}

}  // namespace detail

}  // namespace veru::platform
