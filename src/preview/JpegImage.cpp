#include "preview/JpegImage.h"

#include "preview/Blitter.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace sw {

namespace {

// libjpeg reports fatal errors through a callback that must not return; it jumps
// back to the reader instead, which then gives up on the file.
struct ErrorManager {
    jpeg_error_mgr base;
    jpeg_progress_mgr progress;
    long long pixels = 0;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
    bool damaged = false;  // a warning about the data, such as a file cut short
};

// Larger than any picture a personality shows; a header that claims more is not
// believed (it would make the reader allocate gigabytes before reading a pixel).
constexpr long long kMaxJpegPixels = 64ll * 1024 * 1024;
constexpr unsigned kMaxJpegSide = 16384;

// A progressive picture is decoded scan by scan, each over the whole picture; a file
// that repeats a scan a thousand times would take minutes for a few hundred KB. No
// encoder writes more than a few dozen scans, and big pictures get fewer, so every
// picture costs at most about as much as this many scans of 64 Mpixel.
constexpr int kMaxJpegScans = 32;
constexpr int kMinJpegScans = 12;
constexpr long long kMaxJpegScanPixels = 2 * kMaxJpegPixels;

int scanLimit(long long pixels)
{
    if (pixels <= 0)
        return kMaxJpegScans;
    return int(std::clamp<long long>(kMaxJpegScanPixels / pixels, kMinJpegScans, kMaxJpegScans));
}

void onFatalError(j_common_ptr info);

// Called by libjpeg between passes and while it takes in the scans.
void onProgress(j_common_ptr info)
{
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    const int limit = scanLimit(manager->pixels);
    if (decompress->input_scan_number > limit) {
        std::snprintf(manager->message, sizeof manager->message,
                      "the picture has more than %d scans, more than a picture of its size may have", limit);
        std::longjmp(manager->escape, 1);
    }
}

void onFatalError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->escape, 1);
}

// Level -1 is a warning about damaged data; the picture read would be partly made up.
void onWarning(j_common_ptr info, int level)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && !manager->damaged) {
        manager->damaged = true;
        (*info->err->format_message)(info, manager->message);
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

QImage readJpegImage(const std::filesystem::path& file, std::string* error)
{
    std::unique_ptr<std::FILE, FileCloser> in(std::fopen(file.string().c_str(), "rb"));
    if (!in) {
        if (error)
            *error = "cannot open the file";
        return {};
    }

    // Everything the error path touches lives outside the jump.
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    errors.base.emit_message = onWarning;
    QImage image;
    std::vector<JSAMPLE> row;

    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        if (error)
            *error = errors.message;
        return {};
    }
    jpeg_create_decompress(&info);
    errors.progress.progress_monitor = onProgress;
    info.progress = &errors.progress;
    jpeg_stdio_src(&info, in.get());
    jpeg_read_header(&info, TRUE);
    errors.pixels = (long long)info.image_width * info.image_height;
    if (info.image_width > kMaxJpegSide || info.image_height > kMaxJpegSide ||
        (long long)info.image_width * info.image_height > kMaxJpegPixels) {
        jpeg_destroy_decompress(&info);
        if (error)
            *error = "picture too large";
        return {};
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    info.buffered_image = FALSE;  // no progressive passes: the finished picture only
    jpeg_start_decompress(&info);

    const int width = int(info.output_width), height = int(info.output_height);
    const int channels = info.output_components;
    image = QImage(width, height, kSkinFormat);
    if (image.isNull()) {
        jpeg_destroy_decompress(&info);
        if (error)
            *error = "picture too large";
        return {};
    }
    row.resize(std::size_t(width) * std::size_t(channels));
    // Adobe writes CMYK inverted; that is what such files nearly always hold.
    const bool inverted = cmyk && info.saw_Adobe_marker;
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const int y = int(info.output_scanline);
        jpeg_read_scanlines(&info, rows, 1);
        auto* out = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const JSAMPLE* in8 = row.data();
        if (channels == 3) {
            for (int x = 0; x < width; ++x, in8 += 3)
                out[x] = 0xFF000000u | (uint32_t(in8[0]) << 16) | (uint32_t(in8[1]) << 8) | in8[2];
        } else if (channels == 4) {
            for (int x = 0; x < width; ++x, in8 += 4) {
                int c = in8[0], m = in8[1], yl = in8[2], k = in8[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    yl = 255 - yl;
                    k = 255 - k;
                }
                out[x] = 0xFF000000u | (uint32_t(c * k / 255) << 16) | (uint32_t(m * k / 255) << 8) |
                         uint32_t(yl * k / 255);
            }
        } else {
            for (int x = 0; x < width; ++x)
                out[x] = 0xFF000000u | (uint32_t(in8[x]) * 0x010101u);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (errors.damaged) {
        if (error)
            *error = errors.message;
        return {};
    }
    return image;
}

}  // namespace sw

namespace sw {

bool writeJpegImage(const QImage& image, const std::filesystem::path& file, int quality, std::string* error)
{
    if (image.isNull()) {
        if (error)
            *error = "no picture";
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> out(std::fopen(file.string().c_str(), "wb"));
    if (!out) {
        if (error)
            *error = "cannot create the file";
        return false;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&info);
        if (error)
            *error = errors.message;
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out.get());
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Baseline only: some skin sites and old viewers cannot show progressive files.
    info.progressive_mode = FALSE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row[1] = {const_cast<JSAMPLE*>(rgb.constScanLine(int(info.next_scanline)))};
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    if (std::fflush(out.get()) != 0 || std::ferror(out.get())) {
        if (error)
            *error = "cannot write the file";
        return false;
    }
    return true;
}

}  // namespace sw
