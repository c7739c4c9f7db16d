#pragma once

#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN

// printf-style; writes one line (a '\n' is appended) to stdout and flushes, or hands the line to the
// sink installed with ext::setLogSink. There is no length limit.
void log(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

NS_CC_END
