#include "shell/Trace.h"

namespace shell {
Q_LOGGING_CATEGORY(traceShell, "suite.shell")
} // namespace shell
