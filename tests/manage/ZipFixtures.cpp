#include "ZipFixtures.h"

#include "support/TempDir.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace sw::test {

namespace fs = std::filesystem;

fs::path makeZip(const fs::path& archive, const std::vector<ZipEntry>& entries)
{
    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        throw std::runtime_error("cannot create " + archive.string());
    for (const ZipEntry& entry : entries) {
        zip_int64_t index;
        if (entry.folder) {
            index = zip_dir_add(zip, entry.name.c_str(), ZIP_FL_ENC_RAW);
        } else {
            // zip_source_buffer keeps the pointer: the bytes must live until zip_close.
            zip_source_t* source = zip_source_buffer(zip, entry.bytes.data(), entry.bytes.size(), 0);
            index = zip_file_add(zip, entry.name.c_str(), source, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
        }
        if (index < 0)
            throw std::runtime_error(std::string("cannot add ") + entry.name + ": " + zip_strerror(zip));
        if (entry.link)
            zip_file_set_external_attributes(zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, 0120777u << 16);
        else if (!entry.folder)
            zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 9);
    }
    if (zip_close(zip) != 0)
        throw std::runtime_error("cannot write " + archive.string());
    return archive;
}

std::map<std::string, std::string> readZip(const fs::path& archive)
{
    std::map<std::string, std::string> files;
    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &error);
    if (!zip)
        throw std::runtime_error("cannot open " + archive.string());
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(zip, zip_uint64_t(i), 0, &stat);
        std::string bytes(stat.size, '\0');
        zip_file_t* file = zip_fopen_index(zip, zip_uint64_t(i), 0);
        zip_fread(file, bytes.data(), bytes.size());
        zip_fclose(file);
        files[stat.name] = bytes;
    }
    zip_discard(zip);
    return files;
}

std::vector<std::string> zipNames(const fs::path& archive)
{
    std::vector<std::string> names;
    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &error);
    for (zip_int64_t i = 0; zip && i < zip_get_num_entries(zip, 0); ++i)
        names.push_back(zip_get_name(zip, zip_uint64_t(i), ZIP_FL_ENC_RAW));
    if (zip)
        zip_discard(zip);
    return names;
}

bool allDeflated(const fs::path& archive)
{
    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_RDONLY, &error);
    bool deflated = zip != nullptr;
    for (zip_int64_t i = 0; zip && i < zip_get_num_entries(zip, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(zip, zip_uint64_t(i), 0, &stat);
        deflated = deflated && stat.comp_method == ZIP_CM_DEFLATE;
    }
    if (zip)
        zip_discard(zip);
    return deflated;
}

void patchDeclaredSizes(const fs::path& archive, std::uint32_t size)
{
    std::string bytes = readBytes(archive);
    auto put32 = [&](std::size_t at) {
        for (int i = 0; i < 4; ++i)
            bytes[at + std::size_t(i)] = char((size >> (8 * i)) & 0xff);
    };
    for (std::size_t at = 0; at + 30 <= bytes.size(); ++at) {
        if (bytes.compare(at, 4, "PK\x03\x04", 4) == 0)
            put32(at + 22);
        else if (bytes.compare(at, 4, "PK\x01\x02", 4) == 0)
            put32(at + 24);
    }
    writeBytes(archive, bytes);
}

std::vector<std::string> filesUnder(const fs::path& folder)
{
    std::vector<std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (!it->is_directory() || it->is_symlink())
            files.push_back(it->path().lexically_relative(folder).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace sw::test
