// Every text the window draws keeps to its room, in every language and at
// every screen size: a seeded game is played through in the pseudo-language
// (each text 40 % longer, with accents) and in German, opening every menu,
// every box and every report, while the surfaces report any letters that run
// out of their room.
#include <map>
#include <set>
#include <string>

#include "game/Commands.h"
#include "game/Lessons.h"
#include "ui/DesktopFixture.h"
#include "ui/Language.h"
#include "ui/MenuBar.h"

namespace tessarion {
namespace {

using namespace test;

struct Trial {
    const char* language;
    int width;
    int height;
};

class TextFitTest : public DesktopFixture, public ::testing::WithParamInterface<Trial> {
  protected:
    void SetUp() override {
        setLanguage(GetParam().language);
        watchTextOverflow([this](std::string_view text, int overrun) {
            int& worst = overflows[std::string(text)];
            worst = std::max(worst, overrun);
        });
        platform = HeadlessPlatform(GetParam().width, GetParam().height);
        platform.fullscreen = true;
        DesktopConfig c = config();
        c.language = GetParam().language;
        makeDesktop(c);
    }
    void TearDown() override {
        watchTextOverflow({});
        setLanguage("en");
        DesktopFixture::TearDown();
    }
    // Enough keys to see every box of a step through and answer Yes.
    void answerEverything() { script(std::vector<InputEvent>(40, key(KeyCode::Enter))); }
    void openEveryMenu() {
        MenuBar& menu = desktop_->menuBar();
        for (int m = 0; m < static_cast<int>(menu.menus.size()); ++m) {
            const MenuBar::Box title = menu.titleBox(m);
            run(click(title.left + 3, 8));
            const auto& items = menu.menus[static_cast<std::size_t>(m)].items;
            for (int i = 0; i < static_cast<int>(items.size()); ++i) {
                const MenuBar::Box item = menu.itemBox(m, i);
                run({mouse(InputEvent::Type::MouseMove, item.left + 3, item.top + 3)});
            }
            run({key(KeyCode::Escape), key(KeyCode::Escape)});
        }
    }
    void everyCommand() {
        for (int id : cmd::kAll) {
            if (id != cmd::kExit && id != cmd::kNewGame) {
                script({key(KeyCode::Escape), key(KeyCode::Escape), key(KeyCode::Escape)});
                desktop_->shell().command(id);
                platform.input.clear();
            }
        }
        // Each lesson's captions, cut short.
        for (const Lesson& lesson : kLessons) {
            script({key(KeyCode::Escape), key(KeyCode::Escape)});
            desktop_->shell().command(lesson.menuId);
            platform.input.clear();
        }
    }
    std::string report() const {
        std::string out;
        for (const auto& [text, overrun] : overflows) {
            out += "  " + std::to_string(overrun) + " px: \"" + text + "\"\n";
        }
        return out;
    }

    void opened(ModalBox&) override { ++boxesOpened; }

    std::map<std::string, int> overflows;
    int boxesOpened = 0;
};

TEST_P(TextFitTest, EveryBoxMenuAndReportHoldsItsText) {
    // The splash, the intro, the hints accepted and read.
    answerEverything();
    ASSERT_TRUE(desktop_->startUp());
    desktop_->firstPaint();
    platform.input.clear();
    openEveryMenu();
    everyCommand();
    // Years of the computer's moves, from the crisis to the end of the game.
    for (int year = 0; year < 6 && !desktop_->quitting(); ++year) {
        endTurnAnsweringEverything(40);
    }
    game_->turn = 285 - 235;
    endTurnAnsweringEverything(40);
    everyCommand();
    EXPECT_GE(boxesOpened, 40) << "the game was played through its boxes";
    EXPECT_TRUE(overflows.empty()) << "texts that overrun their room:\n" << report();
}

INSTANTIATE_TEST_SUITE_P(Sizes, TextFitTest,
                         ::testing::Values(Trial{"pseudo", 1024, 600}, Trial{"pseudo", 1366, 768},
                                           Trial{"pseudo", 1920, 1080}, Trial{"de", 1024, 600},
                                           Trial{"fr", 1024, 600}, Trial{"en", 1024, 600}),
                         [](const auto& info) {
                             return std::string(info.param.language) + "_" +
                                    std::to_string(info.param.width);
                         });

}  // namespace
}  // namespace tessarion
