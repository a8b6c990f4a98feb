#pragma once

#include <QString>

namespace velmora::test {

/// The build's binary folder (libraries, programs), from the test environment.
QString buildBinDir();
/// The source tree's root, from the test environment.
QString sourceDir();
/// Empties this test's own configuration folder (XDG_CONFIG_HOME), so each
/// test function starts with no stored settings and no registered controls.
void resetUserConfig();

} // namespace velmora::test
