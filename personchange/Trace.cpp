#include "personchange/Trace.h"

namespace morvane {
Q_LOGGING_CATEGORY(tracePersonchange, "suite.personchange")
} // namespace morvane
