#pragma once

namespace velmora {

/// What keeps the control library in use: live control instances and
/// server locks taken through a class factory.
class ServerCounts {
public:
    static void instanceCreated();
    static void instanceDestroyed();
    /// An unlock without a matching lock is ignored.
    static void lock(bool locked);
    /// True when neither an instance nor a lock is alive.
    static bool canUnload();
};

} // namespace velmora
