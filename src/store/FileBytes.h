// Whole-file reads and crash-safe replacement of a file's bytes.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace sw {

// Reads every byte of the file. Throws EIniFileException naming the file when it
// exists but cannot be read.
std::string readFileBytes(const std::filesystem::path& path);

// Replaces the file with the concatenated parts: the bytes go to a new file beside
// it, which is then renamed over the old one, so a crash leaves either the old or
// the new content, never a mixture. A symbolic link is kept and its target replaced;
// the old file's permissions are kept. Throws EIniFileException naming the file.
void writeFileAtomically(const std::filesystem::path& path, std::initializer_list<std::string_view> parts);

// The message of a failed write: "Unable to write to FILE" and, when known, the reason.
std::string writeErrorMessage(const std::filesystem::path& path, int error);

}  // namespace sw
