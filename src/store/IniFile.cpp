#include "store/IniFile.h"

#include "store/PlatformPaths.h"

namespace sw {

namespace fs = std::filesystem;

TIniFile::TIniFile(std::string fileName) : TIniFile(std::move(fileName), true) {}

TIniFile::TIniFile(std::string fileName, bool diskBacked)
    : TAcceleratedIniFile(fileName, NoLoad{}),
      disk_(diskBacked ? profileFilePath(fileName) : fs::path()),
      diskBacked_(diskBacked)
{
    if (diskBacked_)
        loadText(disk_.load());
}

TIniFile::~TIniFile() = default;

template <typename Change>
void TIniFile::guarded(Change&& change)
{
    if (!guard_)
        return change();
    if (!guard_->beforeChange(*this))
        return;
    try {
        Unguarded inside(*this);  // a change the guard's own work makes is not asked about again
        change();
    } catch (const EIniFileException& error) {
        guard_->changeFailed(*this, error.what());
    }
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    if (!diskBacked_)
        return TAcceleratedIniFile::WriteString(section, key, value);
    guarded([&] { writeThrough(section, key, value); });
}

void TIniFile::writeThrough(std::string_view section, std::string_view key, std::string_view value)
{
    // The Windows folder may not exist yet on a machine where the engine never ran.
    if (disk_.path().parent_path() == windowsFolder()) {
        std::error_code ec;
        fs::create_directories(disk_.path().parent_path(), ec);
    }
    disk_.writeString(section, key, value);
    // Memory holds the value as the file gives it back: reading trims the blanks and
    // control bytes at its ends, so a reopened store reads what this one does.
    // The key keeps the spelling it has, on disk and so in memory.
    TAcceleratedIniFile::WriteString(section, KeySpelling(section, key), trimView(value));
}

void TIniFile::EraseSection(std::string_view section)
{
    guarded([&] {
        if (diskBacked_)
            disk_.eraseSection(section);
        TAcceleratedIniFile::EraseSection(section);
    });
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    guarded([&] {
        if (diskBacked_)
            disk_.deleteKey(section, key);
        TAcceleratedIniFile::DeleteKey(section, key);
    });
}

void TIniFile::UpdateFile() {}

void TIniFile::ReplaceBytes(std::string_view bytes)
{
    guarded([&] {
        if (diskBacked_)
            disk_.replaceAll(bytes);
        replaceText(bytes);
    });
}

}  // namespace sw
