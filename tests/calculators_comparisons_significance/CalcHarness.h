#pragma once
// Opening, driving and closing the calculator windows in tests.
#include "testkit/QtTestKit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace calctest {

// Closes the window as its close box would and lets it be deleted.
template <class W>
void closeWindow(W* w)
{
    QPointer<QWidget> guard(w);
    if (guard)
        guard->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "the window should be gone once closed";
}

// Empties the box and types the text key by key (the box's key filter sees
// every key).
inline void enter(QWidget* root, const char* box, const QString& text)
{
    QWidget* w = testkit::find(root, QString::fromLatin1(box));
    testkit::retype(w, text);
}

inline QString box(QWidget* root, const char* name) { return testkit::text(root, QString::fromLatin1(name)); }

} // namespace calctest
