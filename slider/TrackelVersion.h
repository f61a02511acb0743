#pragma once

#include "slider/TrackelExport.h"

namespace trackel {

// Version of the slider library as "major.minor.patch".
TRACKEL_EXPORT const char *version();

} // namespace trackel
