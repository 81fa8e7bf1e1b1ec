// Root of the INI store family: the twenty operations every store answers, with the
// typed reads and writes built once on top of read string and write string.
#pragma once

#include "store/FormatSettings.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

using TStrings = std::vector<std::string>;

// The default passed wherever a caller must tell an absent key from an empty value.
inline constexpr std::string_view kMissingValue = "#@!$$NON$TYPICAL$STRING$$!@#";

// A store file that could not be read or written; the message names the file.
class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCustomIniFile {
public:
    explicit TCustomIniFile(std::string fileName);
    virtual ~TCustomIniFile();
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const std::string& FileName() const { return fileName_; }

    // The twenty virtual operations, in slot order.
    virtual std::string ReadString(std::string_view section, std::string_view key, std::string_view def) = 0;
    virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def);
    virtual void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    virtual bool ReadBool(std::string_view section, std::string_view key, bool def);
    virtual void WriteBool(std::string_view section, std::string_view key, bool value);
    virtual TDateTime ReadDate(std::string_view section, std::string_view key, TDateTime def);
    virtual TDateTime ReadDateTime(std::string_view section, std::string_view key, TDateTime def);
    virtual double ReadFloat(std::string_view section, std::string_view key, double def);
    virtual TDateTime ReadTime(std::string_view section, std::string_view key, TDateTime def);
    virtual void WriteDate(std::string_view section, std::string_view key, TDateTime value);
    virtual void WriteDateTime(std::string_view section, std::string_view key, TDateTime value);
    virtual void WriteFloat(std::string_view section, std::string_view key, double value);
    virtual void WriteTime(std::string_view section, std::string_view key, TDateTime value);
    virtual void ReadSection(std::string_view section, TStrings& keys) = 0;
    virtual void ReadSections(TStrings& sections) = 0;
    virtual void ReadSectionValues(std::string_view section, TStrings& entries) = 0;
    virtual void EraseSection(std::string_view section) = 0;
    virtual void DeleteKey(std::string_view section, std::string_view key) = 0;
    virtual void UpdateFile() = 0;

    // True when the section has at least one key; an empty section counts as missing.
    bool SectionExists(std::string_view section);
    // True when reading the key with the missing marker as default gives something else.
    bool ValueExists(std::string_view section, std::string_view key);

private:
    std::string fileName_;
};

}  // namespace sw
