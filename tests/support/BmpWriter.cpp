#include "support/BmpWriter.h"

namespace sw::test {

std::string le(uint32_t value, int size)
{
    std::string bytes;
    for (int i = 0; i < size; ++i)
        bytes += char((value >> (8 * i)) & 0xFF);
    return bytes;
}

std::string paddedRows(const std::vector<std::string>& rows)
{
    std::string out;
    for (const std::string& row : rows)
        out += row + std::string((4 - row.size() % 4) % 4, '\0');
    return out;
}

std::string bmpFile(const BmpLayout& s)
{
    std::string header = le(s.headerSize, 4);
    if (s.headerSize == 12) {
        header += le(uint32_t(s.width), 2) + le(uint32_t(s.height), 2) + le(1, 2) + le(s.bits, 2);
    } else {
        header += le(uint32_t(s.width), 4) + le(uint32_t(s.height), 4) + le(1, 2) + le(s.bits, 2);
        header += le(s.compression, 4) + le(uint32_t(s.pixels.size()), 4) + le(2835, 4) + le(2835, 4);
        header += le(s.coloursUsed ? s.coloursUsed : uint32_t(s.palette.size()), 4) + le(0, 4);
        if (s.headerSize >= 52)
            for (std::size_t i = 0; i < 3; ++i)
                header += le(i < s.masks.size() ? s.masks[i] : 0, 4);
        if (s.headerSize >= 56)
            header += le(s.masks.size() > 3 ? s.masks[3] : 0, 4);
        header.resize(s.headerSize, '\0');
    }
    std::string table;
    if (s.headerSize < 52)
        for (uint32_t mask : s.masks)
            table += le(mask, 4);
    for (uint32_t colour : s.palette)
        table += le(colour, s.headerSize == 12 ? 3 : 4);
    const uint32_t offset = s.dataOffset >= 0 ? uint32_t(s.dataOffset) : uint32_t(14 + header.size() + table.size() + s.gap.size());
    const std::string body = header + table + s.gap + s.pixels;
    return "BM" + le(uint32_t(14 + body.size()), 4) + le(0, 4) + le(offset, 4) + body;
}

}  // namespace sw::test
