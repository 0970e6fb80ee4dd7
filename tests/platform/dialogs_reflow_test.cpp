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
        // The description of an error keeps its own line after the lead.
        {"Something went very wrong and resulted in the following error\r\nOverflow",
         "Something went very wrong and resulted in the following error\nOverflow"},
        {"    Error No. 6 \r\nDivision by zero", "    Error No. 6 \nDivision by zero"},
        {"File not found\n53 rows", "File not found\n53 rows"},
        // Indented lines are a list, each on its own line.
        {"Where:\n    rxy = between x and y\n    rvy = between v and y",
         "Where:\n    rxy = between x and y\n    rvy = between v and y"},
        // A sentence that goes on after a dash or a bracket is one line.
        {"in relation to IQ overall \n- not in relation", "in relation to IQ overall - not in relation"},
        {"the population standard deviation (which we \n(which", "the population standard deviation (which we (which"},
        {"a capital after no stop\nTreat", "a capital after no stop\nTreat"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::reflowHardBreaks(QString::fromUtf8(c.text)).toStdString(), std::string(c.shown)) << c.text;
}
