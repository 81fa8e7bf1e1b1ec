// BMP files of every kind, built byte by byte for the decoder's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sw::test {

struct BmpLayout {
    int32_t width = 1;
    int32_t height = 1;  // negative: rows stored top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;       // 12 (OS/2 core), 40, 52, 56, 108, 124, 16 or 64 (OS/2 2)
    std::vector<uint32_t> palette;  // 0xRRGGBB, written as the header kind stores it
    uint32_t coloursUsed = 0;       // 0: the palette's size when there is one
    std::vector<uint32_t> masks;    // bit fields: in the header from 52 bytes on, else after it
    std::string pixels;             // as stored: padded rows or a run-length stream
    int64_t dataOffset = -1;        // -1: right after the palette
    std::string gap;                // bytes between the palette and the pixels
};

std::string bmpFile(const BmpLayout& layout);

// Rows of bytes, each padded to four bytes, in the order given.
std::string paddedRows(const std::vector<std::string>& rows);

// Little-endian bytes of a value.
std::string le(uint32_t value, int size);

}  // namespace sw::test
