// The desktop game on the headless platform: start-up, boxes, menus, input.
#include "ui/Desktop.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>

#include "game/Chronicle.h"
#include "savegame/SaveGame.h"
#include "support/MapPoints.h"
#include "ui/DesktopFixture.h"
#include "ui/EndTurnButton.h"
#include "ui/FileBox.h"
#include "ui/MapHit.h"
#include "ui/Reports.h"
#include "ui/RouteDrawing.h"

namespace tessarion {
namespace {

using namespace test;
using Type = InputEvent::Type;

class DesktopTest : public DesktopFixture {
  protected:
    void SetUp() override { makeDesktop(false); }
    // The window on the game, keeping an autosave in the test's folder or not.
    void makeDesktop(bool autosaving) {
        DesktopConfig c = config();
        if (autosaving) {
            c.autosaveFile = saveFolder + "autosave.TSN";
        }
        c.webAddress = [](const std::string& path) { return "https://example.test" + path; };
        DesktopFixture::makeDesktop(c);
    }
    void opened(ModalBox& box) override { boxes.push_back(describe(box)); }
    void start() {
        startPlaying();
        ASSERT_FALSE(desktop_->quitting());
        boxes.clear();
    }
    // The mouse on one of Italia's legions, or on Raetia's land, as the
    // window's frame has it (below the menu bar).
    InputEvent atItalia(InputEvent::Type type) {
        return onMap(type, test::pressPointFor(desktop_->shell(), p("Italia")));
    }
    InputEvent atRaetia(InputEvent::Type type) {
        return onMap(type, test::dropPointFor(desktop_->shell(), p("Raetia")));
    }
    static InputEvent onMap(InputEvent::Type type, std::optional<std::pair<int, int>> point) {
        if (!point) {
            ADD_FAILURE() << "no point on the map picks the province";
            point.emplace(0, 0);
        }
        return mouse(type, point->first, point->second + MenuBar::kHeight);
    }

    static std::vector<InputEvent> tap(int x, int y, std::int64_t id = 1) {
        return {touch(Type::TouchDown, x, y, 0, id), touch(Type::TouchUp, x, y, 0, id)};
    }
    // The frame's pixel under the window's (x, y), below the menu bar.
    std::uint32_t shownAt(int x, int y) const {
        return platform.frame.at(
            static_cast<std::size_t>((y + MenuBar::kHeight) * platform.frameWidth + x));
    }
    // The end-turn button's middle on the frame.
    std::pair<int, int> endTurnButton() const {
        return {desktop_->screen().layoutOffsetX + EndTurnButton::kLeft + EndTurnButton::kWidth / 2,
                MenuBar::kHeight + EndTurnButton::kTop + EndTurnButton::kHeight / 2};
    }

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
    EXPECT_NE(
        std::count(platform.log.begin(), platform.log.end(), "play loop IDR_INTRO_SND (missing)"),
        0);
}

TEST_F(DesktopTest, EscapeClosesAMessageAndAnswersAQuestionNoEnterYes) {
    start();
    script({key(KeyCode::Escape)});
    desktop_->showMessage("Princeps,\r\n\r\nA test.");
    EXPECT_TRUE(platform.input.empty());

    AdvisorBox probe(AdvisorBox::Kind::Question, "x", desktop_->frameWidth(),
                     desktop_->screen().height(), nullptr);
    const int closeX = probe.left + probe.width - 12;
    const int closeY = probe.top + MenuBar::kHeight + 12;
    script({key(KeyCode::Escape)});
    EXPECT_FALSE(desktop_->askYesNo("Pay them?", {}));
    script(click(closeX, closeY));
    EXPECT_FALSE(desktop_->askYesNo("Pay them?", {})) << "the close box says No too";
    EXPECT_TRUE(platform.input.empty());
    script({key(KeyCode::Enter)});
    EXPECT_TRUE(desktop_->askYesNo("Pay them?", {})) << "Enter answers Yes, where the focus starts";
}

TEST_F(DesktopTest, MenusWithTheMouseAndTheKeyboard) {
    start();
    MenuBar& menu = desktop_->menuBar();
    // Options > Skill Level > Hard with the mouse.
    const MenuBar::Box options = menu.titleBox(1);
    run(click(options.left + 5, 10));
    EXPECT_EQ(menu.openMenu(), 1);
    const MenuBar::Box skill = menu.itemBox(1, 0);
    run({mouse(Type::MouseMove, skill.left + 5, skill.top + 5)});
    const MenuBar::Box hard = menu.subitemBox(1, 0, 2);
    run({mouse(Type::MouseMove, hard.left + 5, hard.top + 5),
         mouse(Type::MouseDown, hard.left + 5, hard.top + 5),
         mouse(Type::MouseUp, hard.left + 5, hard.top + 5)});
    EXPECT_EQ(game_->skillLevel(), 2);
    EXPECT_TRUE(menu.isChecked(5002));
    EXPECT_FALSE(menu.isChecked(5001));
    EXPECT_FALSE(menu.active());

    // A click on the map while a menu is open only closes the menu.
    run({key(KeyCode::Letter, 'f', true)});
    EXPECT_EQ(menu.openMenu(), 0);
    const int yearBefore = game_->year();
    run(click(600, 300, InputEvent::Button::Right));
    EXPECT_FALSE(menu.active());
    EXPECT_EQ(game_->year(), yearBefore);
}

// Escape leaves no menu lit, however the menu was opened, and the next right
// click on the map ends the turn.
TEST_F(DesktopTest, AfterEscapeClosesAMenuTheMapHasTheNextClick) {
    start();
    MenuBar& menu = desktop_->menuBar();
    const MenuBar::Box file = menu.titleBox(0);
    auto titlePixel = [&] {
        return platform.frame.at(static_cast<std::size_t>(3 * platform.frameWidth + file.left + 3));
    };
    const std::uint32_t unlit = titlePixel();
    script({key(KeyCode::Escape)});  // the lesson of 236 AD
    for (const bool byMouse : {true, false}) {
        SCOPED_TRACE(byMouse ? "opened with the mouse" : "opened with Alt+F");
        run(byMouse ? click(file.left + 5, 10)
                    : std::vector<InputEvent>{key(KeyCode::Letter, 'f', true)});
        ASSERT_EQ(menu.openMenu(), 0);
        EXPECT_NE(titlePixel(), unlit);
        run({key(KeyCode::Escape)});
        EXPECT_EQ(menu.openMenu(), -1);
        if (byMouse) {
            EXPECT_FALSE(menu.active());
            EXPECT_EQ(titlePixel(), unlit) << "the title still lit";
        }
        const int year = game_->year();
        run(click(600, 300, InputEvent::Button::Right));
        EXPECT_EQ(game_->year(), year + 1) << "the right click was swallowed";
        EXPECT_FALSE(menu.active());
        EXPECT_EQ(titlePixel(), unlit);
    }
}

// A drop the rules refuse says why in the province line under the map, with
// no box, until the player moves on: to the next press, or to another province.
TEST_F(DesktopTest, ARefusedDropSaysWhyInTheProvinceLine) {
    start();
    const Surface& window = desktop_->screen().window;
    const int x = desktop_->screen().x(185);
    const std::string why = "No order: the legion is already in Italia.";
    run({atItalia(Type::MouseMove), atItalia(Type::MouseDown), atItalia(Type::MouseUp)});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(desktop_->shell().view.refusal, "the legion is already in Italia");
    EXPECT_TRUE(textAt(window, x, 600, why, kRefusalColour, kBlack));
    // A whole repaint keeps it.
    desktop_->redrawScreen();
    EXPECT_TRUE(textAt(window, x, 600, why, kRefusalColour, kBlack));
    // Moving on within the same province keeps it too; another province ends it.
    run({atItalia(Type::MouseMove)});
    EXPECT_TRUE(textAt(window, x, 600, why, kRefusalColour, kBlack));
    run({atRaetia(Type::MouseMove)});
    EXPECT_TRUE(textAt(window, x, 600, "Province: Raetia", kWhite, kBlack));

    // The next press ends it as well.
    run({atItalia(Type::MouseDown), atItalia(Type::MouseUp)});
    EXPECT_TRUE(textAt(window, x, 600, why, kRefusalColour, kBlack));
    run({atItalia(Type::MouseDown)});
    EXPECT_FALSE(textAt(window, x, 600, why, kRefusalColour, kBlack));
    EXPECT_EQ(countPixels(window, x, 595, desktop_->screen().x(965), 618, kRefusalColour), 0);
}

TEST_F(DesktopTest, AWholeTurnByKeyboardAlone) {
    start();
    // The highlight shows on Italia, takes a legion up, goes to Raetia and drops it there.
    run({key(KeyCode::Down), key(KeyCode::Enter), key(KeyCode::Up), key(KeyCode::Left)});
    EXPECT_EQ(desktop_->shell().cursor.picked, p("Italia"));
    EXPECT_EQ(desktop_->shell().view.hoveredProvince, p("Raetia")) << "the panel follows";
    // The way it would take shows as a drag's does.
    ASSERT_EQ(desktop_->routesShown().size(), 1u);
    EXPECT_EQ(desktop_->routesShown().front(), plannedRoute(*game_, p("Italia"), p("Raetia")));
    run({key(KeyCode::Space)});
    EXPECT_EQ(game_->romans.legionsIn(p("Raetia")), 1);

    // E ends the turn; held down, its repeats do not end another.
    InputEvent again = key(KeyCode::Letter, 'e');
    again.repeat = true;
    script({key(KeyCode::Escape)});  // the Maximinus Thrax lesson
    run({key(KeyCode::Letter, 'e'), again, again});
    EXPECT_EQ(game_->year(), 236);
    EXPECT_NE(std::find(boxes.begin(), boxes.end(), "picture 162"), boxes.end());

    // No box closes on E, so a key pressed once too often cannot end a turn.
    script({key(KeyCode::Letter, 'e'), key(KeyCode::Enter)});
    desktop_->showMessage("Princeps,\r\n\r\nA test.");
    script({key(KeyCode::Letter, 'e'), key(KeyCode::Letter, 'n')});
    EXPECT_FALSE(desktop_->askYesNo("Pay them?", {}));
    EXPECT_TRUE(platform.input.empty());
    EXPECT_EQ(game_->year(), 236);
}

TEST_F(DesktopTest, ALongPressOnTheMapEndsTheTurnButNotAFingerLostWhileTheGameWasBusy) {
    start();
    script({key(KeyCode::Escape)});  // the lesson of 236
    const std::uint64_t t0 = platform.ticks();
    // Held too briefly: a tap on the sea, which does nothing.
    run({touch(Type::TouchDown, 700, 560, t0), touch(Type::TouchUp, 700, 560, t0 + 300)});
    EXPECT_EQ(game_->year(), 235);
    run({touch(Type::TouchDown, 700, 560, t0 + 1000),
         touch(Type::TouchUp, 700, 560, t0 + 1000 + TouchGestures::kLongPressMs)});
    EXPECT_EQ(game_->year(), 236);

    // A finger is down when E ends the turn, and is lifted while the computer
    // moves: its lifting is dropped, and the next finger still counts.
    const std::uint64_t t1 = platform.ticks();
    script({touch(Type::TouchUp, 700, 560, t1 + 200, 5)});
    run({touch(Type::TouchDown, 700, 560, t1, 5), key(KeyCode::Letter, 'e')});
    EXPECT_EQ(game_->year(), 237);
    EXPECT_GE(platform.discarded, 1);
    const auto [bx, by] = endTurnButton();
    run(tap(bx, by, 6));
    EXPECT_EQ(game_->year(), 238);
}

TEST_F(DesktopTest, ADraggedLegionShowsItsWayAndALegionOnItsWayShowsTheRest) {
    start();
    Screen& screen = desktop_->screen();
    Shell& shell = desktop_->shell();
    Province* far = p("Britannia");  // some steps away
    const InputEvent overFar = onMap(Type::MouseMove, test::dropPointFor(shell, far));
    run({atItalia(Type::MouseDown), overFar});
    ASSERT_EQ(desktop_->routesShown().size(), 1u);
    const RouteOnMap way = desktop_->routesShown().front();
    EXPECT_TRUE(way.accepted);
    ASSERT_GE(way.steps.size(), 4u);
    EXPECT_EQ(way.steps.back(), far);
    // Through the legion places of the provinces on the way.
    for (std::size_t i = 1; i + 1 < way.steps.size(); ++i) {
        const RoutePoint at = routePointOf(*way.steps[i], screen.layoutOffsetX);
        EXPECT_EQ(screen.window.pixel(at.x, at.y), kRouteTaken) << way.steps[i]->name;
    }
    EXPECT_EQ(countColour(screen.window, kRouteRefused), 0);
    const RoutePoint firstStep = routePointOf(*way.steps[1], screen.layoutOffsetX);
    EXPECT_EQ(shownAt(firstStep.x, firstStep.y), kRouteTaken) << "shown at once";

    // Dropped: the legion takes its first step and the drag's way is gone.
    run({overFar, onMap(Type::MouseUp, test::dropPointFor(shell, far))});
    Province* first = p(way.steps[1]->name);
    ASSERT_EQ(game_->romans.legionsIn(first), 1);
    EXPECT_EQ(countColour(screen.window, kRouteTaken), 0);
    EXPECT_EQ(countColour(screen.window, kRouteRefused), 0);

    // The pointer resting on the province where it stands shows the rest.
    run({onMap(Type::MouseMove, test::dropPointFor(shell, first))});
    ASSERT_EQ(desktop_->routesShown().size(), 1u);
    EXPECT_EQ(desktop_->routesShown().front().steps.front(), first);
    EXPECT_EQ(desktop_->routesShown().front().steps.back(), far);
    EXPECT_GT(countColour(screen.window, kRouteTaken), 100);

    // And over the sea nothing.
    run({mouse(Type::MouseMove, 700, 560)});
    EXPECT_TRUE(desktop_->routesShown().empty());
    EXPECT_EQ(countColour(screen.window, kRouteTaken), 0);
}

// From the end of the turn (here by a right click, in a year whose events speak) the player
// sees the game at work until it is his again: the wait cursor, but never over a box that asks
// him, and the button greyed and relabelled; and every box stands over its own year.
TEST_F(DesktopTest, AComputersTurnShowsTheBusySignAndEachBoxItsYear) {
    start();
    game_->turn = 285 - 235;
    beginChronicle(*game_);  // the year's record starts in the year set, as a scenario's does
    desktop_->redrawScreen();
    Screen& screen = desktop_->screen();
    const int bx = screen.layoutOffsetX + EndTurnButton::kLeft + 4;
    const int by = EndTurnButton::kTop + 4;
    auto busyLabel = [&] {
        return countPixels(screen.window, bx, by, bx + EndTurnButton::kWidth - 8,
                           by + EndTurnButton::kHeight - 8, EndTurnButton::kInkBusy);
    };
    ASSERT_EQ(screen.window.pixel(bx, by), EndTurnButton::kFace);
    EXPECT_EQ(busyLabel(), 0);
    std::vector<Cursor> whileBoxesOpen;
    // The year each box opened in, and whether the report showed it then.
    std::vector<std::pair<int, bool>> seen;
    desktop_->modal().onBoxOpened = [&](ModalBox&) {
        whileBoxesOpen.push_back(platform.cursor);
        const std::string year = "YEAR: " + std::to_string(game_->year()) + " AD";
        seen.emplace_back(game_->year(), test::textAt(screen.window, screen.x(1110), 100, year,
                                                      kBlack, 0xFF808080));
        // What the player is shown while the box is open: the frame.
        EXPECT_EQ(shownAt(bx, by), EndTurnButton::kFaceBusy);
        EXPECT_GT(busyLabel(), 10) << "the label says the computer is moving";
    };
    script(std::vector<InputEvent>(12, key(KeyCode::Enter)));
    const std::size_t before = platform.log.size();
    run(click(600, 300, InputEvent::Button::Right));
    std::vector<std::string> cursors;
    for (std::size_t i = before; i < platform.log.size(); ++i) {
        if (platform.log[i].rfind("cursor ", 0) == 0) {
            cursors.push_back(platform.log[i]);
        }
    }
    ASSERT_FALSE(whileBoxesOpen.empty());
    ASSERT_GE(cursors.size(), 2u);
    EXPECT_EQ(cursors.front(), "cursor wait") << "from the click";
    EXPECT_EQ(cursors.back(), "cursor arrow") << "until the game is the player's again";
    EXPECT_EQ(platform.cursor, Cursor::Arrow);
    // A box asks the player: the arrow while it is open, the wait after.
    for (Cursor c : whileBoxesOpen) {
        EXPECT_EQ(c, Cursor::Arrow);
    }
    EXPECT_EQ(static_cast<std::size_t>(std::count(cursors.begin(), cursors.end(), "cursor wait")),
              whileBoxesOpen.size() + 1);
    ASSERT_TRUE(std::any_of(seen.begin(), seen.end(), [](auto& s) { return s.first == 286; }))
        << "the revolt of 286 speaks in its year";
    for (const auto& [year, shown] : seen) {
        EXPECT_TRUE(shown) << "a box in " << year << " over another year";
    }
    // Back to the player.
    EXPECT_EQ(screen.window.pixel(bx, by), EndTurnButton::kFace);
    EXPECT_EQ(busyLabel(), 0);
    EXPECT_FALSE(desktop_->modal().waiting());
}

TEST_F(DesktopTest, KeyChordAndAccelerators) {
    start();
    auto uprisings = [this] {
        return std::count(boxes.begin(), boxes.end(),
                          "message: The People's Front of Judea has rallied to your cause!");
    };
    const InputEvent p = key(KeyCode::Letter, 'p');
    const InputEvent f = key(KeyCode::Letter, 'f');
    const InputEvent j = key(KeyCode::Letter, 'j');
    // The keys are let go while the Prefect speaks, and the box closed: the
    // window must hear of it, or every later key would raise Judea again.
    script({keyUp(KeyCode::Letter, 'p'), keyUp(KeyCode::Letter, 'f'), keyUp(KeyCode::Letter, 'j'),
            key(KeyCode::Enter)});
    run({p, f, j});
    EXPECT_EQ(game_->romans.legionsIn(this->p("Palestina")), 5);
    EXPECT_EQ(uprisings(), 1);
    run({key(KeyCode::Left), key(KeyCode::Letter, 'x'), key(KeyCode::Right)});
    EXPECT_EQ(uprisings(), 1) << "a stuck chord";
    EXPECT_EQ(game_->romans.legionsIn(this->p("Palestina")), 5);

    // Held through the box, the chord rises once a press: other keys and the
    // repeats of its own do nothing until one of its keys comes up.
    script({key(KeyCode::Enter)});
    run({p, f, j});
    EXPECT_EQ(uprisings(), 2);
    InputEvent repeat = j;
    repeat.repeat = true;
    run({repeat, repeat, key(KeyCode::Left)});
    EXPECT_EQ(uprisings(), 2);
    script({key(KeyCode::Enter)});
    run({keyUp(KeyCode::Letter, 'j'), j});
    EXPECT_EQ(uprisings(), 3) << "let go and pressed again, it rises again";
    run({keyUp(KeyCode::Letter, 'p'), keyUp(KeyCode::Letter, 'f'), keyUp(KeyCode::Letter, 'j')});

    run({keyUp(KeyCode::Letter, 'j'), typed("?").front()});
    EXPECT_EQ(boxes.back(), "frame");
}

TEST_F(DesktopTest, LessonButtonPlaysAndStopsTheNarration) {
    start();
    platform.log.clear();
    LessonBox probe(nullptr, 249, "", desktop_->frameWidth(), desktop_->screen().height(), nullptr,
                    nullptr);
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

TEST_F(DesktopTest, AWiderWindowWidensTheLayoutAndKeepsTheMouseOnTheMap) {
    start();
    ASSERT_EQ(desktop_->frameWidth(), 1366);
    // A window (not full screen) the player made wide.
    platform.fullscreen = false;
    platform.windowWidth = 2560;
    platform.windowHeight = 1080;
    InputEvent exposed;
    exposed.type = Type::Exposed;
    run({exposed});
    // Drawn larger to fill the window's height, the layout takes the window's
    // shape in points, and the frame is the window's own pixels.
    const int wide = desktop_->frameWidth();
    EXPECT_NEAR(desktop_->screen().scale(), 1080.0 / 692, 0.001);
    EXPECT_GT(wide, 1600);
    EXPECT_EQ(desktop_->shell().layoutOffsetX(), (wide - 1366) / 2);
    EXPECT_NEAR(platform.frameWidth, 2560, 2);
    EXPECT_NEAR(platform.frameHeight, 1080, 1);
    // The press and release land on the provinces, shifted with the layout.
    const InputEvent press = atItalia(Type::MouseDown);
    EXPECT_GT(press.x, (wide - 1366) / 2 + 180);
    run({press, atRaetia(Type::MouseUp)});
    EXPECT_EQ(game_->romans.legionsIn(p("Raetia")), 1);
}

TEST_F(DesktopTest, InternalErrorIsShownSavedAndEndsTheProgram) {
    script({key(KeyCode::Enter), key(KeyCode::Escape), key(KeyCode::Tab), key(KeyCode::Enter),
            key(KeyCode::Enter)});
    script(click(600, 300));  // every press looks up every legion box
    script({key(KeyCode::Enter)});
    desktop_->modal().onBoxOpened = [this](ModalBox& box) {
        boxes.push_back(describe(box));
        if (boxes.back().rfind("message: If at any time", 0) == 0) {
            p("Italia")->legionX = -1;  // a table broken behind the game's back
        }
    };
    EXPECT_EQ(desktop_->run(), 3);
    EXPECT_EQ(boxes.back(), "alert");
    EXPECT_TRUE(std::ifstream(saveFolder + "emergency-1.TSN").good());
}

InputEvent at(InputEvent e, std::uint64_t time) {
    e.time = time;
    return e;
}

TEST_F(DesktopTest, InputDuringTheComputersTurnIsDroppedButBoxesGetTheirOwn) {
    start();
    const std::uint64_t t0 = platform.ticks();
    const InputEvent down = mouse(Type::MouseDown, 600, 300, InputEvent::Button::Right);
    const InputEvent up = mouse(Type::MouseUp, 600, 300, InputEvent::Button::Right);
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
    script({at(atRaetia(Type::MouseUp), t1)});
    run({at(atItalia(Type::MouseDown), t1)});
    InputEvent release;
    ASSERT_TRUE(platform.pollEvent(release));
    run({release});
    EXPECT_EQ(game_->romans.legionsIn(p("Raetia")), 1);
}

TEST_F(DesktopTest, TheMenuBarStripBelongsToTheMenus) {
    start();
    // A press on Italia released over the sea leaves the drag source behind...
    run({atItalia(Type::MouseDown), mouse(Type::MouseUp, 1300, 700 + MenuBar::kHeight)});
    // ...which a press on the empty end of the menu bar must clear.
    run({mouse(Type::MouseDown, desktop_->frameWidth() - 20, 5), atRaetia(Type::MouseUp)});
    EXPECT_EQ(game_->romans.legionsIn(p("Raetia")), 0);
    EXPECT_EQ(desktop_->shell().dragSource, nullptr);
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

// The game in play is kept whenever a year ends and offered at the next
// start; the kept game is an ordinary one that File > Load lists.
TEST_F(DesktopTest, TheKeptGameIsOfferedAtTheNextStart) {
    makeDesktop(true);
    start();
    script({key(KeyCode::Escape)});  // the lesson of 236
    run({key(KeyCode::Letter, 'e')});
    ASSERT_EQ(game_->year(), 236);
    const std::vector<SavedGameEntry> listed = savedGamesIn(*game_, saveFolder);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].name, "autosave.TSN");
    EXPECT_EQ(listed[0].details.rfind("236 AD", 0), 0u) << listed[0].details;

    for (const bool takeIt : {true, false}) {
        SCOPED_TRACE(takeIt ? "taken" : "declined");
        // The program ends with the year's game kept, and starts again.
        desktop_->shutDown();
        game_ = std::make_unique<Game>(9);
        makeDesktop(true);
        boxes.clear();
        script({key(KeyCode::Enter)});  // the splash
        script({key(takeIt ? KeyCode::Enter : KeyCode::Escape)});
        if (!takeIt) {
            // The introduction to a new game, no hints, good luck.
            script({key(KeyCode::Escape), key(KeyCode::Escape), key(KeyCode::Enter)});
        }
        ASSERT_TRUE(desktop_->startUp());
        desktop_->firstPaint();
        EXPECT_TRUE(platform.input.empty());
        ASSERT_GE(boxes.size(), 2u);
        EXPECT_EQ(boxes[1], "question: Continue the game of 236 AD?");
        EXPECT_EQ(game_->year(), takeIt ? 236 : 235);
        EXPECT_EQ(std::count(boxes.begin(), boxes.end(), "picture 266"), takeIt ? 0 : 1);
        EXPECT_EQ(std::count(boxes.begin(), boxes.end(), "question: Welcome, Princeps"),
                  takeIt ? 0 : 1);
    }
}

TEST_F(DesktopTest, LeavingAGameThatChangedAsksFirstAndKeepsIt) {
    makeDesktop(true);
    start();
    // Nothing changed yet: File > Exit leaves without a word, and keeps it.
    desktop_->shell().command(cmd::kExit);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(desktop_->quitting());
    desktop_->shutDown();
    EXPECT_TRUE(std::filesystem::exists(saveFolder + "autosave.TSN"));

    game_ = std::make_unique<Game>(5);
    makeDesktop(true);
    // The splash, the intro; No to the kept game and to the hints; good luck.
    script({key(KeyCode::Enter), key(KeyCode::Escape), key(KeyCode::Escape), key(KeyCode::Escape),
            key(KeyCode::Enter)});
    ASSERT_TRUE(desktop_->startUp());
    desktop_->firstPaint();
    ASSERT_TRUE(platform.input.empty());
    run({atItalia(Type::MouseDown), atRaetia(Type::MouseUp)});
    ASSERT_EQ(game_->romans.legionsIn(p("Raetia")), 1);
    boxes.clear();
    // File > Exit by keyboard asks; Escape says No and the game goes on.
    script({key(KeyCode::Escape)});
    run({key(KeyCode::Letter, 'f', true), key(KeyCode::Up), key(KeyCode::Enter)});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "question: Princeps,");
    EXPECT_FALSE(desktop_->quitting());
    // The window's close box asks too; Yes leaves, and the order is kept.
    InputEvent close;
    close.type = Type::Quit;
    script({key(KeyCode::Enter)});
    run({close});
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(desktop_->quitting());
    desktop_->shutDown();
    Game kept(1);
    ASSERT_TRUE(loadGame(kept, saveFolder + "autosave.TSN").ok);
    EXPECT_EQ(kept.romans.legionsIn(kept.findProvince("Raetia")), 1);
}

}  // namespace
}  // namespace tessarion
