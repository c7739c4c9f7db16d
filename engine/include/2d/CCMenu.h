#pragma once

#include <utility>

#include "2d/CCLayer.h"
#include "2d/CCMenuItem.h"
#include "base/CCVector.h"

NS_CC_BEGIN

class Touch;
class Event;
class EventListenerTouchOneByOne;

// A layer of MenuItems centred on the design area. A press selects the item under it, a release
// activates the item still selected; the menu swallows touches that start on an item.
class Menu : public Layer {
public:
    enum class State { WAITING, TRACKING_TOUCH };

    static Menu* create();
    // The trailing nullptr of the framework's C-varargs form is accepted and ignored.
    template <class... Items> static Menu* create(MenuItem* item, Items... items) {
        Vector<MenuItem*> array;
        appendItems(array, item, items...);
        return createWithArray(array);
    }
    static Menu* createWithArray(const Vector<MenuItem*>& arrayOfItems);
    static Menu* createWithItem(MenuItem* item);

    void alignItemsVertically();
    void alignItemsVerticallyWithPadding(float padding);
    void alignItemsHorizontally();
    void alignItemsHorizontallyWithPadding(float padding);

    virtual bool isEnabled() const { return _enabled; }
    virtual void setEnabled(bool value) { _enabled = value; }

    void onExit() override;

    virtual bool onTouchBegan(Touch* touch, Event* event);
    virtual void onTouchEnded(Touch* touch, Event* event);
    virtual void onTouchCancelled(Touch* touch, Event* event);
    virtual void onTouchMoved(Touch* touch, Event* event);

    CC_CONSTRUCTOR_ACCESS : Menu() = default;
    ~Menu() override = default;
    bool init() override;
    bool initWithArray(const Vector<MenuItem*>& arrayOfItems);

protected:
    static const float kDefaultPadding;

    MenuItem* getItemForTouch(Touch* touch);
    bool isShownAndEnabled();

    bool _enabled = false;
    State _state = State::WAITING;
    // Retained while tracking, so an item removed by someone else mid-press stays valid.
    MenuItem* _selectedItem = nullptr;

private:
    static void appendItems(Vector<MenuItem*>&) {}
    template <class... Rest> static void appendItems(Vector<MenuItem*>& array, std::nullptr_t, Rest... rest) {
        appendItems(array, rest...);
    }
    // A trailing NULL (an integer zero) ends the list as well.
    template <class... Rest> static void appendItems(Vector<MenuItem*>& array, long, Rest... rest) {
        appendItems(array, rest...);
    }
    template <class... Rest> static void appendItems(Vector<MenuItem*>& array, int, Rest... rest) {
        appendItems(array, rest...);
    }
    template <class... Rest> static void appendItems(Vector<MenuItem*>& array, MenuItem* item, Rest... rest) {
        if (item) {
            array.pushBack(item);
        }
        appendItems(array, rest...);
    }
};

NS_CC_END
