#pragma once
// The metadb library's trace: where a command goes on after an error, as its
// window's rules ask, the error is written here (category "suite.metadb",
// shown in the program's error output) instead of vanishing.
#include "platform/CurrentError.h"

#include <QLoggingCategory>

namespace metadb {
Q_DECLARE_LOGGING_CATEGORY(traceMetadb)
} // namespace metadb
