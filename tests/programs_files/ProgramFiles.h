#pragma once
// Set-up shared by the program file tests: which program runs, with no
// recent files, remembered folder or command line left from another test.
#include "platform/AppInfo.h"
#include "platform/Settings.h"
#include "testkit/QtTestKit.h"

#include <QAction>

namespace programfiles {

inline void useProgram(const char* title, const char* exe)
{
    platform::setAppInfo({QString::fromLatin1(title), QString::fromLatin1(exe), 5, 0, 0});
    platform::deleteSetting(QStringLiteral("MRUFiles"));
    platform::deleteSetting(QStringLiteral("Files"));
    platform::setCommandArguments({});
}

inline void trigger(QWidget* w, const char* action)
{
    testkit::findAction(w, QString::fromLatin1(action))->trigger();
}

} // namespace programfiles
