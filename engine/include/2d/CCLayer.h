#pragma once

#include "2d/CCNode.h"

NS_CC_BEGIN

// A full-screen container: content size = window size, origin placed at its position.
class Layer : public Node {
public:
    static Layer* create();

    CC_CONSTRUCTOR_ACCESS : Layer();
    virtual ~Layer();
    virtual bool init() override;
};

// A Layer filled with one colour (drawn as a solid box of its content size).
class LayerColor : public Layer {
public:
    static LayerColor* create();
    static LayerColor* create(const Color4B& color);
    static LayerColor* create(const Color4B& color, float width, float height);

    virtual void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;

    CC_CONSTRUCTOR_ACCESS : LayerColor();
    virtual bool init() override;
    virtual bool initWithColor(const Color4B& color);
    virtual bool initWithColor(const Color4B& color, float width, float height);
};

NS_CC_END
