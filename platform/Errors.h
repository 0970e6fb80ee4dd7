#pragma once
// Run-time errors of the computations. A window's handler catches them and
// shows its message; none ever ends the program.
#include <stdexcept>
#include <QString>

namespace platform {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description) {}
    int number() const { return number_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString description_;
};

// The usual error numbers and descriptions.
enum ErrorNumber {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrFileNotFound = 53,
    ErrBadFileNameOrNumber = 52,
    ErrInputPastEnd = 62,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
    ErrPrinter = 482,
    ErrCancel = 32755,
};

RuntimeError errInvalidCall();
RuntimeError errOverflow();
RuntimeError errDivisionByZero();
RuntimeError errTypeMismatch();
RuntimeError errFileNotFound();
RuntimeError errInputPastEnd();
RuntimeError errPathFileAccess();
RuntimeError errPrinter(const QString& detail = {});

} // namespace platform
