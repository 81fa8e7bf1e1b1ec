#include "store/SignalCleanup.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace sw {

namespace {

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSlots = 8;

// Fixed buffers, so that the handler reads them without allocating.
struct Slot {
    volatile std::sig_atomic_t used = 0;
    char path[4096];
    char putBackTo[4096];
};
Slot slots[kSlots];
int slotsUsed = 0;
std::mutex slotMutex;
struct sigaction previousActions[3];
bool installed[3];

// getdents64's record; the libc wrapper is missing from older libraries.
struct FolderRecord {
    std::uint64_t inode;
    std::int64_t offset;
    unsigned short length;
    unsigned char type;
    char name[1];
};

// Removes what the open folder holds, again until a pass removes nothing, since
// removing entries while reading a folder may hide some from that read.
void clearFolder(int folder, int depth)
{
    if (depth > 32)
        return;
    alignas(8) char buffer[1024];
    for (bool removed = true; removed;) {
        removed = false;
        if (::lseek(folder, 0, SEEK_SET) != 0)
            return;
        long got;
        while ((got = ::syscall(SYS_getdents64, folder, buffer, sizeof buffer)) > 0) {
            for (long at = 0; at < got;) {
                const auto* record = reinterpret_cast<const FolderRecord*>(buffer + at);
                at += record->length;
                const char* name = record->name;
                if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                    continue;
                if (::unlinkat(folder, name, 0) == 0) {
                    removed = true;
                    continue;
                }
                const int inner = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (inner >= 0) {
                    ::fchmod(inner, 0700);  // a read-only folder that goes must let its entries go
                    clearFolder(inner, depth + 1);
                    ::close(inner);
                }
                removed = ::unlinkat(folder, name, AT_REMOVEDIR) == 0 || removed;
            }
        }
    }
}

extern "C" void cleanOnSignal(int signal)
{
    const int savedErrno = errno;
    for (Slot& slot : slots) {
        if (!slot.used)
            continue;
        if (slot.putBackTo[0] && ::access(slot.putBackTo, F_OK) != 0 && errno == ENOENT &&
            ::rename(slot.path, slot.putBackTo) == 0)
            continue;
        removeTree(slot.path);
    }
    for (int i = 0; i < 3; ++i)
        if (kCleanedSignals[i] == signal)
            ::sigaction(signal, &previousActions[i], nullptr);
    errno = savedErrno;
    ::raise(signal);
}

bool copyInto(char (&buffer)[4096], const std::string& text)
{
    if (text.size() >= sizeof buffer)
        return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

CleaningSignalsHeld::CleaningSignalsHeld()
{
    sigset_t cleaned;
    sigemptyset(&cleaned);
    for (int signal : kCleanedSignals)
        sigaddset(&cleaned, signal);
    ::pthread_sigmask(SIG_BLOCK, &cleaned, &previous_);
}

CleaningSignalsHeld::~CleaningSignalsHeld()
{
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

RemovedOnSignal::RemovedOnSignal(const std::filesystem::path& path, const std::filesystem::path& putBackTo)
{
    std::lock_guard<std::mutex> lock(slotMutex);
    CleaningSignalsHeld held;  // the handler never sees a slot half written
    for (int i = 0; i < kSlots && slot_ < 0; ++i)
        if (!slots[i].used && copyInto(slots[i].path, path.string()) && copyInto(slots[i].putBackTo, putBackTo.string()))
            slot_ = i;
    if (slot_ < 0)
        return;
    slots[slot_].used = 1;
    if (slotsUsed++ > 0)
        return;
    struct sigaction action {};
    action.sa_handler = cleanOnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : kCleanedSignals)
        sigaddset(&action.sa_mask, signal);
    for (int i = 0; i < 3; ++i) {
        struct sigaction previous {};
        ::sigaction(kCleanedSignals[i], nullptr, &previous);
        installed[i] = previous.sa_handler != SIG_IGN;
        if (installed[i])
            ::sigaction(kCleanedSignals[i], &action, &previousActions[i]);
    }
}

RemovedOnSignal::~RemovedOnSignal()
{
    if (slot_ < 0)
        return;
    std::lock_guard<std::mutex> lock(slotMutex);
    CleaningSignalsHeld held;
    slots[slot_].used = 0;
    if (--slotsUsed > 0)
        return;
    for (int i = 0; i < 3; ++i)
        if (installed[i])
            ::sigaction(kCleanedSignals[i], &previousActions[i], nullptr);
}

bool removeTree(const char* path)
{
    if (::unlink(path) == 0 || errno == ENOENT)
        return true;
    const int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return false;
    ::fchmod(folder, 0700);
    clearFolder(folder, 0);
    ::close(folder);
    return ::rmdir(path) == 0 || errno == ENOENT;
}

std::string ownedSuffix()
{
    static std::mutex mutex;
    static std::mt19937 random{std::random_device{}()};
    std::lock_guard<std::mutex> lock(mutex);
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, "%ld-%08x", long(::getpid()), unsigned(random()));
    return suffix;
}

}  // namespace sw
