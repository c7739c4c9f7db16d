#pragma once

#include "2d/CCNode.h"

NS_CC_BEGIN

// The root of a screen. Unlike the framework we build on, a Scene here holds no hidden camera
// child: getChildrenCount() counts only the children the game added.
class Scene : public Node {
public:
    static Scene* create();
    static Scene* createWithSize(const Size& size);

    CC_CONSTRUCTOR_ACCESS : Scene();
    virtual ~Scene();
    virtual bool init() override;
    virtual bool initWithSize(const Size& size);
};

NS_CC_END
