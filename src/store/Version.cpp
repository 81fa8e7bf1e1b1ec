#include "store/Version.h"

namespace sw {

std::string programVersion()
{
    return SKINWRT_VERSION;
}

int programBuild()
{
    return SKINWRT_BUILD;
}

}  // namespace sw
