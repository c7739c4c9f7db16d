#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>

#include "cocos2d.h"

// The character gallery: a column of names on the left; the chosen heroine's picture,
// profile text and attributes beside it. Reads the game data, changes nothing.
class Gals : public cocos2d::Scene {
public:
    CREATE_FUNC(Gals);
    ~Gals() override;
    bool init() override;

    virtual cocos2d::Sprite* getCharacterImage() const { return _characterImage; }
    virtual void setCharacterImage(cocos2d::Sprite* image);
    virtual cocos2d::Label* getDescriptionLabel() const { return _descriptionLabel; }
    virtual void setDescriptionLabel(cocos2d::Label* label);
    virtual cocos2d::Menu* getAttributeMenu() const { return _attributeMenu; }
    virtual void setAttributeMenu(cocos2d::Menu* menu);

    void selectCharacter(cocos2d::Ref* sender, std::int32_t id, const std::string& file,
                         const std::string& text, const std::set<std::string>& attributes);
    void showCharacterImage(const std::string& file);
    void showDescription(const std::string& text);
    void showAttributes(const std::set<std::string>& attributes);
    void onGalleryExit(cocos2d::Ref* sender);

    // For tests: the highlight behind each heroine's name.
    const std::unordered_map<std::int32_t, cocos2d::Sprite*>& highlights() const { return _highlights; }

private:
    cocos2d::Label* createNameLabel(const std::string& text, float columnWidth);
    cocos2d::Sprite* addHighlight(cocos2d::Label* label);
    void selectFirstCharacter();

    float _unselectedOpacity = 62;
    float _selectedOpacity = 123;
    cocos2d::Sprite* _characterImage = nullptr;
    cocos2d::Label* _descriptionLabel = nullptr;
    cocos2d::Menu* _attributeMenu = nullptr;
    std::unordered_map<std::int32_t, cocos2d::Sprite*> _highlights; // each retained
};
