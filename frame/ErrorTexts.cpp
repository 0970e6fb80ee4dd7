#include "frame/ErrorTexts.h"

#include "platform/Errors.h"

namespace frame {

QString conversionErrorMessage(const platform::RuntimeError& e)
{
    return QStringLiteral("Please check the numbers you entered. Something went very wrong and resulted in the "
                          "following error:\r\n")
        + e.description();
}

} // namespace frame
