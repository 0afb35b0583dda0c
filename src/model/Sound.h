#pragma once

namespace tessarion {

// The effects the rules and the battle pictures ask for. The front end maps
// each to its recording; with no front end they are never heard.
enum class Sound {
    Battle,        // swords: a battle is fought
    March,         // an invading army sets out
    Plague,        // coughing: the plague breaks out
    PeoplesFront,  // the People's Front of Judea
    Intro,         // the theme of the introduction
};

}  // namespace tessarion
