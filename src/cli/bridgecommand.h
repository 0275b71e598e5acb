#pragma once

#include "cli/commandline.h"

namespace cli {

// quillet bridge: relays this segment through the broker until SIGTERM or
// SIGINT. Says each change of state on the standard output and each failure
// on the standard error, one line each. Needs a QCoreApplication.
int runBridge(const Invocation &invocation);

} // namespace cli
