#include "metastats/Trace.h"

namespace metastats {
Q_LOGGING_CATEGORY(traceMetastats, "suite.metastats")
} // namespace metastats
