// The boxes the window opens: the Prefect's fit his words and scroll what does not fit, the
// file box takes only plain names, and the lesson box's captions keep pace with the narration.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/AdvisorBox.h"
#include "ui/BoxChrome.h"
#include "ui/FileBox.h"
#include "ui/InputEvents.h"
#include "ui/LessonBox.h"
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

// A typed name becomes a file in the player's folder: it must stay a plain name.
TEST(FileBox, ATypedNameTakesOnlyPlainCharactersUpToSixty) {
    struct Case {
        std::string typed;
        std::string name;
    };
    const Case cases[] = {
        {"Rome (235) - first_try.v2", "Rome (235) - first_try.v2"},
        {"../etc/passwd", "..etcpasswd"},
        {"C:\\games\\rome", "Cgamesrome"},
        {"a*b?c\"d<e>f|g\t", "abcdefg"},
        {"caf\xC3\xA9", "caf"},
        {std::string(70, 'x'), std::string(60, 'x')},
    };
    for (const Case& c : cases) {
        FileBox box(true, {}, 1366, 768);
        for (char ch : c.typed) {
            box.text(ch);
        }
        EXPECT_EQ(box.name, c.name) << c.typed;
    }
    // Picking a saved game puts its name in the field; typing goes on from it.
    FileBox save(true, {{"old.TSN", "235 AD", false}}, 1366, 768);
    save.keyDown(key(KeyCode::Down));
    ASSERT_EQ(save.selected(), 0);
    save.text('x');
    EXPECT_EQ(save.name, "old.TSNx");
    EXPECT_EQ(save.selected(), -1) << "a typed name is no longer the listed one";

    FileBox load(false, {{"old.TSN", "235 AD", false}}, 1366, 768);
    load.text('x');
    EXPECT_EQ(load.name, "") << "the load box has no name to type";
    load.keyDown(key(KeyCode::Enter));
    EXPECT_EQ(load.name, "old.TSN");
    EXPECT_EQ(load.endCode, 1);
}

// A lesson box whose narration the player has started at tick 1000.
struct Told {
    LessonBox box;

    explicit Told(const std::string& script, std::uint64_t length = 0, int pictureId = 162)
        : box(nullptr, pictureId, script, 1366, 768, nullptr, nullptr) {
        box.narrationLength = length;
        box.tick(1000);
    }
    // Presses and releases the play button as the player would.
    void pressPlay() {
        const int x = box.clientLeft() + 85;
        const int y = box.clientTop() + 30;
        box.mouseDown(x, y, InputEvent::Button::Left);
        box.mouseUp(x, y, InputEvent::Button::Left);
    }
    // The first caption line shown at each moment of the telling, "" for none.
    std::vector<std::string> firstLinesAt(const std::vector<std::uint64_t>& moments) {
        std::vector<std::string> seen;
        for (std::uint64_t t : moments) {
            box.tick(1000 + t);
            const std::vector<std::string> shown = box.currentCaption();
            seen.push_back(shown.empty() ? "" : shown.front());
        }
        return seen;
    }
    std::string at(std::uint64_t elapsed) { return firstLinesAt({elapsed}).front(); }
};

using Lines = std::vector<std::string>;

TEST(LessonBoxCaptions, LinesFollowTheNarrationInOrderTwoAtATime) {
    // Four lines of equal length: each has a quarter of the running time.
    Told told("Line one.\r\n\r\nLine two.\nLine 3...\rLine four", 8000);
    EXPECT_TRUE(told.box.currentCaption().empty()) << "no words before the narration starts";
    bool started = false;
    told.box.onNarration = [&](bool start) { started = start; };
    told.pressPlay();
    ASSERT_TRUE(started);
    ASSERT_TRUE(told.box.narrationPlaying);

    EXPECT_EQ(told.box.currentCaption(), (Lines{"Line one.", "Line two."}))
        << "blank lines of the script are not captions";
    EXPECT_EQ(
        told.firstLinesAt({1000, 2500, 3000, 5500, 6500, 7900, 8000}),
        (Lines{"Line one.", "Line two.", "Line two.", "Line 3...", "Line four", "Line four", ""}));
    told.box.tick(1000 + 6500);
    EXPECT_EQ(told.box.currentCaption(), Lines{"Line four"}) << "the last line stands alone";

    // Half a second after its end the narration is over by itself.
    told.box.tick(1000 + 8400);
    EXPECT_TRUE(told.box.narrationPlaying);
    told.box.tick(1000 + 8600);
    EXPECT_FALSE(told.box.narrationPlaying);
    EXPECT_TRUE(told.box.currentCaption().empty());
}

TEST(LessonBoxCaptions, TheIntroHasNoWords) {
    Told intro("Music only", 0, 266);
    intro.pressPlay();
    EXPECT_FALSE(intro.box.narrationPlaying);
    EXPECT_TRUE(intro.box.currentCaption().empty());
}

// Four lines of equal length, so that pacing by length would change line every 2.5 s of a
// 10 s narration; the narrator's times are deliberately uneven.
const char* kTimedScript =
    "Princeps, line one.\nline two is here\nline three is...\nthe end is here\n";

TEST(LessonBoxCaptions, FollowTheNarratorsTimesWhenThereIsOnePerLine) {
    Told told(kTimedScript, 10000, 249);
    told.box.captionTimes = {300, 2000, 2600, 9000};
    told.pressPlay();
    ASSERT_TRUE(told.box.narrationPlaying);
    EXPECT_EQ(told.firstLinesAt({0, 1999, 2000, 8999}),
              (Lines{"Princeps, line one.", "Princeps, line one.", "line two is here",
                     "line three is..."}))
        << "up before the first word";
    EXPECT_EQ(told.box.currentCaption().size(), 2u) << "the next line waits below";
    EXPECT_EQ(told.at(9000), "the end is here");
    EXPECT_EQ(told.box.currentCaption().size(), 1u);
    EXPECT_EQ(told.at(10000), "") << "nothing once it is all said";

    Told untrusted(kTimedScript, 10000, 249);
    untrusted.box.captionTimes = {300, 2000, 2600};  // a line short: paced by length instead
    untrusted.pressPlay();
    EXPECT_EQ(untrusted.firstLinesAt({2400, 3000, 9999}),
              (Lines{"Princeps, line one.", "line two is here", "the end is here"}));
}

}  // namespace
}  // namespace tessarion
