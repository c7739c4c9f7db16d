#include <cmath>

#include "2d/CCNode.h"
#include "base/CCTouch.h"

NS_CC_BEGIN

namespace {
constexpr float kDegreesToRadians = 3.14159265358979323846f / 180.0f;
} // namespace

void Node::setPosition(const Vec2& position) {
    setPosition(position.x, position.y);
}

void Node::setPosition(float x, float y) {
    _position.x = x;
    _position.y = y;
    markTransformDirty();
}

void Node::getPosition(float* x, float* y) const {
    *x = _position.x;
    *y = _position.y;
}

void Node::setPositionX(float x) {
    setPosition(x, _position.y);
}

void Node::setPositionY(float y) {
    setPosition(_position.x, y);
}

void Node::setNormalizedPosition(const Vec2& position) {
    Size parentSize = _parent ? _parent->getContentSize() : Size::ZERO;
    setPosition(position.x * parentSize.width, position.y * parentSize.height);
}

void Node::setScale(float scale) {
    _scaleX = _scaleY = _scaleZ = scale;
    markTransformDirty();
}

void Node::setScale(float scaleX, float scaleY) {
    _scaleX = scaleX;
    _scaleY = scaleY;
    markTransformDirty();
}

void Node::setScaleX(float scaleX) {
    _scaleX = scaleX;
    markTransformDirty();
}

void Node::setScaleY(float scaleY) {
    _scaleY = scaleY;
    markTransformDirty();
}

float Node::getScale() const {
    return _scaleX;
}

void Node::setRotation(float rotation) {
    _rotation = rotation;
    markTransformDirty();
}

void Node::setSkewX(float skewX) {
    _skewX = skewX;
    markTransformDirty();
}

void Node::setSkewY(float skewY) {
    _skewY = skewY;
    markTransformDirty();
}

void Node::setAnchorPoint(const Vec2& anchorPoint) {
    _anchorPoint = anchorPoint;
    _anchorPointInPoints = Vec2(_contentSize.width * anchorPoint.x, _contentSize.height * anchorPoint.y);
    markTransformDirty();
}

void Node::setContentSize(const Size& contentSize) {
    _contentSize = contentSize;
    _anchorPointInPoints = Vec2(contentSize.width * _anchorPoint.x, contentSize.height * _anchorPoint.y);
    markTransformDirty();
}

void Node::setIgnoreAnchorPointForPosition(bool ignore) {
    _ignoreAnchorPointForPosition = ignore;
    markTransformDirty();
}

// Local point p maps to parent space as  position + R(-rotation) * Skew * Scale * (p - anchor),
// with the anchor term dropped from the translation when the anchor is ignored for positioning
// (the local origin then sits at position, while rotation and scale still pivot on the anchor).
const Mat4& Node::getNodeToParentTransform() const {
    if (!_transformDirty) {
        return _transform;
    }
    float radians = _rotation * kDegreesToRadians;
    float c = std::cos(radians);
    float s = -std::sin(radians); // positive rotation is clockwise on screen (y up)
    float tanX = std::tan(_skewY * kDegreesToRadians);
    float tanY = std::tan(_skewX * kDegreesToRadians);
    // Columns of the 2x2 linear part: R * K * S, K = [1 tanY; tanX 1].
    float a = (c + -s * tanX) * _scaleX;
    float b = (s + c * tanX) * _scaleX;
    float cc = (c * tanY - s) * _scaleY;
    float d = (s * tanY + c) * _scaleY;
    Vec2 pivot = _anchorPointInPoints;
    Vec2 origin = _position;
    if (_ignoreAnchorPointForPosition) {
        origin += pivot;
    }
    Mat4& m = _transform;
    m.setIdentity();
    m.m[0] = a;
    m.m[1] = b;
    m.m[4] = cc;
    m.m[5] = d;
    m.m[10] = _scaleZ;
    m.m[12] = origin.x - (a * pivot.x + cc * pivot.y);
    m.m[13] = origin.y - (b * pivot.x + d * pivot.y);
    _transformDirty = false;
    return _transform;
}

Mat4 Node::getParentToNodeTransform() const {
    return getNodeToParentTransform().getInversed();
}

Mat4 Node::getNodeToWorldTransform() const {
    Mat4 t = getNodeToParentTransform();
    for (const Node* p = _parent; p; p = p->_parent) {
        t = p->getNodeToParentTransform() * t;
    }
    return t;
}

Mat4 Node::getWorldToNodeTransform() const {
    return getNodeToWorldTransform().getInversed();
}

Vec2 Node::convertToNodeSpace(const Vec2& worldPoint) const {
    return getWorldToNodeTransform().transformPoint2D(worldPoint);
}

Vec2 Node::convertToWorldSpace(const Vec2& nodePoint) const {
    return getNodeToWorldTransform().transformPoint2D(nodePoint);
}

Vec2 Node::convertToNodeSpaceAR(const Vec2& worldPoint) const {
    return convertToNodeSpace(worldPoint) - _anchorPointInPoints;
}

Vec2 Node::convertToWorldSpaceAR(const Vec2& nodePoint) const {
    return convertToWorldSpace(nodePoint + _anchorPointInPoints);
}

Vec2 Node::convertTouchToNodeSpace(Touch* touch) const {
    return convertToNodeSpace(touch->getLocation());
}

Vec2 Node::convertTouchToNodeSpaceAR(Touch* touch) const {
    return convertToNodeSpaceAR(touch->getLocation());
}

Rect Node::getBoundingBox() const {
    const Mat4& t = getNodeToParentTransform();
    const Size& size = getContentSize();
    Vec2 corners[4] = {t.transformPoint2D(Vec2(0, 0)), t.transformPoint2D(Vec2(size.width, 0)),
                       t.transformPoint2D(Vec2(0, size.height)),
                       t.transformPoint2D(Vec2(size.width, size.height))};
    float minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const Vec2& p : corners) {
        minX = std::fmin(minX, p.x);
        maxX = std::fmax(maxX, p.x);
        minY = std::fmin(minY, p.y);
        maxY = std::fmax(maxY, p.y);
    }
    return Rect(minX, minY, maxX - minX, maxY - minY);
}

// Draw order: children with z < 0, this node, then the rest. Invisible nodes hide their subtree.
void Node::visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) {
    if (!_visible) {
        return;
    }
    Mat4 transform;
    Mat4::multiply(parentTransform, getNodeToParentTransform(), &transform);
    if (_children.empty()) {
        draw(renderer, transform, parentFlags);
        return;
    }
    sortAllChildren();
    // Hold the children: a draw may not change the tree, but user visit overrides might.
    retain();
    ssize_t count = static_cast<ssize_t>(_children.size());
    ssize_t i = 0;
    for (; i < count && _children.at(i)->_localZOrder < 0; ++i) {
        _children.at(i)->visit(renderer, transform, parentFlags);
    }
    draw(renderer, transform, parentFlags);
    for (; i < static_cast<ssize_t>(_children.size()); ++i) {
        _children.at(i)->visit(renderer, transform, parentFlags);
    }
    release();
}

void Node::draw(Renderer*, const Mat4&, uint32_t) {}

NS_CC_END
