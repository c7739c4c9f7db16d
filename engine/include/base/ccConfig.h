#pragma once

// Build-time switches of the framework layer.

// Position actions add their delta on top of moves made by others meanwhile.
#ifndef CC_ENABLE_STACKABLE_ACTIONS
#define CC_ENABLE_STACKABLE_ACTIONS 1
#endif

// Debug logging (CCLOG) is compiled in only when this is at least 1.
#ifndef COCOS2D_DEBUG
#define COCOS2D_DEBUG 0
#endif
