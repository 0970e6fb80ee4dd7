#pragma once
// The personchange library's trace: where a command goes on after an error, as its
// window's rules ask, the error is written here (category "suite.personchange",
// shown in the program's error output) instead of vanishing.
#include "platform/CurrentError.h"

#include <QLoggingCategory>

namespace morvane {
Q_DECLARE_LOGGING_CATEGORY(tracePersonchange)
} // namespace morvane
