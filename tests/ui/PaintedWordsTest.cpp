#include "ui/PaintedWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>
#include <string>

#include "PictureManifest.h"
#include "game/Lessons.h"
#include "ui/Font.h"
#include "ui/Language.h"
#include "ui/Pictures.h"
#include "ui/Surface.h"

namespace tessarion {
namespace {

using painted::Anchor;
using painted::Face;
using painted::Word;

constexpr const char* kLanguages[] = {"en", "de", "fr", "it", "es", "pseudo"};
// From the smallest window the game takes to a large screen's.
constexpr double kScales[] = {0.7, 0.75, 1.0, 1.5, 2.0, 3.0};

class PaintedWordsTest : public ::testing::Test {
  protected:
    void TearDown() override { setLanguage("en"); }
};

// Where a surface's pixels differ from the ground: columns and rows, ends excluded.
struct Ink {
    int left = INT_MAX;
    int right = INT_MIN;
    int top = INT_MAX;
    int bottom = INT_MIN;
    int exact = 0;  // pixels of exactly the wanted colour
};
Ink inkOf(const Surface& s, std::uint32_t ground, std::uint32_t colour) {
    Ink ink;
    for (int y = 0; y < s.pixelHeight(); ++y) {
        for (int x = 0; x < s.pixelWidth(); ++x) {
            if (s.pixel(x, y) != ground) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x + 1);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y + 1);
                ink.exact += s.pixel(x, y) == colour ? 1 : 0;
            }
        }
    }
    return ink;
}

const Word& wordOf(int picture, const char* english) {
    for (const Word& w : painted::words()) {
        if (w.picture == picture && w.text != nullptr && std::string(w.text) == english) {
            return w;
        }
    }
    throw std::runtime_error(std::string("no word ") + english);
}

TEST(Capitals, KeepAccentsAndSpellTheSharpSDouble) {
    EXPECT_EQ(capitals("Légende"), "LÉGENDE");
    EXPECT_EQ(capitals("Einfälle an der Straße"), "EINFÄLLE AN DER STRASSE");
    EXPECT_EQ(capitals("Póstumo, Odénat, ñ ç ü ÿ ł ő ž"), "PÓSTUMO, ODÉNAT, Ñ Ç Ü Ÿ Ł Ő Ž");
    // Signs, figures and what is already capital stay as they are.
    EXPECT_EQ(capitals("235 d.C. × ÷ ÀÉ - %s"), "235 D.C. × ÷ ÀÉ - %S");
    EXPECT_EQ(capitals(""), "");
}

TEST_F(PaintedWordsTest, EveryLessonBandHasItsTitleAndItsLine) {
    for (const Lesson& lesson : kLessons) {
        const PictureEntry* picture = pictureNamed(lesson.picture);
        ASSERT_NE(picture, nullptr) << lesson.picture;
        int titles = 0;
        int lines = 0;
        for (const Word& w : painted::words()) {
            if (w.picture == picture->id && w.y > 346) {
                (w.text == nullptr ? titles : lines) += 1;
                if (w.text == nullptr) {
                    EXPECT_EQ(painted::shownText(w), capitals(lesson.title));
                }
            }
        }
        EXPECT_EQ(titles, 1) << lesson.picture;
        EXPECT_EQ(lines, 1) << lesson.picture;
    }
    setLanguage("de");
    const Lesson* constantine = lessonForPicture("constantine");
    for (const Word& w : painted::words()) {
        if (w.picture == pictureNamed("constantine")->id && w.text == nullptr) {
            EXPECT_EQ(painted::shownText(w), "KONSTANTIN I.") << constantine->title;
        }
    }
}

TEST_F(PaintedWordsTest, EveryWordStandsInItsRoomInsideItsPicture) {
    for (const Word& w : painted::words()) {
        const PictureSize size = pictureDrawSize(w.picture);
        const std::string name = w.text != nullptr ? w.text : "a lesson's title";
        EXPECT_TRUE(0 <= w.roomLeft && w.roomLeft < w.roomRight && w.roomRight <= size.width)
            << name << ": the room lies across the picture";
        EXPECT_TRUE(w.roomLeft <= w.x && w.x <= w.roomRight) << name << " stands in its room";
        EXPECT_TRUE(w.look.size / 2 < w.y && w.y <= size.height) << name << "'s baseline";
    }
}

// Every word fits its room in every language at every scale, never smaller than reads; in
// English, at the size the layout is drawn for and on larger screens, the words stand as the
// pictures were made for them: full size, full spacing.
TEST_F(PaintedWordsTest, EveryLanguageFitsEveryRoomAtEveryScale) {
    for (const char* language : kLanguages) {
        setLanguage(language);
        for (double scale : kScales) {
            for (const Word& w : painted::words()) {
                const std::string text = painted::shownText(w);
                const painted::Setting s = painted::settingFor(w, text, scale);
                EXPECT_LE(s.width, (w.roomRight - w.roomLeft) * scale)
                    << language << " at " << scale << ": " << text;
                EXPECT_GE(s.pixelSize,
                          std::min<long>(Font::kLeastPixelSize, std::lround(w.look.size * scale)))
                    << language << ": " << text;
                if (std::string(language) == "en" && scale >= 1) {
                    EXPECT_EQ(s.pixelSize, std::lround(w.look.size * scale)) << text << scale;
                    EXPECT_NEAR(s.tracking, w.look.spacing * s.pixelSize / w.look.size, 1e-9)
                        << text;
                }
            }
        }
    }
}

TEST_F(PaintedWordsTest, AWiderWordIsSetSmallerThenCloserButNoSmallerThanReads) {
    const Word& plaque = wordOf(pic::legendTitle.id, "Legend");
    const double room = plaque.roomRight - plaque.roomLeft;
    const painted::Setting english = painted::settingFor(plaque, "LEGEND", 1);
    const painted::Setting longer = painted::settingFor(plaque, "LEGENDLEGEND", 1);
    EXPECT_LT(longer.pixelSize, english.pixelSize);
    EXPECT_GT(longer.pixelSize, Font::kLeastPixelSize);
    EXPECT_LE(longer.width, room);
    // One size larger would not have fitted.
    Word larger = plaque;
    larger.look.size = longer.pixelSize + 1;
    larger.look.spacing = plaque.look.spacing * larger.look.size / plaque.look.size;
    EXPECT_EQ(painted::settingFor(larger, "LEGENDLEGEND", 1).pixelSize, longer.pixelSize);

    // Much longer: at the least size the letters close up, as far as touching.
    const painted::Setting closer = painted::settingFor(plaque, "LEGENDLEGENDLEGE", 1);
    EXPECT_EQ(closer.pixelSize, Font::kLeastPixelSize);
    EXPECT_LT(closer.tracking, plaque.look.spacing * closer.pixelSize / plaque.look.size);
    EXPECT_NEAR(closer.width, room, 1.0);
    const painted::Setting touching = painted::settingFor(plaque, std::string(40, 'M'), 1);
    EXPECT_EQ(touching.pixelSize, Font::kLeastPixelSize);
    EXPECT_EQ(touching.tracking, 0);
    EXPECT_GT(touching.width, room) << "left to overrun, where the surface reports it";
}

TEST_F(PaintedWordsTest, LettersThePlaqueInItsGoldAboutItsMiddle) {
    const Word& plaque = wordOf(pic::legendTitle.id, "Legend");
    for (double scale : {1.0, 1.5, 2.0}) {
        Surface s(200, 80, kBlack, scale);
        painted::letter(s, pic::legendTitle.id, 10, 5);
        const Ink ink = inkOf(s, kBlack, 0xFFD9A93Au);
        ASSERT_GT(ink.exact, 20) << scale;
        EXPECT_GE(ink.left, (10 + plaque.roomLeft) * scale);
        EXPECT_LE(ink.right, (10 + plaque.roomRight) * scale);
        EXPECT_NEAR((ink.left + ink.right) / 2.0, (10 + 81) * scale, 2 * scale);
        // Capitals on the baseline: nothing hangs below it.
        EXPECT_LE(ink.bottom, std::lround((5 + 39) * scale) + 1);
        EXPECT_GT(ink.top, (5 + 39 - 27) * scale);

        setLanguage("de");
        Surface german(200, 80, kBlack, scale);
        painted::letter(german, pic::legendTitle.id, 10, 5);
        EXPECT_NE(german.pixels(), s.pixels()) << "LEGENDE is not LEGEND";
        setLanguage("en");
    }
}

TEST_F(PaintedWordsTest, TheResultsLabelsEndWhereTheNumbersBeginInEveryLanguage) {
    const Word& label = wordOf(pic::results.id, "Rebellions:");
    for (const char* language : kLanguages) {
        setLanguage(language);
        for (double scale : {0.75, 1.0, 2.0}) {
            Surface s(600, 400, kBlack, scale);
            painted::letter(s, pic::results.id, 0, 0);
            // The third label's row alone.
            Surface row(600, 40, kBlack, scale);
            row.blit(s, 0, static_cast<int>(label.y) - 30, 600, 40, 0, 0);
            const Ink ink = inkOf(row, kBlack, label.look.colour);
            EXPECT_NEAR(ink.right, 410 * scale, 4 * scale) << language << " at " << scale;
            EXPECT_GE(ink.left, label.roomLeft * scale) << language;
        }
    }
}

TEST_F(PaintedWordsTest, NothingIsLetteredOverAPictureWithoutWords) {
    Surface s(100, 100, kBlack);
    painted::letter(s, pic::fullCoin.id, 0, 0);
    painted::letter(s, -1, 0, 0);
    EXPECT_EQ(inkOf(s, kBlack, kBlack).exact, 0);
    EXPECT_EQ(inkOf(s, kBlack, kBlack).right, INT_MIN);
}

}  // namespace
}  // namespace tessarion
