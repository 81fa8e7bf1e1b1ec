#include "manage/ArchivePacker.h"

#include "document/FileReference.h"
#include "manage/ArchivePaths.h"
#include "store/CustomIniFile.h"
#include "store/StringOps.h"

#include <zip.h>

#include <set>

namespace sw {

namespace fs = std::filesystem;

std::string packFolderKey(const std::string& uisFileName)
{
    std::string key = asciiLower(uisFileName);
    if (auto at = key.find(".uis"); at != std::string::npos)
        key.erase(at, 4);
    return key + "\\";
}

std::vector<PackEntry> packFileList(TCustomIniFile& document, const fs::path& uisFile)
{
    const fs::path personality = uisFile.parent_path();
    const fs::path root = personality.parent_path();
    const std::string key = packFolderKey(uisFile.filename().string());
    const std::string shownRoot = root.string() + char(fs::path::preferred_separator);
    std::vector<PackEntry> list;
    TStrings sections;
    document.ReadSections(sections);
    for (const std::string& section : sections) {
        TStrings keys;
        document.ReadSection(section, keys);
        for (const std::string& name : keys) {
            const std::string value = document.ReadString(section, name, "");
            if (asciiLower(value).find(key) == std::string::npos)
                continue;
            PackEntry entry{shownRoot + value, std::nullopt};
            if (auto file = resolveFileReference(root, value); file && isInsideFolder(*file, personality))
                entry.file = *file;
            list.push_back(std::move(entry));
        }
    }
    list.push_back({shownRoot + personality.filename().string() + char(fs::path::preferred_separator) +
                        uisFile.filename().string(),
                    uisFile});
    return list;
}

std::string zipSuccessLine(std::uintmax_t size)
{
    return "Zip file created successfully. File size: " + std::to_string(size) + " bytes. ( " +
           std::to_string(size / 1024) + " KB )";
}

namespace {

struct ProgressState {
    const ArchiveProgress* progress;
    std::uint64_t total;
    bool cancelled = false;
};

void onProgress(zip_t*, double fraction, void* data)
{
    auto* state = static_cast<ProgressState*>(data);
    if (!state->cancelled && !(*state->progress)(std::uint64_t(fraction * double(state->total)), state->total))
        state->cancelled = true;
}

int onCancel(zip_t*, void* data)
{
    return static_cast<ProgressState*>(data)->cancelled ? 1 : 0;
}

}  // namespace

PackResult writeFlatArchive(const fs::path& archive, const std::vector<fs::path>& files, const ArchiveProgress& progress)
{
    PackResult result;
    int error = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        result.error = archive.string() + ": " + zip_error_strerror(&details);
        zip_error_fini(&details);
        return result;
    }
    std::set<std::string, std::less<>> names;
    std::set<fs::path> seen;
    std::uint64_t total = 0;
    for (const fs::path& file : files) {
        std::error_code ec;
        const fs::path canonical = fs::weakly_canonical(file, ec);
        if (!seen.insert(ec ? file : canonical).second)
            continue;  // the same file named twice goes in once
        const std::string name = file.filename().string();
        if (!fs::is_regular_file(file, ec)) {
            result.notes.push_back("Not found, left out: " + file.string());
            continue;
        }
        if (!names.insert(asciiLower(name)).second) {
            result.notes.push_back("A file of that name is already packed, left out: " + file.string());
            continue;
        }
        zip_source_t* source = zip_source_file(zip, file.c_str(), 0, 0);
        zip_int64_t index = source ? zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_GUESS) : -1;
        if (index < 0) {
            if (source)
                zip_source_free(source);
            result.notes.push_back("Cannot pack " + file.string() + ": " + zip_strerror(zip));
            continue;
        }
        zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 9);
        total += fs::file_size(file, ec);
    }
    if (names.empty()) {
        zip_discard(zip);
        result.error = archive.string() + ": there is no file to pack";
        return result;
    }
    ProgressState state{&progress, total};
    if (progress) {
        zip_register_progress_callback_with_state(zip, 0.01, onProgress, nullptr, &state);
        zip_register_cancel_callback_with_state(zip, onCancel, nullptr, &state);
    }
    if (zip_close(zip) != 0) {
        result.cancelled = state.cancelled;
        result.error = archive.string() + ": " + (state.cancelled ? std::string("cancelled") : zip_strerror(zip));
        zip_discard(zip);
        return result;
    }
    std::error_code ec;
    result.size = fs::file_size(archive, ec);
    result.ok = !ec;
    if (ec)
        result.error = archive.string() + ": " + ec.message();
    return result;
}

}  // namespace sw
