#include "slider/TrackelVersion.h"

namespace trackel {

const char *version()
{
    return "0.1.0";
}

} // namespace trackel
