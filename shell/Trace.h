#pragma once
// The shell library's trace: where a command goes on after an error, as its
// window's rules ask, the error is written here (category "suite.shell",
// shown in the program's error output) instead of vanishing.
#include "platform/CurrentError.h"

#include <QLoggingCategory>

namespace shell {
Q_DECLARE_LOGGING_CATEGORY(traceShell)
} // namespace shell
