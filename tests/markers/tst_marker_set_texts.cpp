// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/marker_set_texts.h"
#include "protocol/fixed_strings.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

const std::string kTail =
    "currently out of your screen.\nYou can edit your marker set or change your screen zoom "
    "level before you save.\n\nDo you want save now?";

TEST(OutOfScreenQuestion, CountsMarkersInWords) {
    EXPECT_EQ(OutOfScreenQuestion(5, 1),
              "In current marker set, there are 5 markers in total. 1 of them is " + kTail);
    EXPECT_EQ(OutOfScreenQuestion(5, 3),
              "In current marker set, there are 5 markers in total. 3 of them are " + kTail);
    EXPECT_EQ(OutOfScreenQuestion(1, 1),
              "In current marker set, there is 1 marker in total. It is " + kTail);
}

TEST(SendInformationText, NamesTheFileOnlyWhenItWasWritten) {
    const std::string tail =
        "You default mail application will be launched for you to send marker sets.  \n\nFor "
        "some of the email applications, you may have to manually attach the  \nabove file or "
        "other saved marker set files to your email message.";
    EXPECT_EQ(
        SendInformationText(true, "/opt/orbisk/MarkerSets/ForSend.obk"),
        "Current marker set information has been saved to\n/opt/orbisk/MarkerSets/ForSend.obk\n\n" +
            tail);
    EXPECT_EQ(SendInformationText(false, "/x"), tail);
}

TEST(SendMailLink, EscapesSubjectAndBody) {
    EXPECT_EQ(SendMailLink("Current Marker Set", FixedStrings()),
              "mailto:?subject=Current%20Marker%20Set%20for%20Orbisk&body=Attached%20%2Eobk%20file%"
              "20is%20a%20marker"
              "%20set%20file%20for%20Orbisk%2E%20After%20installing%20Orbisk%2C%20you%20can%"
              "20double%20click%20this"
              "%20file%20to%20open%20it%2E%0D%0DOrbisk%20%28North%20America%20Edition%29%20can%"
              "20be%20downloaded%20"
              "for%20free%20at%3A%0Dhttp%3A//127%2E0%2E0%2E1%3A8642/webpages/Downloads%2Ehtm");
    EXPECT_EQ(SendMailLink("A&B", FixedStrings()).substr(0, 36),
              "mailto:?subject=A%26B%20for%20Orbisk");
}

} // namespace
} // namespace orbisk
