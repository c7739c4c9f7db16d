#pragma once

#include "cocos2d.h"

// The studio logo, faded in and out, then the first run goes to the tutorial and every
// later run to the title.
class Logo : public cocos2d::Scene {
public:
    CREATE_FUNC(Logo);
    bool init() override;

    void routeAfterLogo();
};
