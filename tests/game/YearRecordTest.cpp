// The year's record: what each battle, province, legion and sesterce books,
// the one-line summary, and the chronicle with history's line. That every
// year of whole seeded games balances is the soak test's check.
#include "model/YearRecord.h"

#include "engine/Orders.h"
#include "engine/Rebellions.h"
#include "engine/RomanEmpire.h"
#include "game/Chronicle.h"
#include "game/Scenarios.h"
#include "game/TurnCycle.h"
#include "savegame/SavedGameFixture.h"
#include "support/TestGame.h"

namespace tessarion {
namespace {

using test::EmptyMapTest;
using test::rigDraws;

constexpr int R = 0, G = 1, S = 2, X = 3;  // the powers' places

class YearRecordTest : public EmptyMapTest {
  protected:
    void SetUp() override {
        EmptyMapTest::SetUp();
        beginChronicle(game());
    }
    const std::vector<YearEntry>& entries() { return game().yearRecord.entries; }
    int at(const std::string& name) { return p(name)->index; }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (const YearEntry& e : entries()) {
            out.push_back(describeEntry(e, game()));
        }
        return out;
    }
};

// Each kind of battle names its sides, where the attacker came from, the
// legions each lost and who holds the province after.
TEST_F(YearRecordTest, BattlesAreBookedWithSidesLossesAndHolder) {
    // "kind province<from attacker>defender holder legions..." of the year's battle.
    const auto booked = [this] {
        for (const YearEntry& e : entries()) {
            if (e.kind == EntryKind::Battle) {
                std::string s = std::to_string(static_cast<int>(e.battle)) + " " +
                                game().provinces[e.province]->name + "<" +
                                game().provinces[e.from]->name + " " + std::to_string(e.attacker) +
                                ">" + std::to_string(e.defender) + " " + std::to_string(e.holder);
                for (int n : e.legions) {
                    s += " " + std::to_string(n);
                }
                return s;
            }
        }
        return std::string("no battle");
    };
    const auto attack = [this](const char* province, int count, int draw) {
        moveOwner(province, &game().barbarians);
        give(game().barbarians, province, count);
        give(game().romans, "Italia");
        rigDraws(game(), {draw});
        dropLegion(game(), p("Italia"), p(province));
    };
    const int attackKind = static_cast<int>(BattleKind::Attack);
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { attack("Raetia", 2, 1); },  // won against two
         std::to_string(attackKind) + " Raetia<Italia 0>1 1 0 -1 0 0"},
        {[&] { attack("Raetia", 1, 0); },  // lost
         std::to_string(attackKind) + " Raetia<Italia 0>1 1 -1 0 0 0"},
        {[this] {  // a raid across the Rhine
             give(game().barbarians, "Upper Rhine");
             give(game().romans, "Raetia");
             rigDraws(game(), {1, 1});
             dropLegion(game(), p("Raetia"), p("Upper Rhine"));
         },
         std::to_string(static_cast<int>(BattleKind::Raid)) + " Upper Rhine<Raetia 0>1 1 0 -1 0 0"},
        {[this] {  // a Roman legion on its route
             moveOwner("Syria", &game().sassanids);
             give(game().sassanids, "Syria");
             Legion* l = game().romans.createLegion(p("Cappadocia"));
             l->setRoute({p("Cappadocia"), p("Syria"), p("Palestina")});
             rigDraws(game(), {1});
             game().romans.moveLegionStep(l);
         },
         std::to_string(static_cast<int>(BattleKind::OnRoute)) +
             " Syria<Cappadocia 0>2 0 0 0 -1 0"},
        {[this] {  // a Persian attack on a garrison
             moveOwner("Syria", &game().sassanids);
             for (const char* n : {"Palestina", "Lydia", "Cappadocia"}) {
                 give(game().romans, n);
             }
             give(game().sassanids, "Syria");
             rigDraws(game(), {0});
             game().sassanids.updateLegions();
         },
         std::to_string(static_cast<int>(BattleKind::Defence)) + " Palestina<Syria 2>0 0 0 0 -1 0"},
        {[this] {  // rebels against Persians
             moveOwner("Syria", &game().rogueRomans);
             moveOwner("Palestina", &game().sassanids);
             give(game().sassanids, "Palestina");
             Legion* l = game().rogueRomans.createLegion(p("Syria"));
             l->setRoute({p("Syria"), p("Palestina")});
             rigDraws(game(), {1});
             game().rogueRomans.moveLegionStep(l);
         },
         std::to_string(static_cast<int>(BattleKind::EnemyAttack)) +
             " Palestina<Syria 3>2 3 0 0 -1 0"},
    };
    for (const auto& [fight, expected] : cases) {
        clearAllLegions();
        beginChronicle(game());
        fight();
        EXPECT_EQ(booked(), expected);
    }
}

// A province that changes hands is one entry however the rules move it, and
// a province left to nobody is one too.
TEST_F(YearRecordTest, ProvincesChangingHandsAreOneEntryEach) {
    moveOwner("Belgica", &game().barbarians);
    moveOwner("Britannia", nullptr);
    game().romans.addProvince(p("Britannia"));
    game().yearRecord.close(tallyOf(game()));
    EXPECT_EQ(texts(), (std::vector<std::string>{"Belgica lost to the Germanic Tribes",
                                                 "Britannia lost: it rose against us",
                                                 "Britannia retaken"}));
    EXPECT_EQ(game().yearRecord.checkBooks(), "");
}

// The treasury's movements are booked with their causes, and the taxes, the
// pay, a tribute and Rome's plunder add up to the treasury's change.
TEST_F(YearRecordTest, EverySesterceIsBookedWithItsCause) {
    RomanEmpire& romans = game().romans;
    romans.treasury = 40000;
    beginChronicle(game());
    give(romans, "Italia", 2);
    romans.changeTreasury(EntryKind::Tribute, romans.treasury - 12000);
    moveOwner("Raetia", &game().barbarians);
    give(game().barbarians, "Raetia");
    rigDraws(game(), {0});  // the garrison of Italia falls
    game().barbarians.updateLegions();
    game().barbarians.updateLegions();
    EXPECT_EQ(game().yearRecord.moneyOf(EntryKind::Tribute), -12000);
    EXPECT_EQ(game().yearRecord.moneyChange(), romans.treasury - 40000);
    EXPECT_EQ(game().yearRecord.moneyOf(EntryKind::Plunder) != 0,
              !romans.ownsProvince(p("Italia")));
}

// A legion made with no cause named is a fault of the rules, and so is a
// change of the state the entries do not explain.
TEST_F(YearRecordTest, BooksThatDoNotBalanceSayWhy) {
    game().romans.createLegion(p("Italia"));
    game().yearRecord.close(tallyOf(game()));
    EXPECT_NE(game().yearRecord.checkBooks().find("without a cause"), std::string::npos);

    beginChronicle(game());
    game().romans.treasury += 500;
    game().romans.clearLegions();
    game().yearRecord.close(tallyOf(game()));
    const std::string why = game().yearRecord.checkBooks();
    EXPECT_NE(why.find("treasury booked 0, changed 500"), std::string::npos) << why;
    EXPECT_NE(why.find("Romans legions booked 0, changed -1"), std::string::npos) << why;
}

TEST_F(YearRecordTest, TheSummaryLineCountsRomanBattlesAndNamesProvinces) {
    YearRecord r;
    r.open(236, {});
    r.after.treasury = 6450;
    r.after.legions[R] = -1;
    auto battle = [](int romanLoss, int enemyLoss, int attacker, int defender) {
        YearEntry e;
        e.kind = EntryKind::Battle;
        e.attacker = attacker;
        e.defender = defender;
        e.legions[R] = romanLoss;
        e.legions[G] = enemyLoss;
        return e;
    };
    YearEntry lost;
    lost.kind = EntryKind::ProvinceChange;
    lost.province = at("Belgica");
    lost.attacker = G;
    lost.defender = R;
    r.entries = {battle(0, -1, R, G), battle(-1, 0, G, R), battle(0, -1, G, R), lost,
                 battle(0, 0, G, S)};
    EXPECT_EQ(summariseYear(r, game()),
              "236 AD: 3 battles, 2 won; Belgica lost; legions -1; treasury +6,450");
    r.entries = {battle(0, -1, R, G)};
    EXPECT_EQ(summariseYear(r, game()), "236 AD: 1 battle, 1 won; legions -1; treasury +6,450");
    EXPECT_EQ(groupedNumber(-1234567), "-1,234,567");
    EXPECT_EQ(groupedNumber(0), "0");
    EXPECT_EQ(signedGroupedNumber(999), "+999");
}

// The chronicle starts with the game as set up and gains a row a year; a
// scenario starts its own.
TEST_F(YearRecordTest, TheChronicleHasARowAYearFromTheStart) {
    newGame();
    endTurnCycle(game());
    endTurnCycle(game());
    ASSERT_EQ(game().chronicle.size(), 3u);
    EXPECT_EQ(game().chronicle[0].year, 235);
    EXPECT_EQ(game().chronicle[2].year, 237);
    EXPECT_EQ(game().chronicle[2].tally, tallyOf(game()));
    EXPECT_EQ(game().lastYear.year, 236);
    EXPECT_EQ(game().lastYear.after, tallyOf(game()));
    const std::string csv = chronicleCsv(game());
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "year,roman_provinces,germanic_provinces,sassanid_provinces,rebel_provinces,"
              "roman_legions,germanic_legions,sassanid_legions,rebel_legions,treasury,"
              "historical_roman_provinces");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), ','), 4 * 10) << "eleven columns a row";

    startScenario(game(), 1100);  // set up in 259, its first year played at once
    ASSERT_EQ(game().chronicle.size(), 2u);
    EXPECT_EQ(game().chronicle[0].year, 259);
    EXPECT_EQ(game().lastYear.year, 259);
}

// A saved game keeps the year being played, the last year and the
// chronicle; a file whose records do not add up to its game is refused.
TEST_F(YearRecordTest, TheRecordsGoThroughASavedGame) {
    newGame();
    for (int i = 0; i < 4; ++i) {
        endTurnCycle(game());
    }
    peoplesFront(game());  // the year being played has an entry too
    const std::string text = saveGameText(game());
    ASSERT_NE(text.find("# chronicle 239 "), std::string::npos) << text;

    Game other(99);
    ASSERT_TRUE(loadGameText(other, text).ok) << loadGameText(other, text).error;
    EXPECT_EQ(other.chronicle, game().chronicle);
    EXPECT_EQ(saveGameText(other), text) << "the records written again as they were read";

    const std::string taxes = text.substr(text.find("# lastentry taxes"));
    const std::string line = taxes.substr(0, taxes.find('\n'));
    for (const std::string& bad :
         {edited(text, line, line + "0"),  // ten times the taxes
          edited(text, "# chronicle 237 ", "# chronicle 238 "), edited(text, line + "\n", "")}) {
        const FileResult r = loadGameText(other, bad);
        EXPECT_FALSE(r.ok);
    }
}

}  // namespace
}  // namespace tessarion
