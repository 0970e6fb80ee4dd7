#pragma once
// Small helpers shared by the shell window tests.
#include "platform/AppInfo.h"

#include <QString>

namespace shelltest {

// Runs a test as one of the three programs and puts the previous one back.
class AsProgram {
public:
    explicit AsProgram(const QString& title, int revision = 0) : saved_(platform::appInfo())
    {
        platform::AppInfo i;
        i.title = title;
        i.exeName = title + QStringLiteral("5");
        i.major = 5;
        i.minor = 0;
        i.revision = revision;
        platform::setAppInfo(i);
    }
    ~AsProgram() { platform::setAppInfo(saved_); }
    AsProgram(const AsProgram&) = delete;
    AsProgram& operator=(const AsProgram&) = delete;

private:
    platform::AppInfo saved_;
};

} // namespace shelltest
