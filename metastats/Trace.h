#pragma once
// The metastats library's trace: where a command goes on after an error, as its
// window's rules ask, the error is written here (category "suite.metastats",
// shown in the program's error output) instead of vanishing.
#include "platform/CurrentError.h"

#include <QLoggingCategory>

namespace metastats {
Q_DECLARE_LOGGING_CATEGORY(traceMetastats)
} // namespace metastats
