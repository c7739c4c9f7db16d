#pragma once
// Switching a sprite that is already on screen to another picture, as the play and the gallery
// do for each new heroine.

#include <string>

#include "cocos2d.h"

// Shows `file` on `sprite` through the sprite-frame cache, cut with the sprite's current texture
// rect: the first picture a sprite showed fixes the size that later ones of its kind share. A
// picture that cannot be loaded is reported and hides the sprite, so the previous picture never
// stays beside a new name or new lines; the next picture that loads shows it again. Returns
// whether the picture loaded.
bool swapPicture(cocos2d::Sprite* sprite, const std::string& file);
