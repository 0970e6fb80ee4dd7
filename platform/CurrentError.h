#pragma once
// The error being handled, as a text for a trace.
#include <QString>

namespace platform {

// The description of the error being handled; only inside a catch block. A
// RuntimeError gives its description, another exception its what().
QString currentErrorText();

} // namespace platform
