#include "game/WholeGame.h"

#include <exception>

#include "game/Game.h"
#include "game/GameSession.h"
#include "game/GeneralPlayer.h"
#include "game/TurnCycle.h"
#include "model/YearRecord.h"

namespace tessarion {

namespace {

// The simulated player's front end: nothing is shown, questions are answered
// by the player's policy (the defeat question marks the game lost), and the
// rules' request to end the program ends the game.
class SimulatedPlayer : public FrontEnd {
  public:
    SimulatedPlayer(PlayerKind player, Game& game, const std::function<void(Game&)>& eachYear)
        : player_(player), game_(game), eachYear_(eachYear) {}

    bool askYesNo(const std::string&, const Question& question) override {
        if (question.topic == Question::Topic::Defeat) {
            defeated = true;
        }
        return answerQuestion(player_, question, game_.romans.treasury);
    }
    void quit() override { over = true; }
    // The books of every year must balance: the first that does not is the
    // game's failure.
    void yearEnded(const YearRecord& record) override {
        if (books.empty()) {
            books = record.checkBooks();
        }
        if (eachYear_) {
            eachYear_(game_);
        }
    }

    bool defeated = false;
    bool over = false;
    std::string books;

  private:
    PlayerKind player_;
    Game& game_;
    const std::function<void(Game&)>& eachYear_;
};

// Ends turns, the general giving his orders first, until the game is over.
// Why the game failed, or nothing.
std::string playTurns(Game& game, const SimulatedPlayer& screen, PlayerKind player,
                      GeneralPlayer& general) {
    for (int turns = 1; !screen.over; ++turns) {
        if (turns > kTurnLimit) {
            return "no end after " + std::to_string(kTurnLimit) + " turns";
        }
        if (player == PlayerKind::General) {
            const int year = game.year();
            general.playTurn(game);
            if (screen.over || game.year() != year) {
                continue;  // the last order ended the turn by itself
            }
        }
        endTurnCycle(game);
    }
    return {};
}

}  // namespace

const char* playerName(PlayerKind player) {
    return player == PlayerKind::Idle ? "idle" : "general";
}

std::uint32_t gameSeed(std::uint32_t runSeed, int index) {
    // Steps of the golden ratio spread neighbouring games far apart in the
    // generator's sequence; step 0 keeps the run seed for the first game.
    return runSeed + static_cast<std::uint32_t>(index) * 0x9E3779B9u;
}

bool answerQuestion(PlayerKind player, const Question& question, int treasury) {
    switch (question.topic) {
        case Question::Topic::KeepPlaying:
            return true;
        case Question::Topic::PeaceOffer:
            return player == PlayerKind::General &&
                   GeneralPlayer::acceptsPeace(treasury, question.price, question.years);
        case Question::Topic::BonusDemand:
            return player == PlayerKind::General &&
                   GeneralPlayer::paysBonus(treasury, question.price);
        default:
            // Defeat, the end at 476 AD and anything else: the game is over or
            // the question is not the player's business.
            return false;
    }
}

GameResult playGame(int skill, PlayerKind player, int from, std::uint32_t seed,
                    const std::function<void(Game&)>& eachYear) {
    GameResult result;
    result.skill = skill;
    result.player = player;
    result.from = from;
    result.seed = seed;

    GameSession session(seed);
    Game* game = &session.game();
    SimulatedPlayer simulated(player, *game, eachYear);
    GeneralPlayer general;
    FrontEndScope frontEnd(*game, simulated);
    game->setSkillLevel(skill);
    try {
        beginFirstGame(*game, from);
        result.startYear = game->year();
        result.failure = playTurns(*game, simulated, player, general);
        if (result.failure.empty() && !simulated.books.empty()) {
            result.failure = "the year's record does not add up: " + simulated.books;
        }
    } catch (const std::exception& e) {
        result.failure = std::string("internal error: ") + e.what();
    }
    result.endYear = game->year();
    result.defeated = simulated.defeated;
    result.invasions = game->invasionCount;
    result.plagues = game->plagueCount;
    result.rebellions = game->rebellionCount;
    return result;
}

}  // namespace tessarion
