// The editor settings the preview reads, from section General of the settings file.
#pragma once

#include <string>

namespace sw {

class TCustomIniFile;

struct PreviewSettings {
    int LogoMode = 1;             // 1 author line, 2 author logo, other values neither
    std::string LogoImage;        // full path of the author logo (JPEG, or BMP)
    bool PreviewOnTop = true;     // the previews stay above other windows
    bool WindowsSizeRestore = false;  // previews keep their place in section Windows

    static PreviewSettings Read(TCustomIniFile& settings);
};

}  // namespace sw
