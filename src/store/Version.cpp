#include "store/Version.h"

namespace sw {

std::string programVersion()
{
    return SKINWRT_VERSION;
}

}  // namespace sw
