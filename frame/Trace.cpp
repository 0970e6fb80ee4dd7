#include "frame/Trace.h"

namespace frame {
Q_LOGGING_CATEGORY(traceFrame, "suite.frame")
} // namespace frame
