// The province table, lookups, news and the generator; the one seam between the rules and
// whoever shows them, and the texts handed across it made printable.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>

#include "engine/Routes.h"
#include "game/Game.h"
#include "game/TurnCycle.h"
#include "model/FrontEnd.h"
#include "model/InternalError.h"
#include "model/PrintableText.h"
#include "model/ProvinceTable.h"
#include "model/Random.h"
#include "model/Wording.h"
#include "support/Recorded.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::GameTest;

TEST(RandomTest, ProducesTheExactLinearCongruentialSequence) {
    Random random(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int e : expected) {
        EXPECT_EQ(random.draw(), e);
    }
    random.seed(4294967295u);
    EXPECT_EQ(random.draw(), 35) << "the state wraps at 32 bits";
    // Rigged values come first, the state stepping under them, then the rule resumes.
    Random rigged(1);
    rigged.rig({7, 0});
    EXPECT_EQ(rigged.draw(), 7);
    EXPECT_EQ(rigged.draw(), 0);
    EXPECT_EQ(rigged.draw(), expected[2]);
    EXPECT_THROW(rigged.rig({32768}), InternalError);
    EXPECT_NO_THROW(rigged.rig({32767})) << "the generator's largest draw";
}

// The translations' texts take their values in order or by place.
TEST(WordingTest, FillTextTakesValuesInOrderOrByPlace) {
    EXPECT_EQ(fillText("%s lost %d, %2$s", {"Rome", "3"}), "Rome lost 3, 3");
    EXPECT_EQ(fillText("%+d at 100%% of %s", {"+5"}), "+5 at 100% of ");
    EXPECT_EQ(fillText("50% off", {}), "50% off");
    EXPECT_EQ(fillText("at 100%", {}), "at 100%");
    // Accented letters fold to their base, capitals too, from the first (A grave) on.
    EXPECT_EQ(plainLowerCase("Ja \u00C0 \u00C9l\u00DC"), "ja a elu");
}

class WorldTest : public GameTest {};

// What the screen, the clicks and the routes rely on, checked over the whole
// table so that a new or mistyped entry is caught wherever it is.
TEST_F(WorldTest, EveryProvinceIsNamedOnceAndCanBeClickedAndReached) {
    std::set<std::string> names;
    for (auto& prov : game().provinces) {
        ASSERT_NE(prov, nullptr);
        const std::string& name = prov->name;
        EXPECT_TRUE(names.insert(name).second) << name << " twice";
        EXPECT_EQ(game().findProvince(name), prov.get());

        EXPECT_TRUE(prov->legionX >= 0 && prov->legionX < kMapWidth && prov->legionY >= 0 &&
                    prov->legionY < kMapHeight)
            << name << "'s legions stand off the map";

        ASSERT_FALSE(prov->hitRects.empty()) << name;
        bool clickable = false;
        for (const Rect& r : prov->hitRects) {
            EXPECT_TRUE(r.left >= 0 && r.left + 1 < r.right && r.right <= kMapWidth) << name;
            EXPECT_TRUE(r.top >= 0 && r.top + 1 < r.bottom && r.bottom <= kMapHeight) << name;
            for (int y = r.top + 1; y < r.bottom && !clickable; ++y) {
                for (int x = r.left + 1; x < r.right && !clickable; ++x) {
                    clickable = provinceAt(game(), x, y) == prov.get();
                }
            }
        }
        EXPECT_TRUE(clickable) << name << " is covered by provinces before it";

        std::set<const Province*> seen;
        ASSERT_GT(prov->neighbourCount, 0) << name;
        for (int i = 0; i < prov->neighbourCount; ++i) {
            const Province* n = prov->neighbours[static_cast<std::size_t>(i)];
            ASSERT_NE(n, nullptr) << name;
            EXPECT_NE(n, prov.get()) << name;
            EXPECT_TRUE(seen.insert(n).second) << name << " lists " << n->name << " twice";
        }
        // From anywhere there is a way to Rome (the rebels' march needs one).
        if (name != "Italia") {
            EXPECT_GE(findRoute(game(), prov.get(), p("Italia")).size(), 2u) << name;
        }
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kProvinceCount));
}

// Where a click picks each province, where its legions stand, what borders it
// and what it yields, kept in tests/model/map-table.txt: a slip in the table
// (an edge moved by a pixel, a lost neighbour) shows there with its province.
// After a change meant to alter the map, write it anew with
// TESSARION_UPDATE_TRANSCRIPTS=1 and read the difference.
TEST_F(WorldTest, TheMapPlaysAsRecorded) {
    struct Clicks {
        int count = 0, left = kMapWidth, top = kMapHeight, right = -1, bottom = -1;
        std::uint32_t hash = 2166136261u;  // of the points, FNV-1a
    };
    std::vector<Clicks> clicks(game().provinces.size());
    for (int y = -1; y <= kMapHeight; ++y) {
        for (int x = -1; x <= kMapWidth; ++x) {
            if (const Province* at = provinceAt(game(), x, y)) {
                Clicks& c = clicks[static_cast<std::size_t>(at->index)];
                c = {c.count + 1,
                     std::min(c.left, x),
                     std::min(c.top, y),
                     std::max(c.right, x),
                     std::max(c.bottom, y),
                     (c.hash ^ static_cast<std::uint32_t>(y * 1000 + x)) * 16777619u};
            }
        }
    }
    std::ostringstream played;
    for (const auto& q : game().provinces) {
        const Clicks& c = clicks[static_cast<std::size_t>(q->index)];
        played << q->name << ": clicks " << c.count << " in " << c.left << ',' << c.top << '-'
               << c.right << ',' << c.bottom << " #" << std::hex << c.hash << std::dec
               << "; legions at " << q->legionX << ',' << q->legionY << "; tax " << q->taxValue
               << ", mood " << q->hostility << ", frontier " << static_cast<int>(q->frontier)
               << ", " << q->attributes << "; borders";
        for (int i = 0; i < q->neighbourCount; ++i) {
            played << ' ' << q->neighbours[static_cast<std::size_t>(i)]->name << ',';
        }
        played << '\n';
    }
    test::expectAsRecorded(std::string(TESSARION_SOURCE_DIR) + "/tests/model/map-table.txt",
                           played.str());
}

// A level from an old setting or a damaged file must never reach an odds table
// as it stands (the orders, the Roman year and both frontier powers index
// tables of three by it): it plays as Normal, whatever the level was before.
TEST_F(WorldTest, NewGameAtEachSkillLevel) {
    EXPECT_EQ(game().romans.provinces.size(), 23u);
    EXPECT_TRUE(game().rogueRomans.provinces.empty());
    for (Empire* e : game().powers()) {
        EXPECT_TRUE(e->legions.empty()) << "a game is empty until it is started";
    }
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    // The level asked for, the level played and the treasury it starts with.
    const std::tuple<int, int, int> levels[] = {{1, 1, 75000},    {2, 2, 50000},    {0, 0, 100000},
                                                {-1, 1, 75000},   {2, 2, 50000},    {3, 1, 75000},
                                                {kMin, 1, 75000}, {kMax, 1, 75000}, {0, 0, 100000}};
    for (auto [skill, played, treasury] : levels) {
        newGame(skill);
        EXPECT_EQ(game().skillLevel(), played) << skill;
        EXPECT_EQ(game().romans.treasury, treasury) << skill;
        EXPECT_EQ(game().romans.legionCount(), 9);
        EXPECT_EQ(game().barbarians.legionsIn(p("Upper Rhine")), 2);
        EXPECT_EQ(game().year(), 235);
        EXPECT_EQ(game().events.size(), 11u);
    }
    game().setSkillLevel(2);
    EXPECT_EQ(game().romans.treasury, 100000)
        << "the skill changes the treasury only at the next new game";
}

TEST_F(WorldTest, ResetKeepsWhatBelongsToTheRun) {
    newGame();
    game().barbarians.tribeCountdown = {7, 7, 7, 7};
    game().sassanidWarningPending = false;
    game().addNews("Old news");
    game().romans.plague = true;
    game().romans.plagueCounter = 4;
    game().invasionCount = 3;
    game().endingTurn = true;
    newGame();
    EXPECT_EQ(game().barbarians.tribeCountdown, (std::array<int, 4>{7, 7, 7, 7}));
    EXPECT_FALSE(game().sassanidWarningPending);
    EXPECT_TRUE(game().newsLog.empty()) << "the news was the last game's";
    EXPECT_FALSE(game().romans.plague) << "so was the plague";
    EXPECT_EQ(game().invasionCount, 0);
    EXPECT_FALSE(game().endingTurn) << "a game lost while its turn ended starts idle";
}

TEST_F(WorldTest, GetOwnerReportsProvincesHeldTwice) {
    game().sassanids.addProvince(p("Syria"));
    game().rogueRomans.addProvince(p("Syria"));
    EXPECT_EQ(game().getOwner(p("Syria")), &game().sassanids) << "the Sassanids end the search";
    EXPECT_EQ(advisor.messages, std::vector<std::string>{"Province is owner by two empires"});

    game().barbarians.addProvince(p("Italia"));
    game().rogueRomans.addProvince(p("Italia"));
    advisor.messages.clear();
    EXPECT_EQ(game().getOwner(p("Italia")), &game().rogueRomans);
    EXPECT_EQ(advisor.messages.size(), 2u);
    EXPECT_EQ(game().ownerOf(p("Italia")), &game().romans);
    EXPECT_EQ(advisor.messages.size(), 2u) << "ownerOf never reports";
}

// The owner is kept by the lists as they change; it must always be what a
// look through the four lists in their order finds, with the same reports.
TEST_F(WorldTest, OwnersFollowEveryChangeOfTheLists) {
    const auto powers = game().powers();
    for (std::size_t i = 0; i < powers.size(); ++i) {
        EXPECT_EQ(game().empire(powers[i]->power), powers[i]) << "the lists' order is the enum's";
        EXPECT_EQ(powerName(powers[i]->power), powers[i]->name);
    }
    auto byLooking = [&](const Province* q, int& reports) -> Empire* {
        Empire* candidate = nullptr;
        for (Empire* e : powers) {
            if (std::find(e->provinces.begin(), e->provinces.end(), q) == e->provinces.end()) {
                continue;
            }
            reports += candidate != nullptr;
            candidate = e;
            if (e == &game().sassanids) {
                break;
            }
        }
        return candidate;
    };
    std::mt19937 rng(3);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    for (int step = 0; step < 3000; ++step) {
        Empire* e = powers[pick(powers.size())];
        Province* q = game().provinces[pick(kProvinceCount)].get();
        switch (pick(12)) {
            case 0:
                e->provinces.clear();
                break;
            case 1: {  // a saved game's list put in place, as the loader does
                std::vector<Province*> listed;
                for (int k = static_cast<int>(pick(6)); k > 0; --k) {
                    listed.push_back(game().provinces[pick(kProvinceCount)].get());
                }
                e->provinces.swap(listed);
                break;
            }
            case 2:
            case 3:
                if (e->ownsProvince(q)) {
                    e->removeProvince(q);
                }
                break;
            case 4:
                takeProvince(e, q, game(), game().ownerOf(q));
                break;
            default:
                e->addProvince(q);
        }
        for (auto& prov : game().provinces) {
            int reports = 0;
            Empire* expected = byLooking(prov.get(), reports);
            advisor.messages.clear();
            ASSERT_EQ(game().getOwner(prov.get()), expected) << prov->name << " at " << step;
            ASSERT_EQ(static_cast<int>(advisor.messages.size()), reports) << prov->name;
            for (Empire* other : powers) {
                const bool listed = std::find(other->provinces.begin(), other->provinces.end(),
                                              prov.get()) != other->provinces.end();
                ASSERT_EQ(other->ownsProvince(prov.get()), listed);
            }
        }
    }
}

TEST_F(WorldTest, LookupsByName) {
    EXPECT_EQ(game().getEmpire("Rogue Romans"), &game().rogueRomans);
    EXPECT_EQ(game().getEmpire("Rebelling Legions"), &game().rogueRomans);
    EXPECT_THROW(game().getEmpire("Huns"), InternalError);
    EXPECT_THROW(game().findProvince("Atlantis"), NotFoundError);
    EXPECT_EQ(advisor.messages.back(), "province Atlantis not found!");
    EXPECT_THROW(game().romans.removeProvince(p("Armenia")), InternalError);
    Province dummy("Nowhere", 0);
    EXPECT_THROW(legionX(dummy), InternalError);
    EXPECT_THROW(legionY(dummy), InternalError);
}

TEST_F(WorldTest, NewsLogDropsRepeatsAndKeepsTen) {
    frontEnd.newsRefreshes = 0;
    const int& refreshed = frontEnd.newsRefreshes;
    game().addNews("a");
    game().addNews("a");
    EXPECT_EQ(game().newsLog.size(), 1u);
    EXPECT_EQ(refreshed, 1);
    game().addNews("b");
    game().addNews("a");
    EXPECT_EQ(game().newsLog.size(), 3u) << "only a repeat of the last line is dropped";
    for (int i = 0; i < 10; ++i) {
        game().addNews("line " + std::to_string(i));
    }
    ASSERT_EQ(game().newsLog.size(), 10u);
    EXPECT_EQ(game().newsLog.front(), "line 0");
    EXPECT_EQ(game().newsLog.back(), "line 9");
}

// Games are independent: a program or a test may hold several.
TEST_F(WorldTest, ARaidInOneGameIsNewsInThatGameOnly) {
    Game other(3);
    Legion* legion = game().romans.createLegion(p("Raetia"));
    legion->setRoute({p("Raetia"), p("Upper Danube")});
    game().romans.moveLegionStep(legion);
    ASSERT_EQ(game().newsLog.size(), 1u);
    EXPECT_EQ(game().newsLog.back(), "Our raid into Upper Danube was successful");
    EXPECT_TRUE(other.newsLog.empty());
}

TEST_F(WorldTest, AdvisorCutsLongTextsAndTreatsQuestionsAsText) {
    showMessage(game(), std::string(600, 'x'));
    EXPECT_EQ(advisor.messages.back().size(), 511u);
    EXPECT_EQ(formatText("%s", std::string(600, 'x').c_str()), std::string(511, 'x'));
    askYesNo(game(), "100%% sure? %s %d %");
    EXPECT_EQ(advisor.questions.back(), "100% sure? %s %d %");
    askYesNo(game(), "Pay 100%%");
    EXPECT_EQ(advisor.questions.back(), "Pay 100%") << "the last two characters too";
}

class Says : public FrontEnd {
  public:
    explicit Says(bool answer) : answer_(answer) {}
    bool askYesNo(const std::string&, const Question&) override { return answer_; }
    void showMessage(const std::string& text) override { heard = text; }
    std::string heard;

  private:
    bool answer_;
};

// With nobody installed the rules run on: nothing shown, every question No.
// Scopes nest, and each puts back the front end it replaced, also when the
// rules throw through it.
// A front end is installed on one game: another game goes on talking to its own.
TEST(FrontEndTest, ScopesNestAndRestoreTheOneBefore) {
    Game game;
    Game other;
    EXPECT_FALSE(askYesNo(game, "Do you wish to pay them?"));
    showMessage(game, "nobody hears this");

    Says yes(true);
    Says no(false);
    {
        FrontEndScope outer(game, yes);
        EXPECT_TRUE(askYesNo(game, "?"));
        EXPECT_FALSE(askYesNo(other, "?")) << "the other game has nobody";
        try {
            FrontEndScope inner(game, no);
            EXPECT_FALSE(askYesNo(game, "?"));
            showMessage(game, "inner");
            throw std::runtime_error("the rules fail");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(no.heard, "inner");
        EXPECT_TRUE(askYesNo(game, "?")) << "the outer front end is back";
        showMessage(game, "outer");
        EXPECT_EQ(yes.heard, "outer");
    }
    EXPECT_FALSE(askYesNo(game, "?"));
}

// What a terminal or a message box would act on comes out as an escape;
// what a reader simply reads comes out as it went in.
TEST(PrintableTextTest, ControlAndFormatCharactersAreEscaped) {
    EXPECT_EQ(printableText("\x1B[2J\x07\t\r\n\x7F"), "\\x1B[2J\\x07\\x09\\x0D\\x0A\\x7F");
    // C1 controls, the right-to-left override, zero-width and direction
    // marks, isolates, the line separator, the byte-order mark.
    EXPECT_EQ(printableText("\xC2\x9B"
                            "a\xE2\x80\xAE"
                            "b\xE2\x80\x8B"
                            "c\xE2\x80\x8F"),
              "\\u009Ba\\u202Eb\\u200Bc\\u200F");
    EXPECT_EQ(printableText("\xE2\x81\xA6x\xE2\x81\xA9\xE2\x80\xA8\xEF\xBB\xBF"),
              "\\u2066x\\u2069\\u2028\\uFEFF");
}

TEST(PrintableTextTest, BytesThatAreNotUtf8AreEscapedOneByOne) {
    // A lone continuation byte, a truncated sequence, an overlong slash, an
    // encoded surrogate, a byte beyond the last code point.
    EXPECT_EQ(printableText("\x80"), "\\x80");
    EXPECT_EQ(printableText("ab\xE2\x80"), "ab\\xE2\\x80");
    EXPECT_EQ(printableText("\xC0\xAF"), "\\xC0\\xAF");
    EXPECT_EQ(printableText("\xED\xA0\x80"), "\\xED\\xA0\\x80");
    EXPECT_EQ(printableText("\xF5\x80\x80\x80"), "\\xF5\\x80\\x80\\x80");
    EXPECT_EQ(printableText("\xF4\x8F\xBF\xBF"), "\xF4\x8F\xBF\xBF")
        << "the last code point is one";
}

TEST(PrintableTextTest, ReadableTextStaysAsItIs) {
    for (const std::string text :
         {"Upper Rhine", "C:\\Users\\Zoë\\Tessarion\\emergency-1.TSN", "Ελλάς", "日本語 😀", ""}) {
        EXPECT_EQ(printableText(text), text);
    }
}

}  // namespace
}  // namespace tessarion
