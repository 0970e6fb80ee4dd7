#pragma once
// Message texts shared by the main windows and the calculators.
#include <QString>

namespace platform {
class RuntimeError;
}

namespace frame {

namespace EffectSizeText {
// The first line of the message that reports a failure; the failure's
// description follows after a line break.
inline const QString ErrorLead = QStringLiteral("Something went very wrong and resulted in the following error:");
} // namespace EffectSizeText

// The message for a value that could not be converted: a cause, then the
// error's description after a line break.
QString conversionErrorMessage(const platform::RuntimeError& e);

} // namespace frame
