#include "2d/CCLayer.h"

#include "base/CCDirector.h"
#include "renderer/CCRenderer.h"

NS_CC_BEGIN

Layer* Layer::create() {
    auto* layer = new (std::nothrow) Layer();
    if (layer && layer->init()) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

Layer::Layer() {
    _ignoreAnchorPointForPosition = true;
    setAnchorPoint(Vec2(0.5f, 0.5f));
}

Layer::~Layer() = default;

bool Layer::init() {
    setContentSize(_director->getWinSize());
    return true;
}

LayerColor* LayerColor::create() {
    return create(Color4B(0, 0, 0, 0));
}

LayerColor* LayerColor::create(const Color4B& color) {
    auto* layer = new (std::nothrow) LayerColor();
    if (layer && layer->initWithColor(color)) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

LayerColor* LayerColor::create(const Color4B& color, float width, float height) {
    auto* layer = new (std::nothrow) LayerColor();
    if (layer && layer->initWithColor(color, width, height)) {
        layer->autorelease();
        return layer;
    }
    delete layer;
    return nullptr;
}

LayerColor::LayerColor() = default;

bool LayerColor::init() {
    return initWithColor(Color4B(0, 0, 0, 0));
}

bool LayerColor::initWithColor(const Color4B& color) {
    const Size& size = _director->getWinSize();
    return initWithColor(color, size.width, size.height);
}

bool LayerColor::initWithColor(const Color4B& color, float width, float height) {
    if (!Layer::init()) {
        return false;
    }
    setContentSize(Size(width, height));
    _realColor = _displayedColor = Color3B(color.r, color.g, color.b);
    _realOpacity = _displayedOpacity = color.a;
    return true;
}

void LayerColor::draw(Renderer* renderer, const Mat4& transform, uint32_t) {
    Color4B tint(_displayedColor, _displayedOpacity);
    V2F_C4B_T2F quad[4];
    const Vec2 corners[4] = {Vec2(0, 0), Vec2(_contentSize.width, 0), Vec2(0, _contentSize.height),
                             Vec2(_contentSize.width, _contentSize.height)};
    for (int i = 0; i < 4; ++i) {
        quad[i].vertices = transform.transformPoint2D(corners[i]);
        quad[i].colors = tint;
    }
    renderer->drawQuad(nullptr, quad, BlendFunc::ALPHA_NON_PREMULTIPLIED);
}

NS_CC_END
