#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/CCRef.h"
#include "base/CCVector.h"
#include "base/ccMacros.h"
#include "base/ccTypes.h"
#include "math/CCGeometry.h"
#include "math/Mat4.h"
#include "math/Vec2.h"

NS_CC_BEGIN

class Action;
class ActionManager;
class Director;
class EventDispatcher;
class Renderer;
class Scene;
class Scheduler;
class Touch;

// Base of everything in the scene graph. Coordinates are design points, y up; rotation is in
// degrees, clockwise on screen.
class Node : public Ref {
public:
    static const int INVALID_TAG = -1;

    static Node* create();

    // Children
    virtual void addChild(Node* child);
    virtual void addChild(Node* child, int localZOrder);
    virtual void addChild(Node* child, int localZOrder, int tag);
    virtual void addChild(Node* child, int localZOrder, const std::string& name);
    virtual Node* getChildByTag(int tag) const;
    template <typename T> T getChildByTag(int tag) const { return static_cast<T>(getChildByTag(tag)); }
    virtual Node* getChildByName(const std::string& name) const;
    template <typename T> T getChildByName(const std::string& name) const {
        return static_cast<T>(getChildByName(name));
    }
    virtual Vector<Node*>& getChildren() { return _children; }
    virtual const Vector<Node*>& getChildren() const { return _children; }
    virtual ssize_t getChildrenCount() const;
    virtual void setParent(Node* parent) { _parent = parent; }
    virtual Node* getParent() { return _parent; }
    virtual const Node* getParent() const { return _parent; }
    virtual void removeFromParent();
    virtual void removeFromParentAndCleanup(bool cleanup);
    virtual void removeChild(Node* child, bool cleanup = true);
    virtual void removeChildByTag(int tag, bool cleanup = true);
    virtual void removeChildByName(const std::string& name, bool cleanup = true);
    virtual void removeAllChildren();
    virtual void removeAllChildrenWithCleanup(bool cleanup);
    virtual void reorderChild(Node* child, int localZOrder);
    virtual void sortAllChildren();

    // Ordering and identity
    virtual void setLocalZOrder(int localZOrder);
    virtual int getLocalZOrder() const { return _localZOrder; }
    // Stored for source compatibility; drawing follows the tree order only.
    virtual void setGlobalZOrder(float globalZOrder) { _globalZOrder = globalZOrder; }
    virtual float getGlobalZOrder() const { return _globalZOrder; }
    virtual void setTag(int tag) { _tag = tag; }
    virtual int getTag() const { return _tag; }
    virtual void setName(const std::string& name) { _name = name; }
    virtual const std::string& getName() const { return _name; }
    virtual void setUserData(void* userData) { _userData = userData; }
    virtual void* getUserData() { return _userData; }
    virtual void setUserObject(Ref* userObject);
    virtual Ref* getUserObject() { return _userObject; }

    // Geometry
    virtual void setPosition(const Vec2& position);
    virtual void setPosition(float x, float y);
    virtual const Vec2& getPosition() const { return _position; }
    virtual void getPosition(float* x, float* y) const;
    virtual void setPositionX(float x);
    virtual float getPositionX() const { return _position.x; }
    virtual void setPositionY(float y);
    virtual float getPositionY() const { return _position.y; }
    virtual void setNormalizedPosition(const Vec2& position);
    virtual void setScale(float scale);
    virtual void setScale(float scaleX, float scaleY);
    virtual void setScaleX(float scaleX);
    virtual void setScaleY(float scaleY);
    virtual void setScaleZ(float scaleZ) { _scaleZ = scaleZ; }
    virtual float getScale() const;
    virtual float getScaleX() const { return _scaleX; }
    virtual float getScaleY() const { return _scaleY; }
    virtual float getScaleZ() const { return _scaleZ; }
    virtual void setRotation(float rotation);
    virtual float getRotation() const { return _rotation; }
    virtual void setSkewX(float skewX);
    virtual float getSkewX() const { return _skewX; }
    virtual void setSkewY(float skewY);
    virtual float getSkewY() const { return _skewY; }
    virtual void setAnchorPoint(const Vec2& anchorPoint);
    virtual const Vec2& getAnchorPoint() const { return _anchorPoint; }
    virtual const Vec2& getAnchorPointInPoints() const { return _anchorPointInPoints; }
    virtual void setContentSize(const Size& contentSize);
    virtual const Size& getContentSize() const { return _contentSize; }
    virtual void setIgnoreAnchorPointForPosition(bool ignore);
    virtual bool isIgnoreAnchorPointForPosition() const { return _ignoreAnchorPointForPosition; }
    virtual void setVisible(bool visible) { _visible = visible; }
    virtual bool isVisible() const { return _visible; }
    virtual Rect getBoundingBox() const;

    // Opacity and colour
    virtual void setOpacity(GLubyte opacity);
    virtual GLubyte getOpacity() const { return _realOpacity; }
    virtual GLubyte getDisplayedOpacity() const { return _displayedOpacity; }
    virtual void updateDisplayedOpacity(GLubyte parentOpacity);
    virtual void setCascadeOpacityEnabled(bool enabled);
    virtual bool isCascadeOpacityEnabled() const { return _cascadeOpacityEnabled; }
    virtual void setColor(const Color3B& color);
    virtual const Color3B& getColor() const { return _realColor; }
    virtual const Color3B& getDisplayedColor() const { return _displayedColor; }
    virtual void updateDisplayedColor(const Color3B& parentColor);
    virtual void setCascadeColorEnabled(bool enabled);
    virtual bool isCascadeColorEnabled() const { return _cascadeColorEnabled; }
    virtual void setOpacityModifyRGB(bool) {}
    virtual bool isOpacityModifyRGB() const { return false; }

    // Actions
    virtual Action* runAction(Action* action);
    void stopAllActions();
    void stopAction(Action* action);
    void stopActionByTag(int tag);
    void stopAllActionsByTag(int tag);
    Action* getActionByTag(int tag);
    ssize_t getNumberOfRunningActions() const;
    virtual void setActionManager(ActionManager* actionManager);
    virtual ActionManager* getActionManager() { return _actionManager; }
    virtual const ActionManager* getActionManager() const { return _actionManager; }

    // Scheduling
    void scheduleUpdate();
    void scheduleUpdateWithPriority(int priority);
    void unscheduleUpdate();
    virtual void update(float delta);
    void schedule(const std::function<void(float)>& callback, const std::string& key);
    void schedule(const std::function<void(float)>& callback, float interval, const std::string& key);
    void schedule(const std::function<void(float)>& callback, float interval, unsigned int repeat,
                  float delay, const std::string& key);
    void scheduleOnce(const std::function<void(float)>& callback, float delay, const std::string& key);
    void unschedule(const std::string& key);
    void unscheduleAllCallbacks();
    bool isScheduled(const std::string& key) const;
    virtual void setScheduler(Scheduler* scheduler);
    virtual Scheduler* getScheduler() { return _scheduler; }
    virtual const Scheduler* getScheduler() const { return _scheduler; }
    virtual void pause();
    virtual void resume();

    // Life cycle
    virtual void onEnter();
    virtual void onEnterTransitionDidFinish();
    virtual void onExitTransitionDidStart();
    virtual void onExit();
    virtual void cleanup();
    virtual bool isRunning() const { return _running; }
    virtual Scene* getScene() const;
    virtual EventDispatcher* getEventDispatcher() const { return _eventDispatcher; }
    virtual void setEventDispatcher(EventDispatcher* dispatcher);

    // Drawing: `transform` maps this node's local points to design (world) points.
    virtual void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags);
    virtual void draw(Renderer* renderer, const Mat4& transform, uint32_t flags);

    // Transforms
    virtual const Mat4& getNodeToParentTransform() const;
    virtual Mat4 getParentToNodeTransform() const;
    virtual Mat4 getNodeToWorldTransform() const;
    virtual Mat4 getWorldToNodeTransform() const;
    Vec2 convertToNodeSpace(const Vec2& worldPoint) const;
    Vec2 convertToWorldSpace(const Vec2& nodePoint) const;
    Vec2 convertToNodeSpaceAR(const Vec2& worldPoint) const;
    Vec2 convertToWorldSpaceAR(const Vec2& nodePoint) const;
    Vec2 convertTouchToNodeSpace(Touch* touch) const;
    Vec2 convertTouchToNodeSpaceAR(Touch* touch) const;

    unsigned int getOrderOfArrival() const { return _orderOfArrival; }

    CC_CONSTRUCTOR_ACCESS : Node();
    virtual ~Node();
    virtual bool init();

protected:
    void addChildHelper(Node* child, int localZOrder, int tag, const std::string& name, bool setTag);
    void insertChild(Node* child, int localZOrder);
    void detachChild(Node* child, ssize_t index, bool doCleanup);
    void markTransformDirty() { _transformDirty = true; }
    void cascadeOpacityToChildren();
    void cascadeColorToChildren();
    void disableCascadeOpacity();
    void disableCascadeColor();

    Director* _director = nullptr;
    Scheduler* _scheduler = nullptr;
    ActionManager* _actionManager = nullptr;
    EventDispatcher* _eventDispatcher = nullptr;

    Vector<Node*> _children;
    Node* _parent = nullptr;
    bool _running = false;
    bool _visible = true;
    bool _transitionFinished = false;
    bool _reorderChildDirty = false;

    Vec2 _position;
    Vec2 _anchorPoint;
    Vec2 _anchorPointInPoints;
    Size _contentSize;
    bool _ignoreAnchorPointForPosition = false;
    float _scaleX = 1.0f;
    float _scaleY = 1.0f;
    float _scaleZ = 1.0f;
    float _rotation = 0.0f;
    float _skewX = 0.0f;
    float _skewY = 0.0f;
    mutable Mat4 _transform;
    mutable bool _transformDirty = true;

    int _localZOrder = 0;
    float _globalZOrder = 0.0f;
    unsigned int _orderOfArrival = 0;
    int _tag = INVALID_TAG;
    std::string _name;
    void* _userData = nullptr;
    Ref* _userObject = nullptr;

    GLubyte _realOpacity = 255;
    GLubyte _displayedOpacity = 255;
    Color3B _realColor;
    Color3B _displayedColor;
    bool _cascadeOpacityEnabled = false;
    bool _cascadeColorEnabled = false;

private:
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
};

NS_CC_END
