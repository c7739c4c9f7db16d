#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "cocos2d.h"

// Five how-to-play pages side by side on one strip; "next" slides the strip one page left,
// the last page's entry leads to the title. Texts come from the tutorial strings file,
// read on every visit.
class Tutorial : public cocos2d::Scene {
public:
    CREATE_FUNC(Tutorial);
    ~Tutorial() override;
    bool init() override;

    virtual cocos2d::Node* getPageStrip() const { return _pageStrip; }
    virtual void setPageStrip(cocos2d::Node* strip);

    cocos2d::Node* createPage(int page);
    cocos2d::Label* createTitleLabel(const std::string& text);
    cocos2d::Label* createDescriptionLabel(const std::string& text, bool limitWidth);
    cocos2d::Menu* createNextMenu();

    void onNext(cocos2d::Ref* sender);
    void onToTitle(cocos2d::Ref* sender);

private:
    void readStrings();
    void addFocus(cocos2d::Node* strip);
    // The member's text; a missing or non-string member is reported once and reads as "".
    std::string text(const std::string& key);
    // The text of a menu entry; a missing or empty one is reported and falls back to a built-in text.
    std::string menuText(const std::string& key);
    cocos2d::Menu* createMenu(const std::string& key, const cocos2d::ccMenuCallback& callback);

    nlohmann::json _strings;
    cocos2d::Node* _pageStrip = nullptr;
};
