#include "metadb/Trace.h"

namespace metadb {
Q_LOGGING_CATEGORY(traceMetadb, "suite.metadb")
} // namespace metadb
