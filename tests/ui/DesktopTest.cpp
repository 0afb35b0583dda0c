// The desktop game on the headless platform: start-up, boxes, menus, input.
#include "ui/Desktop.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/HeadlessPlatform.h"
#include "support/TestGame.h"
#include "ui/InputEvents.h"

namespace tessarion {
namespace {

using namespace test;

std::string describe(ModalBox& box) {
    if (auto* a = dynamic_cast<AdvisorBox*>(&box)) {
        return (a->kind() == AdvisorBox::Kind::Message ? "message: " : "question: ") +
               a->lines().front();
    }
    if (auto* l = dynamic_cast<LessonBox*>(&box)) {
        return "picture " + std::to_string(l->pictureId);
    }
    if (dynamic_cast<PictureFrameBox*>(&box) != nullptr) {
        return "frame";
    }
    if (dynamic_cast<AlertBox*>(&box) != nullptr) {
        return "alert";
    }
    return "file";
}

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game_ = std::make_unique<Game>(5);
        DesktopConfig config;
        config.webAddress = [](const std::string& path) { return "https://example.test" + path; };
        // A folder of this test's own: other runs of the tests (and the
        // emergency saves of a crash test) must not show in its file boxes.
        config.saveFolder = saveFolder;
        config.pictures = [](int id) {
            // Plain pictures of the right sizes are enough here.
            PictureSize size = pictureDrawSize(id);
            store::Image image;
            image.width = size.width;
            image.height = size.height;
            image.pixels.assign(static_cast<std::size_t>(size.width * size.height), 0xFF808080);
            return image;
        };
        config.sounds = [](const std::string&) { return std::span<const unsigned char>(); };
        config.aboutMs = 10;
        config.exitWaitMs = 10;
        desktop_ = std::make_unique<Desktop>(platform, *game_, config);
        desktop_->modal().onBoxOpened = [this](ModalBox& box) { boxes.push_back(describe(box)); };
    }
    void TearDown() override {
        desktop_.reset();
        game_.reset();
        std::error_code ec;
        std::filesystem::remove_all(saveFolder, ec);
    }
    const std::string saveFolder =
        ::testing::TempDir() + "tessarion-desktop-test-" +
        ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "/";
    void script(const std::vector<InputEvent>& events) {
        for (const InputEvent& e : events) {
            platform.input.push_back(e);
        }
    }
    // The splash and the intro closed and the hints declined with a click on No.
    void scriptStartUp() {
        AdvisorBox probe(AdvisorBox::Kind::Question, "x", desktop_->frameWidth(), 768, nullptr);
        const BoxButton* no = probe.button(AdvisorBox::kNo);
        script({key(KeyCode::Enter), key(KeyCode::Escape)});
        script(click(probe.clientLeft() + no->x + 5,
                     probe.clientTop() + MenuBar::kHeight + no->y + 5));
        script({key(KeyCode::Enter)});
    }
    void start() {
        scriptStartUp();
        ASSERT_TRUE(desktop_->startUp());
        desktop_->firstPaint();
        ASSERT_FALSE(desktop_->quitting());
        ASSERT_TRUE(platform.input.empty());
        boxes.clear();
    }
    void run(const std::vector<InputEvent>& events) {
        for (const InputEvent& e : events) {
            desktop_->handle(e);
        }
    }
    Province* p(const std::string& name) { return game_->findProvince(name); }
    // The mouse on one of Italia's legions, or on Raetia's land, as the
    // window's frame has it (below the menu bar).
    InputEvent atItalia(InputEvent::Type type) {
        return onMap(type, desktop_->shell().pressPointFor(p("Italia")));
    }
    InputEvent atRaetia(InputEvent::Type type) {
        return onMap(type, desktop_->shell().dropPointFor(p("Raetia")));
    }
    static InputEvent onMap(InputEvent::Type type, std::optional<std::pair<int, int>> point) {
        if (!point) {
            ADD_FAILURE() << "no point on the map picks the province";
            point.emplace(0, 0);
        }
        return mouse(type, point->first, point->second + MenuBar::kHeight);
    }

    HeadlessPlatform platform;
    std::unique_ptr<Game> game_;
    std::unique_ptr<Desktop> desktop_;
    std::vector<std::string> boxes;
};

TEST_F(DesktopTest, StartUpShowsSplashIntroAndWelcomeOnceAndAboutAtExit) {
    script({key(KeyCode::Enter), key(KeyCode::Escape), key(KeyCode::Enter), key(KeyCode::Enter),
            key(KeyCode::Enter), key(KeyCode::Enter), key(KeyCode::Enter)});
    EXPECT_EQ(desktop_->run(), 0);
    ASSERT_GE(boxes.size(), 8u);
    EXPECT_EQ(boxes[0], "frame");  // the splash
    EXPECT_EQ(boxes[1], "picture 266");
    EXPECT_EQ(boxes[2], "question: Welcome, Princeps");
    EXPECT_EQ(boxes[3], "message: Your empire consists of provinces.  Each turn, your provinces");
    EXPECT_EQ(boxes[6], "message: Your goal is to hold on to as many Roman provinces");
    EXPECT_EQ(boxes.back(), "frame") << "About at exit";
    EXPECT_EQ(platform.title, "Tessarion 1.3");
    EXPECT_EQ(game_->romans.treasury, 75000);
    EXPECT_NE(
        std::find(platform.log.begin(), platform.log.end(), "play loop IDR_INTRO_SND (missing)"),
        platform.log.end());
}

TEST_F(DesktopTest, MessageClosesOnEscapeButAQuestionOnlyOnYesOrNo) {
    start();
    script({key(KeyCode::Escape)});
    desktop_->showMessage("Princeps,\r\n\r\nA test.");
    EXPECT_TRUE(platform.input.empty());

    // Escape and the close box do nothing to a question; Tab then Enter answers No.
    AdvisorBox probe(AdvisorBox::Kind::Question, "x", desktop_->frameWidth(), 768, nullptr);
    const int closeX = probe.left + probe.width - 12;
    const int closeY = probe.top + MenuBar::kHeight + 12;
    script({key(KeyCode::Escape)});
    script(click(closeX, closeY));
    script({key(KeyCode::Tab), key(KeyCode::Enter)});
    EXPECT_FALSE(desktop_->askYesNo("Pay them?", {}));
    EXPECT_TRUE(platform.input.empty());
    script({key(KeyCode::Enter)});
    EXPECT_TRUE(desktop_->askYesNo("Pay them?", {})) << "Enter answers Yes, where the focus starts";
}

TEST_F(DesktopTest, MenusWithTheMouseAndTheKeyboard) {
    start();
    MenuBar& menu = desktop_->menuBar();
    // Options > Skill Level > Hard with the mouse.
    const MenuBar::Box options = menu.titleBox(1);
    run({mouse(InputEvent::Type::MouseDown, options.left + 5, 10),
         mouse(InputEvent::Type::MouseUp, options.left + 5, 10)});
    EXPECT_EQ(menu.openMenu(), 1);
    const MenuBar::Box skill = menu.itemBox(1, 0);
    run({mouse(InputEvent::Type::MouseMove, skill.left + 5, skill.top + 5)});
    const MenuBar::Box hard = menu.subitemBox(1, 0, 2);
    run({mouse(InputEvent::Type::MouseMove, hard.left + 5, hard.top + 5),
         mouse(InputEvent::Type::MouseDown, hard.left + 5, hard.top + 5),
         mouse(InputEvent::Type::MouseUp, hard.left + 5, hard.top + 5)});
    EXPECT_EQ(game_->skillLevel(), 2);
    EXPECT_TRUE(menu.isChecked(5002));
    EXPECT_FALSE(menu.isChecked(5001));
    EXPECT_FALSE(menu.active());

    // Alt+H then the underlined letter of "About ...".
    run({key(KeyCode::Letter, 'h', true), key(KeyCode::Letter, 'a')});
    EXPECT_EQ(boxes.back(), "frame");

    // A click on the map while a menu is open only closes the menu.
    run({key(KeyCode::Letter, 'f', true)});
    EXPECT_EQ(menu.openMenu(), 0);
    const int yearBefore = game_->year();
    run({mouse(InputEvent::Type::MouseDown, 600, 300, InputEvent::Button::Right),
         mouse(InputEvent::Type::MouseUp, 600, 300, InputEvent::Button::Right)});
    EXPECT_FALSE(menu.active());
    EXPECT_EQ(game_->year(), yearBefore);
}

TEST_F(DesktopTest, DragMovesALegionAndARightClickEndsTheTurn) {
    start();
    run({atItalia(InputEvent::Type::MouseDown), atRaetia(InputEvent::Type::MouseMove),
         atRaetia(InputEvent::Type::MouseUp)});
    EXPECT_EQ(game_->romans.legionsIn(p("Raetia")), 1);
    EXPECT_EQ(desktop_->shell().hoveredProvince, p("Raetia"));

    script({key(KeyCode::Escape)});  // the Maximinus Thrax lesson
    run({mouse(InputEvent::Type::MouseDown, 600, 300, InputEvent::Button::Right),
         mouse(InputEvent::Type::MouseUp, 600, 300, InputEvent::Button::Right)});
    EXPECT_EQ(game_->year(), 236);
    EXPECT_NE(std::find(boxes.begin(), boxes.end(), "picture 162"), boxes.end());
}

TEST_F(DesktopTest, KeyChordAndAccelerators) {
    start();
    run({key(KeyCode::Letter, 'p'), key(KeyCode::Letter, 'f'), key(KeyCode::Letter, 'j')});
    EXPECT_EQ(game_->romans.legionsIn(p("Palestina")), 5);
    EXPECT_EQ(boxes.back(), "message: The People's Front of Judea has rallied to your cause!");
    InputEvent question;
    question.type = InputEvent::Type::Text;
    question.text = '?';
    run({keyUp(KeyCode::Letter, 'j'), question});
    EXPECT_EQ(boxes.back(), "frame");
}

TEST_F(DesktopTest, LessonButtonPlaysAndStopsTheNarration) {
    start();
    platform.log.clear();
    LessonBox probe(nullptr, 249, "", desktop_->frameWidth(), 768, nullptr, nullptr);
    const int bx = probe.clientLeft() + 80;
    const int by = probe.clientTop() + MenuBar::kHeight + 25;
    script(click(bx, by));
    script(click(bx, by));
    script({key(KeyCode::Escape)});
    desktop_->shell().command(2010);
    EXPECT_EQ(boxes.back(), "picture 249");
    const std::vector<std::string> expected{"play async IDR_ADRIANOPLE (missing)", "stop sound",
                                            "stop sound"};
    EXPECT_EQ(platform.log, expected);
}

TEST_F(DesktopTest, AnimationsTakeTheirTimeWithOrWithoutSound) {
    start();
    desktop_->shell().command(cmd::kSound);  // sound off
    platform.log.clear();
    const std::uint64_t before = platform.ticks();
    frontEnd().animateMove(p("Italia"), p("Raetia"));
    EXPECT_EQ(platform.ticks() - before, 9u * 50u + 330u);
    EXPECT_TRUE(platform.log.empty()) << "no sound when it is switched off";

    // An enemy move along one border is shown once a turn.
    desktop_->shell().command(cmd::kSound);
    const std::uint64_t t = platform.ticks();
    frontEnd().animateMove(p("Upper Rhine"), p("Belgica"));
    frontEnd().animateMove(p("Upper Rhine"), p("Belgica"));
    EXPECT_EQ(platform.ticks() - t, 3u * 100u + 330u);
    desktop_->clearShownMoves();
    frontEnd().animateMove(p("Upper Rhine"), p("Belgica"));
    EXPECT_EQ(platform.ticks() - t, 2u * (3u * 100u + 330u));
}

TEST_F(DesktopTest, AWiderWindowWidensTheLayoutAndKeepsTheMouseOnTheMap) {
    start();
    ASSERT_EQ(desktop_->frameWidth(), 1366);
    platform.windowWidth = 2560;
    platform.windowHeight = 1080;
    InputEvent exposed;
    exposed.type = InputEvent::Type::Exposed;
    run({exposed});
    EXPECT_EQ(desktop_->frameWidth(), 1820);
    EXPECT_EQ(desktop_->shell().layoutOffsetX, 227);
    EXPECT_EQ(platform.frameWidth, 1820);
    // The press and release land on the provinces, shifted with the layout.
    const InputEvent press = atItalia(InputEvent::Type::MouseDown);
    EXPECT_GT(press.x, 227 + 180);
    run({press, atRaetia(InputEvent::Type::MouseUp)});
    EXPECT_EQ(game_->romans.legionsIn(p("Raetia")), 1);
}

TEST_F(DesktopTest, InternalErrorIsShownSavedAndEndsTheProgram) {
    scriptStartUp();
    script(click(600, 300));  // every press looks up every legion box
    script({key(KeyCode::Enter)});
    desktop_->modal().onBoxOpened = [this](ModalBox& box) {
        boxes.push_back(describe(box));
        if (boxes.back().rfind("message: If at any time", 0) == 0) {
            p("Italia")->legionX = -1;  // a table broken behind the game's back
        }
    };
    const std::string& folder = saveFolder;
    // Numbered saves pile up; the other tests' load boxes must not meet them.
    auto removeEmergencySaves = [&folder] {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            if (entry.path().filename().string().rfind("emergency-", 0) == 0) {
                std::filesystem::remove(entry.path(), ec);
            }
        }
    };
    removeEmergencySaves();
    EXPECT_EQ(desktop_->run(), 3);
    EXPECT_EQ(boxes.back(), "alert");
    EXPECT_TRUE(std::ifstream(folder + "emergency-1.TSN").good());
    removeEmergencySaves();
    p("Italia")->legionX = 295;
}

InputEvent at(InputEvent e, std::uint64_t time) {
    e.time = time;
    return e;
}

TEST_F(DesktopTest, InputDuringTheComputersTurnIsDroppedButBoxesGetTheirOwn) {
    start();
    const std::uint64_t t0 = platform.ticks();
    const InputEvent down = mouse(InputEvent::Type::MouseDown, 600, 300, InputEvent::Button::Right);
    const InputEvent up = mouse(InputEvent::Type::MouseUp, 600, 300, InputEvent::Button::Right);
    // A second right click 0.2 s later, while the banner shows, and a press
    // on the map during the lesson's zoom.
    script({at(down, t0 + 200), at(up, t0 + 200)});
    desktop_->modal().onBoxOpened = [this](ModalBox& box) {
        boxes.push_back(describe(box));
        // Escape pressed just after the lesson opened closes it.
        platform.input.push_back(at(key(KeyCode::Escape), platform.ticks() + 1));
    };
    run({down, up});
    EXPECT_EQ(game_->year(), 236) << "exactly one year";
    EXPECT_EQ(platform.discarded, 2);
    EXPECT_NE(std::find(boxes.begin(), boxes.end(), "picture 162"), boxes.end());
    EXPECT_TRUE(platform.input.empty()) << "the lesson took its Escape";
    EXPECT_FALSE(desktop_->quitting());

    // Input that came before the game got busy is not dropped: the press and
    // release of one click may both be waiting when the first is handled.
    const std::uint64_t t1 = platform.ticks();
    script({at(atRaetia(InputEvent::Type::MouseUp), t1)});
    run({at(atItalia(InputEvent::Type::MouseDown), t1)});
    InputEvent release;
    ASSERT_TRUE(platform.pollEvent(release));
    run({release});
    EXPECT_EQ(game_->romans.legionsIn(p("Raetia")), 1);
}

TEST_F(DesktopTest, TheMenuBarStripBelongsToTheMenus) {
    start();
    // A press on Italia released over the sea leaves the drag source behind...
    run({atItalia(InputEvent::Type::MouseDown),
         mouse(InputEvent::Type::MouseUp, 1300, 700 + MenuBar::kHeight)});
    // ...which a press on the empty end of the menu bar must clear.
    run({mouse(InputEvent::Type::MouseDown, desktop_->frameWidth() - 20, 5),
         atRaetia(InputEvent::Type::MouseUp)});
    EXPECT_EQ(game_->romans.legionsIn(p("Raetia")), 0);
    EXPECT_EQ(game_->dragSource, nullptr);
    run(click(desktop_->frameWidth() - 20, 5, InputEvent::Button::Right));
    EXPECT_EQ(game_->year(), 235) << "a right click on the menu bar is not the map's";
}

// The window as the game state paints it now.
Surface paintedFromState(Desktop& desktop) {
    Surface fresh(desktop.screen().width(), desktop.screen().height());
    desktop.screen().paintScreen(fresh);
    return fresh;
}

TEST_F(DesktopTest, BoxesBannerAndMarchLeaveTheWindowAsTheGameIs) {
    start();
    Screen& screen = desktop_->screen();
    const int x = screen.layoutOffsetX;
    // A legion that arrives while a box is open shows once the box closes.
    desktop_->modal().onBoxOpened = [this](ModalBox&) {
        game_->addLegions("Raetia", &game_->romans, 1);
    };
    script({key(KeyCode::Enter)});
    desktop_->showMessage("Princeps,\r\n\r\nA legion has come.");
    EXPECT_TRUE(screen.window.pixels() == paintedFromState(*desktop_).pixels());
    desktop_->modal().onBoxOpened = nullptr;

    // The Results box leaves the frame of the province panel whole.
    script({key(KeyCode::Escape)});
    desktop_->showResults(3, 4, 5);
    for (int px = x + 176; px < x + 985; px += 7) {
        ASSERT_EQ(screen.window.pixel(px, 590), kWhite) << "panel frame at x " << px;
    }

    // The banner's place is painted again from the game.
    screen.window.fillRect(x + 453, 285, x + 453 + 254, 285 + 38, 0xFFFF0000);
    desktop_->showComputerTurn();
    EXPECT_TRUE(screen.window.pixels() == paintedFromState(*desktop_).pixels());

    // An army crossing the frontier is shown even with the sound off.
    desktop_->shell().command(cmd::kSound);
    screen.window.fillRect(0, 0, 200, 200, 0xFFFF0000);
    desktop_->playSound(Sound::March);
    EXPECT_TRUE(screen.window.pixels() == paintedFromState(*desktop_).pixels());
    EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "play sync IDR_MARCH_SND"), 0);
}

TEST_F(DesktopTest, AWebPageWithoutABrowserSaysWhereItIs) {
    start();
    platform.browser = false;
    std::vector<std::string> said;
    desktop_->modal().onBoxOpened = [&](ModalBox& box) {
        if (auto* alert = dynamic_cast<AlertBox*>(&box)) {
            said = alert->lines();
        }
    };
    script({key(KeyCode::Enter)});
    desktop_->shell().command(cmd::kStudyGuide);
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.back(), "https://example.test/guide.html");
    EXPECT_EQ(platform.log.back(), "open https://example.test/guide.html");
}

TEST_F(DesktopTest, SaveAsksBeforeReplacingAndLoadListsNewestFirstWithYears) {
    const std::string& folder = saveFolder;
    start();
    const std::vector<InputEvent> typing = typed("rome");
    script(typing);
    script({key(KeyCode::Enter), key(KeyCode::Enter)});
    desktop_->shell().command(cmd::kSave);
    ASSERT_TRUE(std::filesystem::exists(folder + "/rome.TSN"));
    std::ofstream(folder + "/broken.TSN") << "this is no saved game\n";
    namespace fs = std::filesystem;
    fs::last_write_time(folder + "/rome.TSN",
                        fs::last_write_time(folder + "/broken.TSN") - std::chrono::hours(1));

    // Saving over rome asks; No goes back to the box, which keeps the name.
    std::vector<std::string> seen;
    std::vector<SavedGameEntry> listed;
    int selected = -2;
    desktop_->modal().onBoxOpened = [&](ModalBox& box) {
        seen.push_back(describe(box));
        if (auto* files = dynamic_cast<FileBox*>(&box)) {
            listed = files->files();
            selected = files->selected();
            seen.back() += " " + files->name;
        }
    };
    game_->turn = 20;
    script(typing);
    script({key(KeyCode::Enter), key(KeyCode::Letter, 'n'), key(KeyCode::Escape)});
    desktop_->shell().command(cmd::kSave);
    EXPECT_EQ(seen, (std::vector<std::string>{"file ", "alert", "file rome"}));
    seen.clear();
    script(typing);
    script({key(KeyCode::Enter), key(KeyCode::Letter, 'y'), key(KeyCode::Enter)});
    desktop_->shell().command(cmd::kSave);
    EXPECT_EQ(seen, (std::vector<std::string>{"file ", "alert", "alert"}));

    fs::last_write_time(folder + "/rome.TSN",
                        fs::last_write_time(folder + "/broken.TSN") - std::chrono::hours(1));
    // The damaged game is listed but cannot be loaded; rome loads back.
    game_->turn = 33;
    script({key(KeyCode::Down), key(KeyCode::Enter)});
    desktop_->shell().command(cmd::kLoad);
    EXPECT_EQ(game_->turn, 20) << "rome.TSN was saved at 255 AD and loaded back";
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].name, "broken.TSN") << "newest first";
    EXPECT_TRUE(listed[0].damaged);
    EXPECT_EQ(listed[1].name, "rome.TSN");
    EXPECT_FALSE(listed[1].damaged);
    EXPECT_EQ(listed[1].details.rfind("255 AD,  saved ", 0), 0u) << listed[1].details;
    EXPECT_EQ(selected, 0);
}

}  // namespace
}  // namespace tessarion
