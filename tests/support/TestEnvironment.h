#pragma once

#include <QString>
#include <QTest>

namespace velmora::test {

/// The build's binary folder (libraries, programs), from the test environment.
QString buildBinDir();
/// The source tree's root, from the test environment.
QString sourceDir();
/// Empties this test's own configuration folder (XDG_CONFIG_HOME), so each
/// test function starts with no stored settings and no registered controls.
void resetUserConfig();
/// Whether the tests run in CI (CI=true), where every module, library and
/// tool a test needs must be there.
bool runningInCi();
/// This process's peak resident memory so far in KiB (VmHWM); -1 unread.
qint64 peakResidentKb();
/// This process's resident memory now in KiB (VmRSS); -1 unread.
qint64 residentKb();
/// Lowers the peak to the memory resident now, so that peakResidentKb()
/// measures from here; false when the system does not let it.
bool resetPeakResident();
/// The sanitizers' own memory swells every figure: memory ceilings hold for
/// the normal build only.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

} // namespace velmora::test

/// Ends the test when `available` is false: a skip saying what is missing
/// on a developer's machine, a failure in CI, where a missing part must not
/// pass unseen.
#define VELMORA_REQUIRE(available, what)                                                           \
    do {                                                                                           \
        if (!(available)) {                                                                        \
            if (velmora::test::runningInCi())                                                      \
                QFAIL(what " is missing, and CI must run this test");                              \
            QSKIP(what " is missing (allowed only outside CI)");                                   \
        }                                                                                          \
    } while (false)
