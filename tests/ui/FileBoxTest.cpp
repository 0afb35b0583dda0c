#include "ui/FileBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/InputEvents.h"

namespace tessarion {
namespace {

using test::key;

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
}  // namespace
}  // namespace tessarion
