// The last net under the windows' own error handling: an error that a handler
// lets out is shown, and the program goes on.
#include "platform/Errors.h"
#include "shell/Application.h"
#include "testkit/QtTestKit.h"

#include <new>
#include <gtest/gtest.h>

TEST(ErrorNet, AnErrorThatLeavesAHandlerIsShownAndTheEventCountsAsNotHandled)
{
    struct Case {
        const char* what;
        std::function<bool()> deliver;
        const char* shown;
    };
    const Case cases[] = {
        {"run-time error", []() -> bool { throw platform::errOverflow(); }, "Overflow"},
        {"library error", []() -> bool { throw std::bad_alloc(); }, "std::bad_alloc"},
        {"anything else", []() -> bool { throw 42; }, "Unknown error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testkit::MsgBoxScript boxes;
        bool handled = true;
        EXPECT_NO_THROW(handled = shell::deliverWithNet(c.deliver));
        EXPECT_FALSE(handled);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.shown()[0].text,
                  QStringLiteral("Something went very wrong and resulted in the following error:\n") +
                      QString::fromLatin1(c.shown));
        EXPECT_EQ(boxes.shown()[0].icon, platform::MsgIcon::Critical);
    }
    // Without an error the delivery's own answer comes back, and nothing shows.
    testkit::MsgBoxScript boxes;
    EXPECT_TRUE(shell::deliverWithNet([] { return true; }));
    EXPECT_FALSE(shell::deliverWithNet([] { return false; }));
    EXPECT_EQ(boxes.count(), 0);
}
