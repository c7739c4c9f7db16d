#pragma once

#include <functional>
#include <vector>

#include "cocos2d.h"

// Keyboard (and gamepad, which the engine plays as keys) focus over a screen's entries, beside
// the mouse: Up/Down and Tab/Shift+Tab move a small heart between the entries, Enter or Space
// activates the focused one, Left/Right adjust it where it can be adjusted, Escape or Backspace
// goes back where the screen has a way back. Hovering or pressing an entry with the mouse moves
// the focus there too. The first entry is focused on arrival.
//
// An entry counts only while its node is shown on screen, so a screen may register entries
// that come and go (the tutorial's pages slide past); the focus then moves to the first one
// that is shown. The mark is drawn over the screen and never moves an entry.
class MenuFocus : public cocos2d::Node {
public:
    static const char* const kName;     // the name the focus node goes by in its scene
    static const char* const kMarkPath; // the heart beside the focused entry
    static constexpr int kLocalZOrder = 1000;

    CREATE_FUNC(MenuFocus);
    ~MenuFocus() override;

    // An entry: what is focused and hit by the mouse, what Enter does, and what Left/Right do
    // (a step of -1 or +1; none when empty).
    void addEntry(cocos2d::Node* node, std::function<void()> activate,
                  std::function<void(int step)> adjust = nullptr);
    // What Escape and Backspace do; nothing when never set.
    void setBackAction(std::function<void()> back) { _back = std::move(back); }

    // -1 when nothing can be focused.
    int getFocusedIndex() const { return _focused; }
    cocos2d::Node* getFocusedNode() const;
    cocos2d::Sprite* getMark() const { return _mark; }
    void focusEntry(int index);

    void onEnter() override;
    void update(float dt) override;

    CC_CONSTRUCTOR_ACCESS : MenuFocus() = default;
    bool init() override;

private:
    struct Entry {
        cocos2d::Node* node; // retained
        std::function<void()> activate;
        std::function<void(int)> adjust;
    };

    void addListeners();
    void onKeyPressed(cocos2d::EventKeyboard::KeyCode key);
    void onKeyReleased(cocos2d::EventKeyboard::KeyCode key);
    // The next shown entry from the focused one in that direction, wrapping; -1 when none.
    int nextShown(int from, int direction) const;
    bool isShown(int index) const;
    int entryAt(const cocos2d::Vec2& worldPoint) const;
    void activateFocused();
    void placeMark();

    std::vector<Entry> _entries;
    std::function<void()> _back;
    cocos2d::Sprite* _mark = nullptr; // a child; null when its picture is missing
    int _focused = -1;
    bool _shiftHeld = false;
};
