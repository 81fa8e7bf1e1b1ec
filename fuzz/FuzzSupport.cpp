#include "FuzzTargets.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <random>

namespace sw::fuzz {

namespace fs = std::filesystem;

void require(bool condition, std::string_view what)
{
    if (!condition)
        throw InvariantBroken(std::string(what));
}

uint8_t ByteReader::byte()
{
    return position_ < data_.size() ? uint8_t(data_[position_++]) : 0;
}

std::string ByteReader::text(std::size_t maxLength)
{
    std::size_t length = std::min<std::size_t>(byte() % (maxLength + 1), data_.size() - std::min(position_, data_.size()));
    std::string result(data_.substr(position_, length));
    position_ += length;
    return result;
}

std::string ByteReader::pick(const std::vector<std::string>& words, std::size_t maxRaw)
{
    uint8_t choice = byte();
    if (choice < 224 && !words.empty())
        return words[choice % words.size()];
    return text(maxRaw);
}

namespace {

struct Scratch {
    fs::path path;
    Scratch()
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
            fs::path candidate = fs::temp_directory_path() / ("skinwrt-fuzz-" + std::to_string(random()));
            std::error_code ec;
            if (fs::create_directory(candidate, ec))
                path = candidate;
        }
        if (path.empty())
            throw std::runtime_error("cannot create a scratch folder");
    }
    ~Scratch()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

}  // namespace

const fs::path& scratchFolder()
{
    static Scratch scratch;
    return scratch.path;
}

void writeFile(const fs::path& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

namespace {

bool startsWith(const fs::path& path, const fs::path& root)
{
    auto p = path.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++p) {
        if (r->empty())
            continue;
        if (p == path.end() || *p != *r)
            return false;
    }
    return true;
}

}  // namespace

bool liesUnder(const fs::path& path, const fs::path& root, bool linkFree)
{
    if (linkFree)
        return startsWith(path.lexically_normal(), root.lexically_normal());
    std::error_code ec;
    fs::path real = fs::weakly_canonical(path, ec);
    // A component longer than the system allows ("File name too long") names nothing
    // on disk, so no link lies at or past it: the part before it is made canonical
    // and the rest follows by its words.
    fs::path head = path, tail;
    while (ec && head.has_relative_path()) {
        tail = tail.empty() ? head.filename() : head.filename() / tail;
        head = head.parent_path();
        ec.clear();
        real = fs::weakly_canonical(head, ec);
    }
    if (ec)
        return false;
    if (!tail.empty())
        real = (real / tail).lexically_normal();
    // The roots are the few folders of the scratch folder: each is made canonical once.
    static std::map<fs::path, fs::path> canonicalRoots;
    auto known = canonicalRoots.find(root);
    if (known == canonicalRoots.end()) {
        fs::path realRoot = fs::weakly_canonical(root, ec);
        if (ec)
            return false;
        known = canonicalRoots.emplace(root, realRoot).first;
    }
    return startsWith(real, known->second);
}

const std::vector<Target>& targets()
{
    static const std::vector<Target> all = {
        {"ini_parse", iniParse},         {"ini_edit", iniEdit},
        {"catalogue", catalogue},        {"personality", personality},
        {"file_reference", fileReference}, {"skin_bitmap", skinBitmap},
        {"bmp_load", bmpLoad},           {"jpeg_load", jpegLoad},
        {"jpeg_scans", jpegScans},
    };
    return all;
}

}  // namespace sw::fuzz
