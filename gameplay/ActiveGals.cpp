#include "gameplay/ActiveGals.h"

#include <cassert>
#include <vector>

#include "cocos2d.h"
#include "data/GameData.h"
#include "data/Random.h"

ActiveGal activeGals[kMaxActiveGals];
int activeGalCount = 0;
std::deque<Character> waitingGals;

void dealGals() {
    waitingGals.clear();
    activeGalCount = kMaxActiveGals;

    std::vector<Character> pool;
    for (const auto& entry : GameData::getCharacters()) {
        pool.push_back(entry.second);
    }
    assert(pool.size() >= kMaxActiveGals && "content validation admits no fewer than three heroines");
    if (pool.size() < static_cast<size_t>(kMaxActiveGals)) {
        // Never reached with validated content; dealing fewer keeps the draw below well defined.
        cocos2d::log("dealGals: only %d heroines", static_cast<int>(pool.size()));
        activeGalCount = static_cast<int>(pool.size());
    }

    for (int slot = 0; slot < activeGalCount; ++slot) {
        const auto r = getRand(static_cast<unsigned>(pool.size()));
        activeGals[slot] = ActiveGal{pool[r], kStartFavour};
        pool.erase(pool.begin() + r);
    }
    waitingGals.insert(waitingGals.end(), pool.begin(), pool.end());
}

ActiveGal* findActiveGal(int id) {
    for (int slot = 0; slot < activeGalCount; ++slot) {
        if (activeGals[slot].gal.id == id) {
            return &activeGals[slot];
        }
    }
    return nullptr;
}
