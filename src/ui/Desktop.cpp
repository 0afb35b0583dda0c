#include "ui/Desktop.h"

#include <algorithm>

#include "game/Game.h"
#include "game/GameSession.h"
#include "game/Scenarios.h"
#include "model/InternalError.h"
#include "model/Wording.h"
#include "platform/FileSystem.h"
#include "savegame/EmergencySave.h"
#include "savegame/SaveGame.h"
#include "ui/AdvisorBox.h"
#include "ui/EndTurnButton.h"
#include "ui/FrameScale.h"
#include "ui/Language.h"
#include "ui/Reports.h"

namespace tessarion {

namespace {

constexpr int kIconPicture = pic::windowIcon.id;

// The screen for a frame: its client area below the menu bar.
std::unique_ptr<Screen> screenFor(Game& game, const FrameScale& fit) {
    return std::make_unique<Screen>(game, fit.width, fit.height - layout::kMenuBarHeight,
                                    fit.scale);
}

}  // namespace

Desktop::Desktop(Platform& platform, Game& game, DesktopConfig config)
    : platform_(platform),
      game_(game),
      config_(std::move(config)),
      screen_(screenFor(
          game, FrameScale::forWindow(platform.screenSize().first, platform.screenSize().second))),
      shell_(game, *this),
      runner_(platform, *screen_, menu_),
      sounds_(platform, config_.sounds),
      dialogs_(platform, runner_, *screen_, sounds_, config_),
      animator_(*screen_, Animator::Hooks{[this](Sound s) { playSound(s); },
                                          [this](int ms) { runner_.pause(ms); },
                                          [this] { runner_.presentFrame(); }}),
      kept_(game, platform, config_.autosaveFile, config_.note),
      settings_(config_.settingsFile, config_.note) {
    shell_.followLayoutOffset(screen_->layoutOffsetX);
    shell_.followWindow(screen_->window);
    screen_->mapCursor = &shell_.cursor;
    screen_->view = &shell_.view;
    screen_->onPresent = [this](const Surface&) { runner_.presentFrame(); };
    screen_->drawOverMap = [this](Surface& target) {
        routesDrawn_ = routesWanted();
        for (const RouteOnMap& route : routesDrawn_) {
            drawRoute(target, screen_->layoutOffsetX, route);
        }
    };
    runner_.windowEvent = [this](const InputEvent& e) { return windowEvent(e); };
    // A key let go in a box is let go for the map too.
    runner_.keyReleased = [this](const InputEvent& e) { shell_.keyUp(shellKey(e)); };
}

Desktop::~Desktop() = default;

bool Desktop::startUp() {
    frontEnd_.emplace(game_, *this);
    // Saves killed part-way by an earlier run leave their temporary files.
    files::removeStaleTemporaries(config_.saveFolder);
    settings_.read();
    const Settings& kept = settings_.settings();
    // The first game is already played at the remembered skill.
    game_.setSkillLevel(kept.skillLevel);
    // Nothing of the first set-up makes a noise.
    settingUp_ = true;
    beginFirstGame(game_);
    settingUp_ = false;
    kept_.filed();
    screen_->buildOverlayKeys();

    if (kept.windowWidth > 0 && kept.windowHeight > 0) {
        platform_.setWindowPlace({kept.windowX.value_or(0), kept.windowY.value_or(0),
                                  kept.windowWidth, kept.windowHeight, kept.windowX && kept.windowY,
                                  kept.windowMaximised});
    }
    if (!platform_.openWindow(kTitle, frameWidth(), runner_.frame().height())) {
        return false;
    }
    windowOpen_ = true;
    // A screen too small for the whole frame in a window gets it full screen,
    // pixel for pixel, unless the player chose otherwise.
    const bool fullscreen = config_.fullscreen.value_or(
        kept.fullscreen.value_or(!platform_.windowFits(frameWidth(), runner_.frame().height())));
    if (config_.pictures) {
        // The application icon keeps its own transparency.
        const store::Image icon = config_.pictures(kIconPicture);
        if (icon.width > 0) {
            platform_.setIcon(icon.pixels.data(), icon.width, icon.height);
        }
    }
    platform_.showWindow();
    if (fullscreen) {
        platform_.toggleFullscreen();
    }
    fitFrameToWindow();
    shell_.view.language =
        config_.language.value_or(kept.language.value_or(config_.systemLanguage));
    startLanguage_ = shell_.view.language;
    keptLanguage_ = kept.language;
    setLanguage(shell_.view.language);  // the splash speaks it already
    if (config_.showSplash) {
        clearFrame();
        dialogs_.showSplash();
    }
    shell_.view.soundEnabled = config_.sound.value_or(kept.sound);
    shell_.view.soundVolume = kept.soundVolume;
    shell_.view.colours = kept.colours;
    Settings started = kept;
    started.sound = shell_.view.soundEnabled;
    started.fullscreen = platform_.isFullscreen();
    settings_.startWith(started);
    loadPictures();
    menuChecksChanged();
    return !quitting();
}

void Desktop::loadPictures() {
    screen_->loadPictures(config_.pictures, config_.largePictures);
    loadPicturesForScale();
}

void Desktop::loadPicturesForScale() {
    animator_.load({config_.pictures, config_.largePictures, screen_->scale()});
    dialogs_.loadPictures();
    picturesLoaded_ = true;
}

void Desktop::clearFrame() {
    Surface& frame = runner_.frame();
    frame.fillRect(0, 0, frame.width(), layout::kMenuBarHeight, kBlack);
    screen_->window.fillRect(0, 0, screen_->window.width(), screen_->window.height(), kBlack);
}

void Desktop::firstPaint() {
    screen_->redrawScreen();
    runner_.mapPainted = true;
    if (!firstPaint_) {
        return;
    }
    // Cleared first, so the intro and the welcome come once per run.
    firstPaint_ = false;
    noteSettings();
    // A game continued is no new game of 235 AD: no introduction to one, no
    // hints before it starts.
    if (offerToContinue()) {
        return;
    }
    if (config_.showIntro) {
        dialogs_.openPictureBox(Dialogs::kIntroPicture);
    }
    showWelcome(game_);
}

bool Desktop::offerToContinue() {
    if (config_.loadFile || quitting()) {
        return false;
    }
    const std::optional<int> year = kept_.keptYear();
    if (!year || !askYesNo(formatText("Continue the game of %d AD?", *year), Question{})) {
        return false;
    }
    const FileResult loaded = kept_.takeKept();
    if (!loaded.ok) {
        alert(loaded.caption, loaded.error);
        return false;
    }
    screen_->redrawScreen();
    return true;
}

int Desktop::run() {
    try {
        if (!startUp()) {
            shutDown();
            return 0;
        }
        if (config_.loadFile) {
            screen_->redrawScreen();
            const FileResult loaded = loadGame(game_, *config_.loadFile);
            if (!loaded.ok) {
                alert(loaded.caption, loaded.error);
            } else {
                // The player goes on with a game of his own: no introduction
                // to a new one, no hints before it starts.
                firstPaint_ = false;
                gameFiled();
            }
        }
        firstPaint();
        InputEvent event;
        while (!quitting()) {
            if (platform_.waitEvent(event, -1) && !handle(event)) {
                break;
            }
        }
    } catch (...) {
        // A state the game should never reach, or the machine out of memory:
        // say so, keep what can be kept.
        const std::string what = describeCurrentException();
        const EmergencySave saved = saveForEmergency(game_, config_.saveFolder);
        runner_.reopen();
        runner_.mapPainted = false;  // the state cannot be painted any more
        alert(N_("ERROR"), emergencyMessage(what, saved));
        windowOpen_ = false;
        platform_.stopSound();
        frontEnd_.reset();
        return 3;
    }
    shutDown();
    return 0;
}

void Desktop::shutDown() {
    if (windowOpen_) {
        kept_.keepOrForget();
        rememberSettings(true);
        // Farewell: the About box over an empty window, closing by itself.
        runner_.reopen();  // let the box run its course
        runner_.mapPainted = false;
        clearFrame();
        screen_->window.fillRect(0, 0, screen_->window.width(), screen_->window.height(), kBlack);
        dialogs_.showAbout(config_.aboutMs);
        runner_.close();
        platform_.stopSound();
        platform_.hideWindow();
        platform_.sleep(config_.exitWaitMs);
        windowOpen_ = false;
    }
    frontEnd_.reset();
}

bool Desktop::handle(const InputEvent& e) {
    const int year = game_.year();
    switch (e.type) {
        case InputEvent::Type::Quit:
            leave();
            break;
        case InputEvent::Type::Hidden:
            // The page or the window may not come back (a browser tab closed).
            kept_.keep();
            break;
        case InputEvent::Type::None:
            break;
        case InputEvent::Type::TouchDown:
        case InputEvent::Type::TouchMove:
        case InputEvent::Type::TouchUp:
            for (const InputEvent& m : runner_.fromTouch(e)) {
                handle(m);
            }
            break;
        default:
            if (!windowEvent(e)) {
                const ModalRunner::BusyTime busy(runner_);
                dispatch(e);
                runPostedCommands();
                if (runner_.mapPainted && !quitting()) {
                    showRoutes();
                }
            }
            break;
    }
    runPostedCommands();
    if (game_.year() != year && !quitting()) {
        kept_.keep();  // a year ended
    }
    if (e.type != InputEvent::Type::MouseMove && e.type != InputEvent::Type::TouchMove) {
        kept_.noteUnsaved();
    }
    return !quitting();
}

bool Desktop::windowEvent(const InputEvent& e) {
    if (e.type == InputEvent::Type::Placed) {
        // Kept as it changes: a run that ends badly still keeps it.
        rememberSettings(true);
        return true;
    }
    if (e.type == InputEvent::Type::KeyDown && e.key == KeyCode::F11) {
        platform_.toggleFullscreen();
        rememberSettings(true);
    } else if (e.type != InputEvent::Type::Exposed) {
        return false;
    }
    fitFrameToWindow();
    runner_.presentFrame();
    return true;
}

void Desktop::fitFrameToWindow() {
    // Drawn at the window's own pixels: a window wider than 16:9 widens the
    // layout, centred, a taller one lengthens the client area, and what is
    // left is the difference in shape.
    const auto [w, h] = platform_.drawableSize();
    const FrameScale fit = FrameScale::forWindow(w, h);
    const int clientHeight = fit.height - layout::kMenuBarHeight;
    // The platform maps input by the scale, also when the first frame was
    // already the right one.
    platform_.setFrameScale(fit.scale);
    if (fit.width == frameWidth() && clientHeight == screen_->height() &&
        fit.scale == screen_->scale()) {
        // Drawn in the window's own pixels where it lends them.
        screen_->borrowFrameFrom(&platform_);
        platform_.setFrameSize(runner_.frame().pixelWidth(), runner_.frame().pixelHeight());
        return;
    }
    const bool rescaled = fit.scale != screen_->scale();
    screen_->resize(fit.width, clientHeight, fit.scale);  // the screen's pictures with it
    if (rescaled && picturesLoaded_) {
        loadPicturesForScale();
    }
    screen_->borrowFrameFrom(&platform_);
    platform_.setFrameSize(runner_.frame().pixelWidth(), runner_.frame().pixelHeight());
    screen_->redrawScreen();
}

Province* Desktop::dragged() const {
    return leftHeld_ ? shell_.dragSource : nullptr;
}

std::vector<RouteOnMap> Desktop::routesWanted() {
    Province* over = shell_.view.hoveredProvince;
    Province* from = dragged();
    if (from == nullptr && shell_.cursor.picked != nullptr) {
        // A legion picked up by the keyboard shows its way as a dragged one does.
        from = shell_.cursor.picked;
        over = shell_.cursor.highlighted;
    }
    if (from != nullptr) {
        RouteOnMap way = plannedRoute(game_, from, over);
        if (way.steps.empty()) {
            return {};
        }
        return {std::move(way)};
    }
    return legionRoutes(game_, over);
}

void Desktop::showRoutes() {
    if (routesWanted() != routesDrawn_) {
        screen_->redrawScreen();
    }
}

// Drawing for the shell.

void Desktop::redrawScreen() {
    screen_->redrawScreen();
}

void Desktop::drawProvinceInfo() {
    tessarion::drawProvinceInfo(*screen_, screen_->window);
    runner_.presentFrame();
}

void Desktop::drawEndTurnButton(bool pressed) {
    EndTurnButton::draw(screen_->window, screen_->layoutOffsetX, pressed, screen_->endTurnBusy);
    runner_.presentFrame();
}

void Desktop::showBusy(bool busy) {
    if (busy ? busyDepth_++ > 0 : --busyDepth_ > 0) {
        return;
    }
    if (busy) {
        runner_.beginWait();
    } else {
        runner_.endWait();
    }
    // Every way in sees it: the pointer for the mouse, the button for the
    // keyboard and for a finger, which has no pointer.
    screen_->endTurnBusy = busy;
    if (runner_.mapPainted && windowOpen_) {
        EndTurnButton::draw(screen_->window, screen_->layoutOffsetX, false, busy);
        runner_.presentFrame();
    }
}

void Desktop::drawMapCursor() {
    screen_->redrawScreen();
}

void Desktop::quit() {
    // Only the rules end the program this way: the game is over.
    kept_.end();
    runner_.close();
}

// The advisor.

void Desktop::showMessage(const std::string& text) {
    dialogs_.advise(AdvisorBox::Kind::Message, text);
}

bool Desktop::askYesNo(const std::string& text, const Question&) {
    return dialogs_.advise(AdvisorBox::Kind::Question, text) == AdvisorBox::kYes;
}

// The presentation of the turn.

void Desktop::showComputerTurn() {
    Pictures& p = screen_->pictures;
    const int x = screen_->layoutOffsetX + 453;
    const int y = 285;
    p.turnBanner.draw(screen_->window, x, y);
    runner_.presentFrame();
    runner_.pause(500);
    // The banner's place is painted again from the game.
    screen_->paintScreen(screen_->window);
    runner_.presentFrame();
}

void Desktop::zoomFrame(int layoutX, int y) {
    const int x = layoutX + screen_->layoutOffsetX;
    const int w = screen_->width();
    const int h = screen_->height();
    const int dl = (w / 2 - x - 300) / 10;
    const int dr = (w / 2 - x + 300) / 10;
    const int dt = (h / 2 - y - 200) / 10;
    const int db = (h / 2 - y + 200) / 10;
    int left = x;
    int right = x;
    int top = y;
    int bottom = y;
    for (int i = 0; i < 10; ++i) {
        screen_->window.drawFrame(left, top, right + 1, bottom + 1, kBlack);
        runner_.presentFrame();
        left += dl;
        top += dt;
        right += dr;
        bottom += db;
        runner_.pause(50);
    }
    screen_->paintScreen(screen_->window);
    runner_.presentFrame();
}

void Desktop::openPictureBox(const std::string& picture) {
    if (const PictureEntry* entry = pictureNamed(picture)) {
        dialogs_.openPictureBox(entry->id);
    }
}

void Desktop::showResults(int invasions, int plagues, int rebellions) {
    dialogs_.showResults(invasions, plagues, rebellions);
}

void Desktop::refreshReports() {
    tessarion::refreshReports(*screen_);
}

void Desktop::showChronicle() {
    dialogs_.showChronicle();
}

void Desktop::playSound(Sound sound) {
    if (settingUp_) {
        return;
    }
    if (sound == Sound::March) {
        // The army crossing the frontier is shown whether or not it is heard.
        screen_->redrawScreen();
    }
    if (!shell_.view.soundEnabled) {
        return;
    }
    if (!SoundBoard::holdsUp(sound)) {
        sounds_.play(sound);
        return;
    }
    // The game waits for the sound on a still screen: it says so.
    runner_.noteWait();
    showBusy(true);
    sounds_.play(sound);
    showBusy(false);
}

}  // namespace tessarion
