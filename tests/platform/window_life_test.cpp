// Windows that go when closed, and the commands that wait in a box: a window
// closed during a wait is hidden and deleted only once the last wait has
// ended and control is back in the event loop.
#include "platform/Dialogs.h"
#include "platform/WindowLife.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// What the event loop does on its next turn: timers, posted events and
// deferred deletions.
void nextTurn()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QPointer<QWidget> shownWindow()
{
    auto* w = new QWidget;
    platform::deleteOnClose(w);
    w->show();
    return w;
}

} // namespace

TEST(WindowLife, ClosedWithoutAWaitGoesAtTheNextTurn)
{
    QPointer<QWidget> w = shownWindow();
    w->close();
    nextTurn();
    EXPECT_TRUE(w.isNull());
}

TEST(WindowLife, ClosedDuringNestedWaitsGoesAfterTheLastWait)
{
    QPointer<QWidget> w = shownWindow();
    {
        platform::CommandWait outer;
        {
            platform::CommandWait inner;
            w->close();
            nextTurn();   // the box's own loop
            ASSERT_FALSE(w.isNull());
            EXPECT_TRUE(w->isHidden());
            EXPECT_TRUE(platform::deletionHeldBack(w));
        }
        nextTurn();   // the outer box still waits
        ASSERT_FALSE(w.isNull());
    }
    // Still inside the command: nothing goes until the loop turns.
    ASSERT_FALSE(w.isNull());
    nextTurn();
    EXPECT_TRUE(w.isNull());
}

TEST(WindowLife, AWaitBegunBeforeTheNextTurnHoldsItAgain)
{
    QPointer<QWidget> w = shownWindow();
    {
        platform::CommandWait first;
        w->close();
        nextTurn();
    }
    {
        // The command shows a second box before returning.
        platform::CommandWait second;
        nextTurn();
        ASSERT_FALSE(w.isNull());
    }
    nextTurn();
    EXPECT_TRUE(w.isNull());
}

TEST(WindowLife, ShownAgainBeforeTheWaitEndsItStays)
{
    QPointer<QWidget> w = shownWindow();
    {
        platform::CommandWait wait;
        w->close();
        nextTurn();
        w->show();
    }
    nextTurn();
    ASSERT_FALSE(w.isNull());
    EXPECT_TRUE(w->isVisible());
    w->close();
    nextTurn();
    EXPECT_TRUE(w.isNull());
}

// Every message box is a wait, also one a test answers.
TEST(WindowLife, AMessageBoxHoldsTheWindowItIsShownFor)
{
    QPointer<QWidget> w = shownWindow();
    bool wholeInBox = false;
    platform::setMsgHandler([&](const platform::MsgRequest&) {
        QApplication::closeAllWindows();
        nextTurn();
        wholeInBox = !w.isNull() && w->isHidden();
        return platform::MsgResult::OK;
    });
    platform::msgBox(QStringLiteral("Closing"), platform::MsgButtons::OK, platform::MsgIcon::None, {}, w);
    platform::setMsgHandler({});
    EXPECT_TRUE(wholeInBox);
    nextTurn();
    EXPECT_TRUE(w.isNull());
}
