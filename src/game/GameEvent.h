#pragma once

#include <string>
#include <vector>

namespace tessarion {

class Empire;
class Game;
struct Province;

// A historical event scheduled for a year.
class GameEvent {
  public:
    GameEvent(int eventYear, std::string text)
        : year(eventYear), hasMessage(!text.empty()), message(std::move(text)) {}
    virtual ~GameEvent() = default;

    // Shows the message, if there is one.
    virtual void fire(Game& game);
    virtual const char* kind() const { return "message"; }

    int year;
    bool hasMessage;
    std::string message;
};

// Provinces go over to the rebels, their garrisons with them.
class RebellionEvent : public GameEvent {
  public:
    RebellionEvent(int eventYear, std::string text, std::vector<std::string> names)
        : GameEvent(eventYear, std::move(text)), provinceNames(std::move(names)) {}

    void fire(Game& game) override;
    const char* kind() const override { return "rebellion"; }

    std::vector<std::string> provinceNames;
};

// An army appears in a province and marches on another.
class InvasionEvent : public GameEvent {
  public:
    InvasionEvent(int eventYear, std::string text, Empire* invaderEmpire, Province* from,
                  Province* to, int count)
        : GameEvent(eventYear, std::move(text)),
          invader(invaderEmpire),
          origin(from),
          target(to),
          legionCount(count) {}

    void fire(Game& game) override;
    const char* kind() const override { return "invasion"; }

    Empire* invader;
    Province* origin;
    Province* target;
    int legionCount;
};

}  // namespace tessarion
