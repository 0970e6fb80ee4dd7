#pragma once
// Small helpers shared by the shell window tests.
#include "platform/AppInfo.h"
#include "programs/ProgramTables.h"
#include "shell/ProgramShell.h"

#include <QString>
#include <optional>

namespace shelltest {

// Runs a test as one of the three programs, with the table the program hands
// to the shell, and puts the previous one back.
class AsProgram {
public:
    explicit AsProgram(const QString& title, int revision = 0) : saved_(platform::appInfo())
    {
        if (title == QLatin1String("Tarvoss"))
            table_.emplace(programs::tarvossShell());
        else if (title == QLatin1String("Quellin"))
            table_.emplace(programs::quellinShell());
        else if (title == QLatin1String("Morvane"))
            table_.emplace(programs::morvaneShell());
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
    std::optional<shell::ProgramShellRegistration> table_;
};

} // namespace shelltest
