#include "manage/ArchiveInstaller.h"

#include "document/FileReference.h"
#include "engine/FolderChange.h"
#include "manage/ArchivePaths.h"
#include "store/FileBytes.h"

#include <zip.h>

#include <cerrno>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace sw {

namespace fs = std::filesystem;

namespace {

struct PlannedEntry {
    zip_uint64_t index;
    std::string name;
    zip_uint64_t size;
};

struct ZipCloser {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
struct Descriptor {
    int fd;
    ~Descriptor() { ::close(fd); }
};

// The entry name with control characters shown as "?", so a log line stays one line.
std::string printableName(std::string name)
{
    for (char& c : name)
        if ((unsigned char)c < 32 || c == 127)
            c = '?';
    return name;
}

// 0, or the errno value of the failed write.
int writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        data += n;
        size -= std::size_t(n);
    }
    return 0;
}

bool isLinkEntry(zip_t* zip, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(zip, index, 0, &system, &attributes) != 0)
        return false;
    // Unix keeps the file type in the high half; 0120000 is a symbolic link.
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & 0170000) == 0120000;
}

InstallResult refused(const fs::path& archive, const std::string& reason)
{
    InstallResult result;
    result.status = InstallResult::Refused;
    result.message = archive.string() + ": " + reason;
    return result;
}

}  // namespace

InstallResult installArchive(const fs::path& archive, const fs::path& skinsFolder, const InstallOptions& options,
                             const ArchiveProgress& progress)
{
    int error = 0;
    std::unique_ptr<zip_t, ZipCloser> zip(zip_open(archive.c_str(), ZIP_RDONLY, &error));
    if (!zip) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        InstallResult result = refused(archive, std::string(kNoPersonalityText) + " (" + zip_error_strerror(&details) + ")");
        zip_error_fini(&details);
        return result;
    }

    // Everything is decided from the archive's directory before a byte is written.
    InstallResult result;
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    if (count < 0 || zip_uint64_t(count) > options.maxEntries)
        return refused(archive, "the archive holds " + std::to_string(count) + " entries, more than the " +
                                    std::to_string(options.maxEntries) + " allowed");
    std::vector<PlannedEntry> plan;
    std::uint64_t total = 0;
    for (zip_uint64_t i = 0; i < zip_uint64_t(count); ++i) {
        zip_stat_t stat;
        if (zip_stat_index(zip.get(), i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) || !(stat.valid & ZIP_STAT_SIZE))
            return refused(archive, std::string(kNoPersonalityText) + " (entry " + std::to_string(i) + " is unreadable)");
        const std::string raw(stat.name);
        if (!raw.empty() && (raw.back() == '/' || raw.back() == '\\'))
            continue;  // folders are not recreated
        if (isLinkEntry(zip.get(), i)) {
            result.log.push_back("Link left out: " + printableName(raw));
            continue;
        }
        auto name = flatEntryName(raw);
        if (!name) {
            result.log.push_back("Unusable name left out: " + printableName(raw));
            continue;
        }
        if (isEditorOwnFile(*name)) {
            result.log.push_back("The editor's own file left out: " + printableName(raw));
            continue;
        }
        if (stat.size > options.maxUnpackedSize || total + stat.size > options.maxUnpackedSize)
            return refused(archive, "the archive unpacks to more than " + std::to_string(options.maxUnpackedSize) +
                                        " bytes, which is more than a personality needs; nothing was unpacked");
        total += stat.size;
        plan.push_back({i, *name, stat.size});
    }
    const PlannedEntry* personality = nullptr;
    // A name the engine's system would change (a trailing dot or blank) names no folder.
    for (const PlannedEntry& entry : plan)
        if (const auto name = personalityNameOf(entry.name); name && isPlainFolderName(*name)) {
            personality = &entry;
            break;
        }
    if (!personality && options.fixedTarget.empty()) {
        result.status = InstallResult::NoPersonality;
        result.message = archive.string() + ": " + kNoPersonalityText;
        return result;
    }

    // An installed folder whose name differs only in case is the same personality.
    const fs::path target = !options.fixedTarget.empty() ? options.fixedTarget
                            : resolveFileReference(skinsFolder, *personalityNameOf(personality->name))
                                  .value_or(skinsFolder / *personalityNameOf(personality->name));
    result.folder = target;
    // What a killed run left goes first: a set-aside old folder is the skin itself.
    cleanFolderLeftovers(target.parent_path());
    std::error_code ec;
    if (fs::is_symlink(target, ec))
        return refused(archive, target.string() + " is a symbolic link; nothing is written through it");
    if (fs::exists(target, ec) && !(options.replaceExisting && options.replaceExisting(target))) {
        result.status = InstallResult::Exists;
        result.message = target.string() + ": a folder of that name is installed already; nothing was installed";
        return result;
    }
    try {
        FolderChange change(target, FolderChange::CopyOfTarget);
        std::uint64_t done = 0;
        std::vector<char> buffer(1 << 16);
        for (const PlannedEntry& entry : plan) {
            change.refuseLinked(entry.name);
            std::unique_ptr<zip_file_t, ZipFileCloser> in(zip_fopen_index(zip.get(), entry.index, 0));
            if (!in)
                return refused(archive, std::string(kNoPersonalityText) + " (" + entry.name + ": " +
                                            zip_strerror(zip.get()) + ")");
            const fs::path staged = change.staging() / entry.name;
            const Descriptor out{::open(staged.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666)};
            if (out.fd < 0)
                return refused(archive, writeErrorMessage(target / entry.name, errno) + "; nothing was installed");
            std::uint64_t written = 0;
            for (;;) {
                const zip_int64_t got = zip_fread(in.get(), buffer.data(), buffer.size());
                if (got < 0)
                    return refused(archive, std::string(kNoPersonalityText) + " (" + entry.name + ": " +
                                                zip_file_strerror(in.get()) + ")");
                if (got == 0)
                    break;
                written += zip_uint64_t(got);
                if (written > entry.size)
                    return refused(archive, entry.name + " unpacks to more than the " + std::to_string(entry.size) +
                                                " bytes the archive declares; nothing was installed");
                if (const int error = writeAll(out.fd, buffer.data(), std::size_t(got)))
                    return refused(archive, writeErrorMessage(target / entry.name, error) + "; nothing was installed");
                done += zip_uint64_t(got);
                if (progress && !progress(done, total)) {
                    result.status = InstallResult::Cancelled;
                    result.message = archive.string() + ": cancelled; nothing was installed";
                    return result;
                }
            }
            result.log.push_back("Extracting " + entry.name);
            folderChangeStep("unpacked");
        }
        change.commit();
    } catch (const FolderChangeError& error) {
        return refused(archive, error.what());
    }
    result.status = InstallResult::Installed;
    if (personality)
        result.uisFile = target / personality->name;
    return result;
}

}  // namespace sw
