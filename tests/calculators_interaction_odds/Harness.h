#pragma once
// Driving the interaction and logistic conversion windows in tests.
#include "testkit/QtTestKit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace calc4test {

inline void enter(QWidget* root, const char* box, const QString& text)
{
    testkit::retype(testkit::find(root, QString::fromLatin1(box)), text);
}

inline QString box(QWidget* root, const char* name) { return testkit::text(root, QString::fromLatin1(name)); }

inline void press(QWidget* root, const char* button) { testkit::click(testkit::find(root, QString::fromLatin1(button))); }

// Ticks or clears the check box chkConfidence with the mouse.
inline void setTicked(QWidget* root, bool ticked)
{
    auto* chk = testkit::find<QCheckBox>(root, QStringLiteral("chkConfidence"));
    if (chk && chk->isChecked() != ticked)
        testkit::click(chk);
}

// Closes the window as its close box would and lets it be deleted.
inline void closeWindow(QWidget* w)
{
    QPointer<QWidget> guard(w);
    if (guard)
        guard->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "the window should be gone once closed";
}

inline std::string s(const QString& q) { return q.toStdString(); }

// The lead sentence of the message of a computation stopped by an error.
inline const char* const ErrorLead = "Please check the numbers you entered. Something went very wrong";

} // namespace calc4test
