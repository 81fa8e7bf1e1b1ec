// The definition catalogue of one UIS format version: an in-memory INI store whose
// reads normalise numbered section names (Button3,Action -> BUTTON,ACTION) and follow
// Inherits chains for missing keys.
#pragma once

#include "store/AcceleratedIniFile.h"

namespace sw {

class TUisDefinition : public TAcceleratedIniFile {
public:
    using TAcceleratedIniFile::TAcceleratedIniFile;

    // Only read string is overridden; the typed reads and value exists go through it.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) override;

    // The definition section that describes a document section or attribute:
    // upper-cased, with the digits of a numbered family removed.
    static std::string NormaliseName(std::string_view section);
};

}  // namespace sw
