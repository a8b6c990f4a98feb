#pragma once

#include <functional>

namespace velmora::test {

/// Runs the event loop until `done` holds or `timeoutMs` passed, looking
/// once a millisecond: often enough to add no latency of its own to what is
/// timed (unlike QTest's waits, it never sleeps between rounds), seldom
/// enough not to take the processor from what is measured.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 60000);

} // namespace velmora::test
