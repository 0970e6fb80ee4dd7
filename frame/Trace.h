#pragma once
// The frame library's trace: where a command goes on after an error, as its
// window's rules ask, the error is written here (category "suite.frame",
// shown in the program's error output) instead of vanishing.
#include "platform/CurrentError.h"

#include <QLoggingCategory>

namespace frame {
Q_DECLARE_LOGGING_CATEGORY(traceFrame)
} // namespace frame
