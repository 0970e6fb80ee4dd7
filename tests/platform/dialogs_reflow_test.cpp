// Texts written with hard line breaks at a fixed width flow again in a box
// that wraps them itself; breaks that end a sentence or a heading stay.
#include "platform/Dialogs.h"

#include <gtest/gtest.h>

TEST(ReflowHardBreaks, JoinsBreaksInsideASentenceOnly)
{
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"we are \nassuming that", "we are assuming that"},
        {"the standard deviation\nof the change scores", "the standard deviation of the change scores"},
        {"an estimate.\nThe only way", "an estimate.\nThe only way"},
        {"Caution: \nIn order", "Caution: \nIn order"},
        {"first paragraph \n\nsecond", "first paragraph \n\nsecond"},
        {"Windows lines\r\nend here.\r\nNext", "Windows lines end here.\nNext"},
        {"Really?\nYes!\nGood", "Really?\nYes!\nGood"},
        {"no break at all", "no break at all"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::reflowHardBreaks(QString::fromUtf8(c.text)).toStdString(), std::string(c.shown)) << c.text;
}
