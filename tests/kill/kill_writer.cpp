// Writes ever higher best scores through the real store, as plays ending one after another
// would, and prints each value once setIntegerForKey has returned. The kill test stops it
// with SIGKILL at random moments and checks the store it leaves behind.
//
//   solvane-kill-writer STORE_DIR [COUNT]

#include <cstdio>
#include <cstdlib>

#include "base/CCUserDefault.h"
#include "ext/Log.h"
#include "ext/Paths.h"

USING_NS_CC;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: solvane-kill-writer STORE_DIR [COUNT]\n");
        return 2;
    }
    const long count = argc > 2 ? std::atol(argv[2]) : 1000000;
    ext::setLogSink([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
    ext::setWritablePath(argv[1]);
    UserDefault* store = UserDefault::getInstance();
    int best = store->getIntegerForKey("high_score", 0);
    std::printf("start %d\n", best);
    std::fflush(stdout);
    for (long i = 0; i < count; ++i) {
        best += 1 + static_cast<int>(i % 7);
        store->setIntegerForKey("high_score", best);
        if (!store->isStoreWritten()) {
            std::fprintf(stderr, "solvane-kill-writer: the store was not written\n");
            return 1;
        }
        std::printf("%d\n", best);
        std::fflush(stdout);
    }
    UserDefault::destroyInstance();
    return 0;
}
