// The Prefect's boxes fit his words and scroll what does not fit.
#include "ui/AdvisorBox.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/BoxChrome.h"
#include "ui/InputEvents.h"
#include "ui/Surface.h"

namespace tessarion {
namespace {

using test::key;

TEST(AdvisorBox, OpensAtTheTopLeftOfThePictureAreaAndFitsThePrefectsLongestLines) {
    // The widest lines the game shows in a message and in a question.
    AdvisorBox message(AdvisorBox::Kind::Message,
                       "the Romans because it produced much of the grain which was \r\n"
                       "When a province rebels it is shown in white, and any legions",
                       1366, 768, nullptr);
    AdvisorBox question(AdvisorBox::Kind::Question,
                        "I am your advisor and I will be providing you with\r\n"
                        "The legions are demanding a bonus of 10000 sesterces.",
                        1366, 768, nullptr);
    for (const AdvisorBox* box : {&message, &question}) {
        EXPECT_EQ(box->left, 383);
        EXPECT_EQ(box->top, 184);
        EXPECT_TRUE(box->textFits());
        EXPECT_LE(box->left + box->width, 1366 / 2 + 300) << "the box stays in the picture area";
    }
    const BoxButton* yes = question.button(AdvisorBox::kYes);
    const BoxButton* no = question.button(AdvisorBox::kNo);
    ASSERT_TRUE(yes && no);
    EXPECT_LT(yes->y, no->y) << "No stands two units lower than Yes";
    message.keyDown(key(KeyCode::Tab));
    message.keyDown(key(KeyCode::End));
    EXPECT_EQ(message.scrollX(), 0) << "nothing to scroll";
}

TEST(AdvisorBox, LongLinesScrollSidewaysWithTheKeysOnceTabbedInto) {
    AdvisorBox box(AdvisorBox::Kind::Message, std::string(200, 'w') + "\r\nshort", 1366, 768,
                   nullptr);
    ASSERT_EQ(box.lines().size(), 2u) << "no wrapping";
    box.keyDown(key(KeyCode::Right));
    EXPECT_EQ(box.scrollX(), 0) << "the OK button has the focus";
    box.keyDown(key(KeyCode::Tab));
    EXPECT_EQ(box.focus(), 0);
    box.keyDown(key(KeyCode::Right));
    box.keyDown(key(KeyCode::End));
    EXPECT_GT(box.scrollX(), 100);
    box.keyDown(key(KeyCode::Home));
    EXPECT_EQ(box.scrollX(), 0);
}

// The focus ring lies four points inside the focused button at every scale;
// drawn at point coordinates as pixels it once landed up and left of the
// button on any larger screen.
TEST(AdvisorBox, TheFocusRingLiesInsideItsButtonAtEveryScale) {
    const BoxButton ok{1, "OK", 200, 100, 80, 24};
    for (double scale : {1.0, 1.5, 2.8125}) {
        Surface s(400, 200, kWhite, scale);
        box::drawButton(s, 0, 0, ok, true, false, false);
        int ink = 0;
        for (int y = 0; y < s.pixelHeight(); ++y) {
            for (int x = 0; x < s.pixelWidth(); ++x) {
                if (s.pixel(x, y) == box::kInkColour) {
                    ++ink;
                    EXPECT_TRUE(x >= s.toPixels(204) && x < s.toPixels(276) &&
                                y >= s.toPixels(104) && y < s.toPixels(120))
                        << scale << ": " << x << "," << y;
                }
            }
        }
        EXPECT_EQ(s.pixel(s.toPixels(204), s.toPixels(104)), box::kInkColour) << scale;
        EXPECT_GT(ink, 40) << scale;
    }
}
}  // namespace
}  // namespace tessarion
