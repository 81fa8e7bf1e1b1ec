// A fresh temporary folder per test, removed afterwards, and byte-exact file access.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace sw::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full path of a file in the folder.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

// The message of the store's exception an edit threw, or "" when it went through.
std::string editError(const std::function<void()>& edit);

// Sets an environment variable of this process, or removes it (nullptr).
void setEnvironment(const std::string& name, const char* value);

}  // namespace sw::test
