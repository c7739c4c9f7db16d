#pragma once

// Every cocos2d::ui control the engine offers.
#include "ui/UIButton.h"
#include "ui/UISlider.h"
#include "ui/UIWidget.h"
