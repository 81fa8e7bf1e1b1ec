// The fuzz targets of the store and document layers. Each takes one input of arbitrary
// bytes, drives the code with it and throws InvariantBroken when a property that must
// hold for every input does not; a crash, a hang or a sanitizer report is a finding too.
// The same functions run under libFuzzer (fuzz/) and replay the kept inputs in the
// ordinary test suite (tests/reliability/).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sw::fuzz {

class InvariantBroken : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Throws InvariantBroken with the message when the condition is false.
void require(bool condition, std::string_view what);

// Hands out the bytes of an input piece by piece; past the end it gives zeros and
// empty texts, so every input decodes to something.
class ByteReader {
public:
    explicit ByteReader(std::string_view data) : data_(data) {}
    uint8_t byte();
    // A text of 0 to maxLength bytes, its length taken from the next byte.
    std::string text(std::size_t maxLength);
    // One of the words, or (now and then) raw bytes, so that names both hit what is
    // already in a file and explore what is not.
    std::string pick(const std::vector<std::string>& words, std::size_t maxRaw = 12);
    std::string_view rest() const { return data_.substr(position_); }
    bool empty() const { return position_ >= data_.size(); }
    void skip(std::size_t count) { position_ += std::min(count, data_.size() - position_); }

private:
    std::string_view data_;
    std::size_t position_ = 0;
};

// A folder of this process for the files the targets write; removed at exit.
const std::filesystem::path& scratchFolder();
void writeFile(const std::filesystem::path& path, std::string_view bytes);

// Whether the path lies under the root (both made canonical where they exist). In a
// folder known to hold no symbolic links (`linkFree`) the path's own words decide,
// which needs no call to the system.
bool liesUnder(const std::filesystem::path& path, const std::filesystem::path& root, bool linkFree = false);

// The targets.
void iniParse(std::string_view data);        // loading, typed reads, the text written back
void iniEdit(std::string_view data);         // write-through edits against fresh reads of the file
void catalogue(std::string_view data);       // catalogue look-ups with Inherits chains
void personality(std::string_view data);     // format detection, typed reads and catalogue queries
void fileReference(std::string_view data);   // file references never leave the skins root
void skinBitmap(std::string_view data);      // DrawSkinBitmap with any margins, strip, size and mode
void bmpLoad(std::string_view data);         // BMP files through the image cache
void jpegLoad(std::string_view data);        // JPEG files through the logo reader
void jpegScans(std::string_view data);       // progressive JPEG files of many scans stop at the limit

struct Target {
    const char* name;
    void (*run)(std::string_view);
};
// Every target, by the name of its folder of kept inputs (tests/data/<name>/).
const std::vector<Target>& targets();

}  // namespace sw::fuzz
