// Reading BMP files the way the Windows GDI draws them. The preview, the validator and
// the cut wizard all read skin bitmaps here, so they agree on what can be drawn, and a
// budget of decoded pixels keeps a hostile folder from taking the machine's memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace sw {

struct BitmapSize {
    int width = 0;
    int height = 0;
    bool operator==(const BitmapSize&) const = default;
};

// The largest bitmap the preview loads: a bigger one (a damaged or hostile header)
// would need gigabytes to decode, so it is refused.
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr int64_t kMaxBitmapPixels = 64ll * 1024 * 1024;
// All the bitmaps of one personality together: 256 MiB at four bytes a pixel.
inline constexpr int64_t kDocumentPixelBudget = 64ll * 1024 * 1024;

// How a BMP file stores its pixels, as its headers say.
struct BitmapFormat {
    BitmapSize size;
    int bitsPerPixel = 0;
    bool sixBitGreen = false;  // 16 bits whose green field is 6 bits wide (5-6-5)
    bool topDown = false;
    enum Compression { Plain, Rle8, Rle4, BitFields } compression = Plain;
    uint32_t masks[3] = {};  // red, green, blue: for 16 and 32 bits
    std::size_t paletteOffset = 0;
    int paletteEntries = 0;  // stored in the file and reachable by an index
    int paletteEntrySize = 4;  // 3 in the old OS/2 header
    std::size_t dataOffset = 0;
    std::size_t rowBytes = 0;  // with the padding to four bytes; plain and bit fields only
};

// Decoded pixels held for one personality. Pixels of a file are counted once however
// often it is read, since its picture is shared between its readers.
class PixelBudget {
public:
    explicit PixelBudget(int64_t pixels = kDocumentPixelBudget) : remaining_(pixels) {}
    // Takes the pixels of the file named `key`; false (nothing taken) when they do
    // not fit in what is left.
    bool take(const std::string& key, int64_t pixels);
    int64_t remaining() const { return remaining_; }

private:
    int64_t remaining_;
    std::unordered_set<std::string> taken_;
};

// A bitmap decoded into opaque 0xFFRRGGBB pixels, rows top-down.
struct DecodedBitmap {
    BitmapFormat format;
    std::vector<uint32_t> pixels;
    int width() const { return format.size.width; }
    int height() const { return format.size.height; }
};

// What kind of picture the first bytes of a file begin with ("a JPEG picture"), or
// empty when they are not of a kind this knows.
std::string pictureKind(std::string_view firstBytes);

// The format of the BMP file whose first bytes (at least the headers and masks) are
// `head`, in a file of `fileSize` bytes. Nothing, with `why` saying it, when the GDI
// would not draw it or it is over the limit of one picture.
std::optional<BitmapFormat> parseBitmapHeaders(std::string_view head, std::uintmax_t fileSize, std::string& why);

// Decodes a whole BMP file held in memory; the budget (when given) is asked for the
// pixels before any is allocated, under the name `key`.
bool decodeBitmap(std::string_view bytes, DecodedBitmap& out, std::string& why, PixelBudget* budget = nullptr,
                  const std::string& key = {});

// The same for a file: regular files only, opened without waiting on a FIFO.
bool readBitmapFile(const std::filesystem::path& file, DecodedBitmap& out, std::string& why,
                    PixelBudget* budget = nullptr);

// The headers of a file alone, with the verdict decoding it would give.
std::optional<BitmapFormat> readBitmapFormat(const std::filesystem::path& file, std::string& why);

// Width and height from a BMP file's headers, when the file can be drawn.
std::optional<BitmapSize> readBitmapSize(const std::filesystem::path& file);

// Why the preview refuses a bitmap of that size, or empty when it loads it.
std::string bitmapRefusal(const BitmapSize& size);
// Why a bitmap of that size does not fit in what is left of a personality's budget.
std::string budgetRefusal(const BitmapSize& size);

}  // namespace sw
