#include "platform/Errors.h"
#include "platform/CurrentError.h"

namespace platform {

RuntimeError errInvalidCall() { return {ErrInvalidCall, QStringLiteral("Invalid procedure call or argument")}; }
RuntimeError errOverflow() { return {ErrOverflow, QStringLiteral("Overflow")}; }
RuntimeError errDivisionByZero() { return {ErrDivisionByZero, QStringLiteral("Division by zero")}; }
RuntimeError errTypeMismatch() { return {ErrTypeMismatch, QStringLiteral("Type mismatch")}; }
RuntimeError errFileNotFound() { return {ErrFileNotFound, QStringLiteral("File not found")}; }
RuntimeError errInputPastEnd() { return {ErrInputPastEnd, QStringLiteral("Input past end of file")}; }
RuntimeError errPathFileAccess() { return {ErrPathFileAccess, QStringLiteral("Path/File access error")}; }
RuntimeError errPrinter(const QString& detail)
{
    return {ErrPrinter, detail.isEmpty() ? QStringLiteral("Printer error") : QStringLiteral("Printer error: ") + detail};
}

QString currentErrorText()
{
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e.description();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

} // namespace platform
