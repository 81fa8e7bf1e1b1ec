#include "document/BitmapDecoder.h"

#include "store/FileBytes.h"
#include "store/StringOps.h"

#include <algorithm>
#include <bit>

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr uint32_t kCoreHeader = 12;
constexpr uint32_t kBlack = 0xFF000000u;

uint32_t little(std::string_view bytes, std::size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | uint8_t(bytes[at + std::size_t(i)]);
    return value;
}

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

// Windows widens a colour field to 8 bits by repeating its bits from the top
// (5 bits: 31 -> 255, 3 -> 24), not by shifting them up.
struct Channel {
    int shift = 0;
    uint32_t mask = 0;  // after the shift, at most 8 bits
    uint8_t widened[256] = {};

    explicit Channel(uint32_t fieldMask)
    {
        if (fieldMask == 0)
            return;
        shift = std::countr_zero(fieldMask);
        int bits = std::bit_width(fieldMask >> shift);
        if (bits > 8) {  // finer than 8 bits: its top 8 bits
            shift += bits - 8;
            bits = 8;
        }
        mask = (1u << bits) - 1;
        for (uint32_t value = 0; value <= mask; ++value) {
            uint32_t repeated = 0;
            int filled = 0;
            while (filled < 8) {
                repeated = (repeated << bits) | value;
                filled += bits;
            }
            widened[value] = uint8_t(repeated >> (filled - 8));
        }
    }
    uint32_t operator()(uint32_t pixel) const { return widened[(pixel >> shift) & mask]; }
};

// Pixels the stream never sets (RLE jumps, an early end) stay black, as in the
// zeroed memory of a new bitmap.
struct Canvas {
    uint32_t* pixels;
    int width, height;
    bool bottomUp;
    uint32_t* row(int y) const { return pixels + std::size_t(bottomUp ? height - 1 - y : y) * std::size_t(width); }
};

void decodePlain(std::string_view data, const BitmapFormat& f, const uint32_t* palette, const Canvas& out)
{
    const int width = out.width;
    for (int y = 0; y < out.height; ++y) {
        const auto* in = reinterpret_cast<const uint8_t*>(data.data()) + std::size_t(y) * f.rowBytes;
        uint32_t* dst = out.row(y);
        switch (f.bitsPerPixel) {
        case 1:
            for (int x = 0; x < width; ++x)
                dst[x] = palette[(in[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                dst[x] = palette[(in[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
            break;
        case 8:
            for (int x = 0; x < width; ++x)
                dst[x] = palette[in[x]];
            break;
        case 24:
            for (int x = 0; x < width; ++x, in += 3)
                dst[x] = kBlack | uint32_t(in[2]) << 16 | uint32_t(in[1]) << 8 | in[0];
            break;
        }
    }
}

// 16 and 32 bits: every pixel through its fields' masks. The alpha byte of 32-bit
// pixels is not blended but copied, so the colour shows as it is stored.
void decodeFields(std::string_view data, const BitmapFormat& f, const Canvas& out)
{
    const Channel red(f.masks[0]), green(f.masks[1]), blue(f.masks[2]);
    const int width = out.width;
    if (f.bitsPerPixel == 16) {
        std::vector<uint32_t> colours(65536);
        for (uint32_t value = 0; value < 65536; ++value)
            colours[value] = kBlack | red(value) << 16 | green(value) << 8 | blue(value);
        for (int y = 0; y < out.height; ++y) {
            const auto* in = reinterpret_cast<const uint8_t*>(data.data()) + std::size_t(y) * f.rowBytes;
            uint32_t* dst = out.row(y);
            for (int x = 0; x < width; ++x, in += 2)
                dst[x] = colours[uint32_t(in[0]) | uint32_t(in[1]) << 8];
        }
        return;
    }
    for (int y = 0; y < out.height; ++y) {
        const auto* in = reinterpret_cast<const uint8_t*>(data.data()) + std::size_t(y) * f.rowBytes;
        uint32_t* dst = out.row(y);
        for (int x = 0; x < width; ++x, in += 4) {
            const uint32_t value = uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
            dst[x] = kBlack | red(value) << 16 | green(value) << 8 | blue(value);
        }
    }
}

// Run-length encoded 8 or 4 bits. Runs past the end of a row are cut off there; a
// jump or an end of line past the last row, the end-of-bitmap code or the end of
// the data end the picture. The cost is bounded by the data's length.
void decodeRle(std::string_view data, bool fourBits, const uint32_t* palette, const Canvas& out)
{
    const auto* in = reinterpret_cast<const uint8_t*>(data.data());
    const std::size_t size = data.size();
    std::size_t at = 0;
    int x = 0, y = 0;
    auto put = [&](unsigned index) {
        if (x < out.width)
            out.row(y)[x] = palette[index];
        ++x;
    };
    while (at + 2 <= size && y < out.height) {
        const unsigned count = in[at], code = in[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count && x < out.width; ++i)
                put(fourBits ? ((i & 1) ? code & 15 : code >> 4) : code);
            continue;
        }
        if (code == 0) {  // end of line
            x = 0;
            ++y;
        } else if (code == 1) {  // end of bitmap
            break;
        } else if (code == 2) {  // jump right and down
            if (at + 2 > size)
                break;
            x += in[at];
            y += in[at + 1];
            at += 2;
        } else {  // `code` pixels as they are, padded to two bytes
            const std::size_t bytes = fourBits ? (code + 1) / 2 : code;
            if (at + bytes > size)
                break;
            for (unsigned i = 0; i < code; ++i)
                put(fourBits ? ((i & 1) ? in[at + i / 2] & 15 : in[at + i / 2] >> 4) : in[at + i]);
            at += (bytes + 1) & ~std::size_t(1);
        }
    }
}

}  // namespace

bool PixelBudget::take(const std::string& key, int64_t pixels)
{
    if (!key.empty() && taken_.count(key))
        return true;
    if (pixels > remaining_)
        return false;
    remaining_ -= pixels;
    if (!key.empty())
        taken_.insert(key);
    return true;
}

std::string pictureKind(std::string_view head)
{
    if (startsWith(head, "\xFF\xD8\xFF"))
        return "a JPEG picture";
    if (startsWith(head, "\x89PNG"))
        return "a PNG picture";
    if (startsWith(head, "GIF8"))
        return "a GIF picture";
    if (startsWith(head, "II*") || startsWith(head, "MM\0*"))
        return "a TIFF picture";
    if (startsWith(head, "RIFF") && head.size() >= 12 && head.substr(8, 4) == "WEBP")
        return "a WebP picture";
    if (startsWith(head, std::string_view("\0\0\1\0", 4)))
        return "an icon";
    if (startsWith(head, "BA") || startsWith(head, "CI") || startsWith(head, "CP") || startsWith(head, "IC") ||
        startsWith(head, "PT"))
        return "an OS/2 icon or bitmap array";
    return {};
}

std::string bitmapRefusal(const BitmapSize& size)
{
    if (size.width > kMaxBitmapSide || size.height > kMaxBitmapSide)
        return intToStr(size.width) + "x" + intToStr(size.height) + " pixels; a side may be at most " +
               intToStr(kMaxBitmapSide);
    if (int64_t(size.width) * size.height > kMaxBitmapPixels)
        return intToStr(size.width) + "x" + intToStr(size.height) + " pixels; a picture may have at most " +
               intToStr(kMaxBitmapPixels);
    return {};
}

std::string budgetRefusal(const BitmapSize& size)
{
    return intToStr(size.width) + "x" + intToStr(size.height) +
           " pixels past the bitmaps before it; the bitmaps of a personality may have at most " +
           intToStr(kDocumentPixelBudget) + " pixels in all";
}

namespace {

std::string hex(uint32_t value)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += digits[(value >> shift) & 15];
    return text;
}

// `drawable` adds what decoding needs beyond the headers: the limit of one picture
// and pixel data as long as the rows.
std::optional<BitmapFormat> parseHeaders(std::string_view head, std::uintmax_t fileSize, std::string& why,
                                         bool drawable)
{
    if (!startsWith(head, "BM")) {
        const std::string kind = pictureKind(head);
        why = kind.empty() ? "the file has no valid bitmap header" : "the file is " + kind + ", not a bitmap";
        return std::nullopt;
    }
    if (head.size() < kFileHeader + kCoreHeader) {
        why = "the file has no valid bitmap header";
        return std::nullopt;
    }
    const uint32_t headerSize = little(head, 14, 4);
    const bool core = headerSize == kCoreHeader;
    // 40 and the later 52, 56, 108, 124 are Windows' own; 16 to 64 otherwise the
    // second OS/2 header, whose compression codes past 2 mean something else.
    const bool windows = headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
                         headerSize == 124;
    const bool os2 = !windows && headerSize >= 16 && headerSize <= 64;
    if (!core && !windows && !os2) {
        why = "the file has a bitmap header of " + intToStr(int64_t(headerSize)) + " bytes, which is of no known kind";
        return std::nullopt;
    }
    if (fileSize < kFileHeader + headerSize || head.size() < kFileHeader + std::min<uint32_t>(headerSize, 40)) {
        why = "the file ends inside its bitmap header";
        return std::nullopt;
    }
    BitmapFormat f;
    int64_t width, height;
    unsigned planes;
    uint32_t compression = 0, coloursUsed = 0;
    if (core) {
        width = little(head, 18, 2);
        height = little(head, 20, 2);
        planes = little(head, 22, 2);
        f.bitsPerPixel = int(little(head, 24, 2));
        f.paletteEntrySize = 3;
    } else {
        width = int32_t(little(head, 18, 4));
        height = int32_t(little(head, 22, 4));
        planes = little(head, 26, 2);
        f.bitsPerPixel = int(little(head, 28, 2));
        if (headerSize >= 20)
            compression = little(head, 30, 4);
        if (headerSize >= 36)
            coloursUsed = little(head, 46, 4);
    }
    if (height < 0) {
        f.topDown = true;
        height = -height;
    }
    const int bits = f.bitsPerPixel;
    if (width <= 0 || height <= 0 || height > INT32_MAX) {
        why = "the bitmap header gives it " + intToStr(width) + "x" + intToStr(f.topDown ? -height : height) +
              " pixels";
        return std::nullopt;
    }
    if (windows && (compression == 4 || compression == 5)) {
        why = std::string("the bitmap holds a ") + (compression == 4 ? "JPEG" : "PNG") +
              " picture, which Windows does not draw as a bitmap";
        return std::nullopt;
    }
    if (planes != 1) {
        why = "the bitmap has " + intToStr(int64_t(planes)) + " planes, which Windows does not draw";
        return std::nullopt;
    }
    if (!(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
        why = "the bitmap has " + intToStr(bits) + " bits per pixel, which Windows does not draw";
        return std::nullopt;
    }
    f.size = {int(width), int(height)};
    if (std::string refusal = bitmapRefusal(f.size); drawable && !refusal.empty()) {
        why = "the preview cannot load it (" + refusal + ")";
        return std::nullopt;
    }

    const bool fieldsInHeader = headerSize >= 52 && windows;
    switch (compression) {
    case 0: break;
    case 1: f.compression = BitmapFormat::Rle8; break;
    case 2: f.compression = BitmapFormat::Rle4; break;
    case 3:
    case 6:  // bit fields with alpha: the alpha field is not drawn either way
        if (windows)
            f.compression = BitmapFormat::BitFields;
        break;
    default: break;
    }
    const bool known = compression == 0 || (compression <= 6 && f.compression != BitmapFormat::Plain);
    const bool fits = f.compression == BitmapFormat::Plain || (f.compression == BitmapFormat::Rle8 && bits == 8) ||
                      (f.compression == BitmapFormat::Rle4 && bits == 4) ||
                      (f.compression == BitmapFormat::BitFields && (bits == 16 || bits == 32));
    if (!known || !fits) {
        why = "the bitmap is compressed in a way Windows does not draw (compression " +
              intToStr(int64_t(compression)) + " with " + intToStr(bits) + " bits per pixel)";
        return std::nullopt;
    }
    if (f.topDown && (f.compression == BitmapFormat::Rle8 || f.compression == BitmapFormat::Rle4)) {
        why = "the bitmap is run-length compressed with its rows top-down, which Windows does not draw";
        return std::nullopt;
    }

    std::size_t afterHeader = kFileHeader + headerSize;
    if (f.compression == BitmapFormat::BitFields) {
        const std::size_t at = fieldsInHeader ? kFileHeader + 40 : afterHeader;
        if (head.size() < at + 12) {
            why = "the file ends inside its bit fields";
            return std::nullopt;
        }
        for (int i = 0; i < 3; ++i)
            f.masks[i] = little(head, at + std::size_t(4 * i), 4);
        if (!fieldsInHeader)
            afterHeader += 12;
        for (int i = 0; i < 3; ++i) {
            const uint32_t m = f.masks[i];
            const bool contiguous = m == 0 || std::has_single_bit((m >> std::countr_zero(m)) + 1);
            const bool overlapping = (m & f.masks[(i + 1) % 3]) != 0;
            if (!contiguous || overlapping || (bits == 16 && m > 0xFFFF)) {
                why = "the bitmap's colour fields (masks " + hex(f.masks[0]) + ", " + hex(f.masks[1]) + ", " +
                      hex(f.masks[2]) + ") are not runs of bits apart from each other";
                return std::nullopt;
            }
        }
    } else if (bits == 16) {
        f.masks[0] = 0x7C00, f.masks[1] = 0x03E0, f.masks[2] = 0x001F;
    } else if (bits == 32) {
        f.masks[0] = 0xFF0000, f.masks[1] = 0xFF00, f.masks[2] = 0xFF;
    }
    f.sixBitGreen = bits == 16 && f.masks[1] == 0x07E0;

    // The colour table: as many entries as the header says, of which only those an
    // index can reach count; missing ones (a short table) draw black.
    f.paletteOffset = afterHeader;
    std::size_t stored = 0;
    if (bits <= 8) {
        const std::size_t reachable = std::size_t(1) << bits;
        stored = (core || coloursUsed == 0) ? reachable : coloursUsed;
        f.paletteEntries = int(std::min(stored, reachable));
    } else if (!core) {
        stored = coloursUsed;  // an optimisation hint beside true colour, not drawn
    }
    // The pixels begin where the file header says; a pointer that cannot be right
    // (inside the headers or past the end) is taken as "right after the table".
    const std::size_t tableEnd = afterHeader + std::min<std::size_t>(stored, 1u << 16) * std::size_t(f.paletteEntrySize);
    const std::size_t offset = little(head, 10, 4);
    f.dataOffset = offset >= afterHeader && offset < fileSize ? offset : tableEnd;
    if (f.dataOffset < afterHeader + std::size_t(f.paletteEntries) * std::size_t(f.paletteEntrySize))
        f.paletteEntries = int((f.dataOffset - afterHeader) / std::size_t(f.paletteEntrySize));

    if (f.compression == BitmapFormat::Plain || f.compression == BitmapFormat::BitFields) {
        f.rowBytes = (std::size_t(f.size.width) * std::size_t(bits) + 31) / 32 * 4;
        const std::size_t lastRow = (std::size_t(f.size.width) * std::size_t(bits) + 7) / 8;
        const std::uintmax_t needed = f.dataOffset + f.rowBytes * std::size_t(f.size.height - 1) + lastRow;
        if (drawable && fileSize < needed) {
            why = "the file ends before its pixels do (" + intToStr(int64_t(fileSize)) + " of " +
                  intToStr(int64_t(needed)) + " bytes)";
            return std::nullopt;
        }
    }
    return f;
}

}  // namespace

std::optional<BitmapFormat> parseBitmapHeaders(std::string_view head, std::uintmax_t fileSize, std::string& why)
{
    return parseHeaders(head, fileSize, why, true);
}

bool decodeBitmap(std::string_view bytes, DecodedBitmap& out, std::string& why, PixelBudget* budget,
                  const std::string& key)
{
    std::optional<BitmapFormat> parsed = parseBitmapHeaders(bytes, bytes.size(), why);
    if (!parsed)
        return false;
    const BitmapFormat& f = *parsed;
    const int64_t pixels = int64_t(f.size.width) * f.size.height;
    if (budget && !budget->take(key, pixels)) {
        why = "the preview cannot load it (" + budgetRefusal(f.size) + ")";
        return false;
    }
    uint32_t palette[256];
    std::fill(std::begin(palette), std::end(palette), kBlack);
    for (int i = 0; i < f.paletteEntries; ++i) {
        const std::size_t at = f.paletteOffset + std::size_t(i) * std::size_t(f.paletteEntrySize);
        if (at + 3 > bytes.size())
            break;  // a table cut off by the end of the file: the rest is black
        palette[i] = kBlack | little(bytes, at, 3);
    }
    out.format = f;
    out.pixels.assign(std::size_t(pixels), kBlack);
    const Canvas canvas{out.pixels.data(), f.size.width, f.size.height, !f.topDown};
    const std::string_view data = bytes.substr(std::min(f.dataOffset, bytes.size()));
    switch (f.compression) {
    case BitmapFormat::Rle8: decodeRle(data, false, palette, canvas); break;
    case BitmapFormat::Rle4: decodeRle(data, true, palette, canvas); break;
    case BitmapFormat::BitFields: decodeFields(data, f, canvas); break;
    case BitmapFormat::Plain:
        if (f.bitsPerPixel == 16 || f.bitsPerPixel == 32)
            decodeFields(data, f, canvas);
        else
            decodePlain(data, f, palette, canvas);
        break;
    }
    return true;
}

namespace {

// Up to `limit` bytes of a regular file, read without waiting on a FIFO under a
// bitmap's name. Nothing when it cannot be opened or is not a regular file.
std::optional<std::string> readFileStart(const fs::path& file, std::size_t limit, std::uintmax_t& fileSize)
{
    std::string bytes;
    if (!sw::readFileStart(file, limit, bytes, fileSize))
        return std::nullopt;
    return bytes;
}

// The headers, the masks after them and the largest colour table.
constexpr std::size_t kHeadBytes = kFileHeader + 124 + 12;

}  // namespace

std::optional<BitmapFormat> readBitmapFormat(const fs::path& file, std::string& why)
{
    std::uintmax_t fileSize = 0;
    std::optional<std::string> head = readFileStart(file, kHeadBytes, fileSize);
    if (!head) {
        why = "the file cannot be read";
        return std::nullopt;
    }
    return parseBitmapHeaders(*head, fileSize, why);
}

bool readBitmapFile(const fs::path& file, DecodedBitmap& out, std::string& why, PixelBudget* budget)
{
    std::optional<BitmapFormat> format = readBitmapFormat(file, why);
    if (!format)
        return false;
    // Only as many bytes as the pixels can use: plain rows, or for run-length data
    // more than any encoding of the picture needs, so trailing bytes cost nothing.
    const std::size_t pixels = std::size_t(format->size.width) * std::size_t(format->size.height);
    const std::size_t limit = format->rowBytes ? format->dataOffset + format->rowBytes * std::size_t(format->size.height)
                                               : format->dataOffset + 2 * pixels + 4 * std::size_t(format->size.height) + 2;
    std::uintmax_t fileSize = 0;
    std::optional<std::string> bytes = readFileStart(file, limit, fileSize);
    if (!bytes) {
        why = "the file cannot be read";
        return false;
    }
    return decodeBitmap(*bytes, out, why, budget, file.string());
}

std::optional<BitmapSize> readBitmapSize(const fs::path& file)
{
    std::uintmax_t fileSize = 0;
    std::optional<std::string> head = readFileStart(file, kHeadBytes, fileSize);
    std::string why;
    std::optional<BitmapFormat> format = head ? parseHeaders(*head, fileSize, why, false) : std::nullopt;
    return format ? std::optional<BitmapSize>(format->size) : std::nullopt;
}

}  // namespace sw
