#pragma once

#if defined(TRACKEL_BUILD)
#define TRACKEL_EXPORT __attribute__((visibility("default")))
#else
#define TRACKEL_EXPORT
#endif
