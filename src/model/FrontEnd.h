#pragma once

#include <string>

#include "model/Power.h"
#include "model/Sound.h"

namespace tessarion {

struct Province;
class World;
class YearRecord;

// What a yes/no question is about, beside its text, for a front end that
// answers by policy rather than by reading (the simulated player).
struct Question {
    enum class Topic {
        Other,
        BonusDemand,  // the legions want `price` sesterces
        PeaceOffer,   // a tribe offers `years` of peace for `price` sesterces
        Defeat,       // the empire has fallen: play again?
        KeepPlaying,  // 285 AD reached: play on to 476 AD?
        PlayAgain,    // 476 AD reached: a new game?
    };
    Topic topic = Topic::Other;
    int price = 0;
    int years = 0;
};

// Everything the rules ask of whoever shows the game: the Praetorian
// Prefect's boxes, the screen, the lessons, the battles as they happen. Every
// member does nothing by default and every question is answered No, which is
// how the rules run headless; a front end overrides what it shows.
class FrontEnd {
  public:
    virtual ~FrontEnd() = default;

    // The advisor's boxes. The texts come already cut to kAdvisorTextLimit.
    virtual void showMessage(const std::string& text) { (void)text; }
    virtual bool askYesNo(const std::string& text, const Question& question) {
        (void)text, (void)question;
        return false;
    }

    // Compose the screen from the game as it stands.
    virtual void redrawScreen() {}
    // Repaint the whole window at the next opportunity.
    virtual void invalidateWindow() {}
    // The COMPUTER TURN banner before the other powers move.
    virtual void showComputerTurn() {}
    // Forget the enemy moves already animated this turn.
    virtual void clearShownMoves() {}
    // The zoom that leads into a lesson, from a layout point (x before the
    // horizontal layout offset is added).
    virtual void zoomFrame(int x, int y) { (void)x, (void)y; }
    // The modal picture box of a lesson, the picture named as in the
    // picture list (resources/art/pictures.txt).
    virtual void openPictureBox(const std::string& picture) { (void)picture; }
    // The Results box with the three statistics.
    virtual void showResults(int invasions, int plagues, int rebellions) {
        (void)invasions, (void)plagues, (void)rebellions;
    }
    // The game ends the program (No at defeat or at 285 AD, quitting at 476 AD).
    virtual void quit() {}
    // Queue a menu command to run after the current one (play again at 476 AD).
    virtual void postCommand(int id, int param) { (void)id, (void)param; }

    // The battles: a sound, a legion marching from one province to the next,
    // the flashing legion of the power that won a province.
    virtual void playSound(Sound sound) { (void)sound; }
    virtual void animateMove(Province* from, Province* to) { (void)from, (void)to; }
    virtual void flashLegion(Power who, Province* where) { (void)who, (void)where; }
    // The news or the year changed.
    virtual void refreshReports() {}
    // A year's record has closed: what the computer's turn did, told once.
    virtual void yearEnded(const YearRecord& record) { (void)record; }
    // The empire has fallen: the chronicle of the reign before the question.
    virtual void showChronicle() {}
};

// Shows nothing and answers No: what a game's rules talk to while no front
// end is installed on it (tests, benchmarks, tools).
class NullFrontEnd final : public FrontEnd {};

// Installs a front end on one game for its lifetime and puts back the one it
// replaced, so scopes nest and an exception cannot leave a dead front end
// installed. Other games are not touched.
class FrontEndScope {
  public:
    FrontEndScope(World& world, FrontEnd& frontEnd);
    ~FrontEndScope();
    FrontEndScope(const FrontEndScope&) = delete;
    FrontEndScope& operator=(const FrontEndScope&) = delete;

  private:
    World& world_;
    FrontEnd* previous_;
};

// The longest text a box holds (the rest is cut off).
inline constexpr std::size_t kAdvisorTextLimit = 511;

// The advisor of the game as the rules call it: the text cut to the limit.
void showMessage(World& world, const std::string& text);

// The question text is shown as it stands except that "%%" reads as one
// percent sign; values are never formatted into it here.
bool askYesNo(World& world, const std::string& text, const Question& question = {});

// Callers that insert values into a text format it with this first.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "%%" -> "%", every other character as it stands.
std::string collapsePercents(const std::string& text);

}  // namespace tessarion
