// The definition catalogue of one UIS format version: an in-memory INI store whose
// reads normalise numbered section names (Button3,Action -> BUTTON,ACTION) and follow
// Inherits chains for missing keys, at most kMaxInheritsDepth links deep.
#pragma once

#include "store/AcceleratedIniFile.h"

namespace sw {

// Real chains are two or three links long; a longer one (or a cycle) is a damaged or
// hostile catalogue, and following it further would only cost time.
inline constexpr int kMaxInheritsDepth = 64;

class TUisDefinition : public TAcceleratedIniFile {
public:
    using TAcceleratedIniFile::TAcceleratedIniFile;

    // Only read string is overridden; the typed reads and value exists go through it.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override;

    // The definition section that describes a document section or attribute:
    // upper-cased, with the digits of a numbered family removed.
    static std::string NormaliseName(std::string_view section);

private:
    // The section each section inherits from (its position, -1 for none), worked out
    // once per content, so a read costs at most one step per link.
    const std::vector<int32_t>& parents();

    std::vector<int32_t> parents_;
    uint64_t parentsGeneration_ = ~uint64_t(0);
};

}  // namespace sw
