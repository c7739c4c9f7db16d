#include "scenes/MenuFocus.h"

#include <algorithm>
#include <cmath>

#include "shell/Constants.h"

USING_NS_CC;

const char* const MenuFocus::kName = "menuFocus";
const char* const MenuFocus::kMarkPath = "ui/focus_heart.png";

namespace {
using Key = EventKeyboard::KeyCode;

constexpr float kMarkGap = 6.0f;         // between the heart and the entry's left edge
constexpr float kMarkHeightShare = 0.8f; // of the entry's height, at most the picture's own size
constexpr float kMarkMinimumScale = 0.4f;

// A box in a node's space, in world space. Menus, pages and the tutorial's strip only ever
// move, so two opposite corners are enough.
Rect toWorld(const Node* space, const Rect& box) {
    if (!space) {
        return box;
    }
    const Vec2 a = space->convertToWorldSpace(box.origin);
    const Vec2 b = space->convertToWorldSpace(Vec2(box.getMaxX(), box.getMaxY()));
    return Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(b.x - a.x), std::fabs(b.y - a.y));
}

// A node's box in world space, its direct children's boxes included when asked.
Rect worldBox(const Node* node, bool withChildren) {
    Rect box = toWorld(node->getParent(), node->getBoundingBox());
    if (withChildren) {
        for (const Node* child : node->getChildren()) {
            if (child->isVisible()) {
                box.merge(toWorld(node, child->getBoundingBox()));
            }
        }
    }
    return box;
}

bool shownAlongTheWay(const Node* node) {
    for (; node; node = node->getParent()) {
        if (!node->isVisible()) {
            return false;
        }
    }
    return true;
}
} // namespace

MenuFocus::~MenuFocus() {
    for (Entry& entry : _entries) {
        CC_SAFE_RELEASE(entry.node);
    }
}

bool MenuFocus::init() {
    if (!Node::init()) {
        return false;
    }
    setName(kName);
    _mark = Sprite::create(kMarkPath);
    if (_mark) {
        _mark->setVisible(false);
        addChild(_mark);
    } else {
        reportLoadError(kMarkPath); // the focus still moves and activates, unmarked
    }
    addListeners();
    return true;
}

void MenuFocus::addEntry(Node* node, std::function<void()> activate, std::function<void(int)> adjust) {
    if (!node) {
        log("menuFocus entry is null");
        return;
    }
    node->retain();
    _entries.push_back({node, std::move(activate), std::move(adjust)});
}

Node* MenuFocus::getFocusedNode() const {
    return _focused >= 0 ? _entries[static_cast<size_t>(_focused)].node : nullptr;
}

void MenuFocus::focusEntry(int index) {
    _focused = index >= 0 && index < static_cast<int>(_entries.size()) ? index : -1;
    placeMark();
}

void MenuFocus::onEnter() {
    Node::onEnter();
    focusEntry(nextShown(-1, +1));
    scheduleUpdate();
}

// Entries move (the tutorial's strip) and come and go: the focus and its mark follow.
void MenuFocus::update(float) {
    if (_focused < 0 || !isShown(_focused)) {
        _focused = nextShown(-1, +1);
    }
    placeMark();
}

void MenuFocus::addListeners() {
    auto keys = EventListenerKeyboard::create();
    keys->onKeyPressed = [this](Key key, Event*) { onKeyPressed(key); };
    keys->onKeyReleased = [this](Key key, Event*) { onKeyReleased(key); };
    _eventDispatcher->addEventListenerWithSceneGraphPriority(keys, this);

    auto mouse = EventListenerMouse::create();
    mouse->onMouseMove = [this](EventMouse* event) {
        const int hit = entryAt(event->getLocation());
        if (hit >= 0 && hit != _focused) {
            focusEntry(hit);
        }
    };
    _eventDispatcher->addEventListenerWithSceneGraphPriority(mouse, this);

    // A press on an entry moves the focus there; the press itself goes on to the entry.
    auto touches = EventListenerTouchOneByOne::create();
    touches->onTouchBegan = [this](Touch* touch, Event*) {
        const int hit = entryAt(touch->getLocation());
        if (hit >= 0) {
            focusEntry(hit);
        }
        return false;
    };
    _eventDispatcher->addEventListenerWithSceneGraphPriority(touches, this);
}

void MenuFocus::onKeyPressed(Key key) {
    switch (key) {
    case Key::KEY_LEFT_SHIFT:
    case Key::KEY_RIGHT_SHIFT:
        _shiftHeld = true;
        break;
    case Key::KEY_UP_ARROW:
        focusEntry(nextShown(_focused, -1));
        break;
    case Key::KEY_DOWN_ARROW:
        focusEntry(nextShown(_focused, +1));
        break;
    case Key::KEY_TAB:
        focusEntry(nextShown(_focused, _shiftHeld ? -1 : +1));
        break;
    case Key::KEY_ENTER:
    case Key::KEY_KP_ENTER:
    case Key::KEY_RETURN:
    case Key::KEY_SPACE:
        activateFocused();
        break;
    case Key::KEY_LEFT_ARROW:
    case Key::KEY_RIGHT_ARROW:
        if (_focused >= 0 && isShown(_focused) && _entries[static_cast<size_t>(_focused)].adjust) {
            _entries[static_cast<size_t>(_focused)].adjust(key == Key::KEY_LEFT_ARROW ? -1 : +1);
        }
        break;
    case Key::KEY_ESCAPE:
    case Key::KEY_BACKSPACE:
        if (_back) {
            auto back = _back; // the action may replace the scene that holds this node
            back();
        }
        break;
    default:
        break;
    }
}

void MenuFocus::onKeyReleased(Key key) {
    if (key == Key::KEY_LEFT_SHIFT || key == Key::KEY_RIGHT_SHIFT) {
        _shiftHeld = false;
    }
}

int MenuFocus::nextShown(int from, int direction) const {
    const int count = static_cast<int>(_entries.size());
    if (count == 0) {
        return -1;
    }
    int index = from;
    for (int tried = 0; tried < count; ++tried) {
        index =
            from < 0 && tried == 0 ? (direction > 0 ? 0 : count - 1) : (index + direction + count) % count;
        if (isShown(index)) {
            return index;
        }
    }
    return -1;
}

bool MenuFocus::isShown(int index) const {
    const Node* node = _entries[static_cast<size_t>(index)].node;
    if (!node->isRunning() || !shownAlongTheWay(node)) {
        return false;
    }
    const Rect box = worldBox(node, false);
    const Rect visible(Director::getInstance()->getVisibleOrigin(),
                       Director::getInstance()->getVisibleSize());
    return visible.containsPoint(Vec2(box.getMidX(), box.getMidY()));
}

int MenuFocus::entryAt(const Vec2& worldPoint) const {
    for (int i = 0; i < static_cast<int>(_entries.size()); ++i) {
        if (isShown(i) && worldBox(_entries[static_cast<size_t>(i)].node, true).containsPoint(worldPoint)) {
            return i;
        }
    }
    return -1;
}

void MenuFocus::activateFocused() {
    if (_focused < 0 || !isShown(_focused)) {
        return;
    }
    // A copy: the action may replace the scene, and with it this node's entries.
    auto activate = _entries[static_cast<size_t>(_focused)].activate;
    if (activate) {
        activate();
    }
}

void MenuFocus::placeMark() {
    if (!_mark) {
        return;
    }
    const Node* node = getFocusedNode();
    if (!node || !isShown(_focused)) {
        _mark->setVisible(false);
        return;
    }
    const Rect box = worldBox(node, false);
    const Size picture = _mark->getContentSize();
    float scale = picture.height > 0 ? box.size.height * kMarkHeightShare / picture.height : 1.0f;
    scale = std::max(kMarkMinimumScale, std::min(1.0f, scale));
    _mark->setScale(scale);
    const float x = box.getMinX() - kMarkGap - picture.width * scale * 0.5f;
    _mark->setPosition(convertToNodeSpace(Vec2(x, box.getMidY())));
    _mark->setVisible(true);
}
