#include "manage/ArchivePacker.h"

#include "document/FileReference.h"
#include "manage/ArchivePaths.h"
#include "store/CustomIniFile.h"
#include "store/FileBytes.h"
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

void forEachPackEntry(TCustomIniFile& document, const fs::path& uisFile, const std::function<void(const PackEntry&)>& visit)
{
    const fs::path personality = uisFile.parent_path();
    const fs::path root = personality.parent_path();
    const std::string key = packFolderKey(uisFile.filename().string());
    const std::string shownRoot = root.string() + char(fs::path::preferred_separator);
    // One listing per folder for all values: a value in another letter case would
    // otherwise list the folder again, which made packing quadratic in the values.
    FolderIndex index;
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
            if (auto file = resolveFileReference(root, value, index); file && isInsideFolder(*file, personality))
                entry.file = *file;
            visit(entry);
        }
    }
    visit({shownRoot + personality.filename().string() + char(fs::path::preferred_separator) +
               uisFile.filename().string(),
           uisFile});
}

std::vector<PackEntry> packFileList(TCustomIniFile& document, const fs::path& uisFile)
{
    std::vector<PackEntry> list;
    forEachPackEntry(document, uisFile, [&list](const PackEntry& entry) { list.push_back(entry); });
    return list;
}

fs::path defaultArchivePath(const fs::path& uisFile)
{
    std::string name = packFolderKey(uisFile.filename().string());
    name.pop_back();
    return uisFile.parent_path() / (name + ".zip");
}

namespace {

// The path with links and "." and ".." resolved, for comparing two names of a file.
fs::path comparable(const fs::path& path)
{
    std::error_code ec;
    const fs::path resolved = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? path.lexically_normal() : resolved;
}

}  // namespace

std::string archiveTargetProblem(const fs::path& archive, const fs::path& uisFile, const std::vector<fs::path>& files)
{
    const fs::path target = comparable(archive);
    if (target == comparable(uisFile))
        return archive.string() + ": this is the personality file itself";
    if (target != comparable(defaultArchivePath(uisFile)))
        for (const fs::path& file : files)
            if (target == comparable(file))
                return archive.string() + ": this file would be packed into the archive";
    const std::string name = asciiLower(archive.filename().string());
    if (!name.ends_with(".zip") && !name.ends_with(".vxa"))
        return archive.string() + ": the name of an archive must end in .zip or .vxa";
    std::error_code ec;
    if (fs::is_symlink(archive, ec))
        return archive.string() + ": a symbolic link; the archive is never written through one";
    return {};
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
    zip_error_t error;
    zip_error_init(&error);
    // Built in memory: nothing appears beside the destination until the archive is whole.
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* zip = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    if (!zip) {
        result.error = archive.string() + ": " + zip_error_strerror(&error);
        zip_error_fini(&error);
        if (buffer)
            zip_source_free(buffer);
        return result;
    }
    zip_error_fini(&error);
    zip_source_keep(buffer);
    struct BufferOwner {
        zip_source_t* source;
        ~BufferOwner() { zip_source_free(source); }
    } owner{buffer};
    const fs::path self = comparable(archive);
    std::set<std::string, std::less<>> names;
    std::set<fs::path> seen;
    std::uint64_t total = 0;
    for (const fs::path& file : files) {
        const fs::path canonical = comparable(file);
        if (!seen.insert(canonical).second)
            continue;  // the same file named twice goes in once
        const std::string name = file.filename().string();
        std::error_code ec;
        if (!fs::is_regular_file(file, ec)) {
            result.notes.push_back("Not found, left out: " + file.string());
            continue;
        }
        if (canonical == self || isEditorOwnFile(name)) {
            result.notes.push_back("Never packed, left out: " + file.string());
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
    std::string bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) || zip_source_open(buffer) != 0) {
        result.error = archive.string() + ": " + zip_error_strerror(zip_source_error(buffer));
        return result;
    }
    bytes.resize(std::size_t(stat.size));
    const zip_int64_t got = zip_source_read(buffer, bytes.data(), stat.size);
    zip_source_close(buffer);
    if (got < 0 || zip_uint64_t(got) != stat.size) {
        result.error = archive.string() + ": " + zip_error_strerror(zip_source_error(buffer));
        return result;
    }
    try {
        writeFileAtomically(archive, {bytes}, true);
    } catch (const std::exception& failure) {
        result.error = failure.what();
        return result;
    }
    result.size = bytes.size();
    result.ok = true;
    return result;
}

}  // namespace sw
