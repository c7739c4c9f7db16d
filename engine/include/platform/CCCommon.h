#pragma once

#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN

// Shows a modal error box with the given text and title when a display is available; on the
// headless backend or without a display it does nothing (callers also print the text).
void MessageBox(const char* msg, const char* title);

NS_CC_END
