#include "renderer/RenderTargets.h"

#include <vector>

namespace cocos2d {
namespace render_targets {

namespace {
struct Target {
    SDL_Renderer* renderer;
    unsigned int generation;
};
std::vector<Target> g_targets;
unsigned int g_nextGeneration = 1;
} // namespace

unsigned int registerTarget(SDL_Renderer* renderer) {
    unsigned int generation = g_nextGeneration++;
    g_targets.push_back({renderer, generation});
    return generation;
}

void unregisterTarget(unsigned int generation) {
    for (auto it = g_targets.begin(); it != g_targets.end(); ++it) {
        if (it->generation == generation) {
            g_targets.erase(it);
            return;
        }
    }
}

unsigned int generationOf(SDL_Renderer* renderer) {
    for (const Target& target : g_targets) {
        if (target.renderer == renderer) {
            return target.generation;
        }
    }
    return 0;
}

bool isAlive(unsigned int generation) {
    for (const Target& target : g_targets) {
        if (target.generation == generation) {
            return true;
        }
    }
    return false;
}

} // namespace render_targets
} // namespace cocos2d
