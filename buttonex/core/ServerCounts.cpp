#include "ServerCounts.h"

#include <atomic>

namespace velmora {

namespace {
std::atomic<int> g_instances{0};
std::atomic<int> g_locks{0};
} // namespace

void ServerCounts::instanceCreated() {
    ++g_instances;
}

void ServerCounts::instanceDestroyed() {
    --g_instances;
}

void ServerCounts::lock(bool locked) {
    if (locked) {
        ++g_locks;
        return;
    }
    // An unbalanced unlock is dropped: a negative count would cancel a
    // later lock and let the library go while it is held.
    int current = g_locks.load();
    while (current > 0 && !g_locks.compare_exchange_weak(current, current - 1)) {
    }
}

bool ServerCounts::canUnload() {
    return g_instances.load() == 0 && g_locks.load() == 0;
}

} // namespace velmora
