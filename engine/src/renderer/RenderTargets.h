#pragma once

struct SDL_Renderer;

// SDL textures belong to the renderer that made them and die with it. Views register their
// renderer here under a generation number that is never reused, so a texture can tell whether
// its SDL texture still exists before touching it, even if a new renderer got the same address.
namespace cocos2d {
namespace render_targets {

unsigned int registerTarget(SDL_Renderer* renderer);
void unregisterTarget(unsigned int generation);
// 0 when the renderer isn't registered.
unsigned int generationOf(SDL_Renderer* renderer);
bool isAlive(unsigned int generation);

} // namespace render_targets
} // namespace cocos2d
