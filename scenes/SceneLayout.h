#pragma once
// Small layout helpers the front-end scenes share.

#include <string>

#include "cocos2d.h"

// A sprite stretched axis by axis over the visible area and centred on it; null (with the
// load-error notice) when the image cannot be loaded.
cocos2d::Sprite* createStretchedBackground(const std::string& path);

// A label in the game's font, centre-anchored; null (with the notice naming the font) when
// the font cannot be loaded.
cocos2d::Label* createTextLabel(const std::string& text, float fontSize);
