#include "preview/PreviewSettings.h"

#include "store/CustomIniFile.h"

namespace sw {

PreviewSettings PreviewSettings::Read(TCustomIniFile& settings)
{
    PreviewSettings s;
    s.LogoMode = settings.ReadInteger("General", "LogoMode", s.LogoMode);
    s.LogoImage = settings.ReadString("General", "LogoImage", "");
    s.PreviewOnTop = settings.ReadBool("General", "PreviewOnTop", s.PreviewOnTop);
    s.WindowsSizeRestore = settings.ReadBool("General", "WindowsSizeRestore", s.WindowsSizeRestore);
    return s;
}

}  // namespace sw
