#include "ui/Desktop.h"

#include <algorithm>
#include <filesystem>

#include "game/Game.h"
#include "game/GameSession.h"
#include "game/Scenarios.h"
#include "model/InternalError.h"
#include "model/PrintableText.h"
#include "platform/FileSystem.h"
#include "savegame/EmergencySave.h"
#include "savegame/SaveGame.h"
#include "ui/AdvisorBox.h"
#include "ui/ChronicleExport.h"
#include "ui/EndTurnButton.h"
#include "ui/Reports.h"
#include "ui/YearSummary.h"

namespace tessarion {

namespace {

constexpr int kIconPicture = pic::windowIcon.id;

// The client area is laid out 1366 x 768. A screen wider than 16:9 widens it
// so that the frame fills the screen, the layout centred in it.
int frameWidthFor(std::pair<int, int> screen) {
    const int w = screen.first;
    const int h = std::max(screen.second, 1);
    return std::max(Screen::kLayoutWidth, w * Screen::kLayoutHeight / h);
}

// The menu bar stands where the desktop's own would, outside the client
// area: nothing on its strip reaches the map.
bool onMenuBar(const InputEvent& e) {
    return layout::clientYOfFrame(e.y) < 0;
}

// The letters of the People's Front chord; the others are no key of the shell's.
Shell::Key shellKey(const InputEvent& e) {
    if (e.key != KeyCode::Letter) {
        return Shell::Key::Other;
    }
    return e.letter == 'p'   ? Shell::Key::P
           : e.letter == 'f' ? Shell::Key::F
           : e.letter == 'j' ? Shell::Key::J
                             : Shell::Key::Other;
}

}  // namespace

int Desktop::clientHeightFor(std::pair<int, int> screen) {
    return std::clamp(screen.second - layout::kMenuBarHeight, Screen::kMinLayoutHeight,
                      Screen::kLayoutHeight);
}

Desktop::Desktop(Platform& platform, Game& game, DesktopConfig config)
    : platform_(platform),
      game_(game),
      config_(std::move(config)),
      screen_(std::make_unique<Screen>(game, frameWidthFor(platform.screenSize()),
                                       clientHeightFor(platform.screenSize()))),
      shell_(game, *this),
      runner_(platform, *screen_, menu_),
      sounds_(platform, config_.sounds),
      dialogs_(platform, runner_, *screen_, sounds_, config_),
      animator_(*screen_, Animator::Hooks{[this](Sound s) { playSound(s); },
                                          [this](int ms) { runner_.pause(ms); },
                                          [this] { runner_.presentFrame(); }}) {
    shell_.layoutOffsetX = screen_->layoutOffsetX;
    screen_->mapCursor = &shell_.cursor;
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
    readSettings();
    // The first game is already played at the remembered skill.
    game_.setSkillLevel(settings_.skillLevel);
    // Nothing of the first set-up makes a noise.
    settingUp_ = true;
    beginFirstGame(game_);
    settingUp_ = false;
    filedText_ = saveGameText(game_);
    screen_->buildOverlayKeys();

    if (settings_.windowWidth > 0 && settings_.windowHeight > 0) {
        platform_.setWindowPlace({settings_.windowX.value_or(0), settings_.windowY.value_or(0),
                                  settings_.windowWidth, settings_.windowHeight,
                                  settings_.windowX && settings_.windowY,
                                  settings_.windowMaximised});
    }
    if (!platform_.openWindow(kTitle, frameWidth(), runner_.frame().height())) {
        return false;
    }
    windowOpen_ = true;
    // A screen too small for the whole frame in a window gets it full screen,
    // pixel for pixel, unless the player chose otherwise.
    const bool fullscreen = config_.fullscreen.value_or(settings_.fullscreen.value_or(
        !platform_.windowFits(frameWidth(), runner_.frame().height())));
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
        fitFrameToWindow();
    }
    if (config_.showSplash) {
        clearFrame();
        dialogs_.showSplash();
    }
    shell_.soundEnabled = config_.sound.value_or(settings_.sound);
    shell_.soundVolume = settings_.soundVolume;
    shell_.colours = settings_.colours;
    screen_->colours = settings_.colours;
    started_ = settings_;
    started_.sound = shell_.soundEnabled;
    started_.fullscreen = platform_.isFullscreen();
    loadPictures();
    menuChecksChanged();
    return !quitting();
}

void Desktop::readSettings() {
    if (config_.settingsFile.empty()) {
        return;
    }
    SettingsRead read = loadSettings(config_.settingsFile);
    settings_ = read.settings;
    if (read.notes.empty()) {
        return;
    }
    for (const std::string& note : read.notes) {
        if (config_.note) {
            config_.note("settings file " + config_.settingsFile + ": " + note);
        }
    }
    std::string text =
        "Princeps,\r\n\r\nYour settings file could not all be read:\r\n" + read.notes.front() + ".";
    if (read.notes.size() > 1) {
        text += "\r\n(" + std::to_string(read.notes.size() - 1) + " more like it.)";
    }
    text += "\r\nThe other settings are kept.";
    noteSettings(text);
    // What could not be read goes; the file says again what the game will do.
    writeSettings();
}

void Desktop::writeSettings() {
    if (config_.settingsFile.empty()) {
        return;
    }
    const std::optional<std::string> error = storeSettings(config_.settingsFile, settings_);
    if (!error) {
        return;
    }
    if (config_.note) {
        config_.note("settings file " + config_.settingsFile + " not written: " + *error);
    }
    if (!settingsUnwritable_) {
        settingsUnwritable_ = true;
        noteSettings("Princeps,\r\n\r\nYour settings could not be kept for the next game:\r\n" +
                     *error + ".");
    }
}

void Desktop::noteSettings(const std::string& text) {
    settingsNotes_.push_back(text);
    if (runner_.mapPainted && !quitting()) {
        showSettingsNotes();
    }
}

void Desktop::showSettingsNotes() {
    std::vector<std::string> notes;
    notes.swap(settingsNotes_);
    for (const std::string& text : notes) {
        tessarion::showMessage(game_, text);
    }
}

void Desktop::rememberSettings(bool windowSize) {
    if (!windowOpen_) {
        return;
    }
    const Settings before = settings_;
    // Each setting the player changed since start-up; what the command line
    // chose for this run alone stays out of the file.
    auto take = [](auto& kept, auto& started, const auto& now) {
        if (started != now) {
            kept = now;
            started = now;
        }
    };
    take(settings_.skillLevel, started_.skillLevel, game_.skillLevel());
    take(settings_.sound, started_.sound, shell_.soundEnabled);
    take(settings_.soundVolume, started_.soundVolume, shell_.soundVolume);
    take(settings_.colours, started_.colours, shell_.colours);
    take(settings_.fullscreen, started_.fullscreen, std::optional<bool>(platform_.isFullscreen()));
    if (windowSize) {
        const WindowPlace place = platform_.windowPlace();
        if (place.width > 0 && place.height > 0) {
            settings_.windowWidth = place.width;
            settings_.windowHeight = place.height;
            settings_.windowMaximised = place.maximised;
            if (place.positioned) {
                settings_.windowX = place.x;
                settings_.windowY = place.y;
            }
        }
    }
    if (!(settings_ == before)) {
        writeSettings();
    }
}

void Desktop::loadPictures() {
    screen_->loadPictures(config_.pictures);
    animator_.load(config_.pictures);
    dialogs_.loadPictures();
}

void Desktop::clearFrame() {
    Surface& frame = runner_.frame();
    frame.fillRect(0, 0, frame.width(), frame.height(), kBlack);
}

void Desktop::firstPaint() {
    screen_->redrawScreen();
    runner_.mapPainted = true;
    if (!firstPaint_) {
        return;
    }
    // Cleared first, so the intro and the welcome come once per run.
    firstPaint_ = false;
    showSettingsNotes();
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
    if (config_.autosaveFile.empty() || config_.loadFile || quitting()) {
        return false;
    }
    std::string bytes;
    std::error_code ec;
    if (!std::filesystem::exists(config_.autosaveFile, ec) ||
        files::readRegularFile(config_.autosaveFile, 1 << 20, bytes)) {
        return false;
    }
    // A kept game that no longer loads is not offered; the next year's end
    // replaces it.
    const SavedGameInfo info = inspectGameText(game_, bytes);
    if (!info.result.ok ||
        !askYesNo(formatText("Continue the game of %d AD?", info.year), Question{})) {
        return false;
    }
    const FileResult loaded = loadGame(game_, config_.autosaveFile);
    if (!loaded.ok) {
        alert(loaded.caption, loaded.error);
        return false;
    }
    filedText_ = autosavedText_ = saveGameText(game_);
    screen_->redrawScreen();
    return true;
}

bool Desktop::changedSinceFiled() {
    return saveGameText(game_) != filedText_;
}

void Desktop::gameFiled() {
    filedText_ = saveGameText(game_);
    noteUnsaved();
}

void Desktop::autosave() {
    if (config_.autosaveFile.empty() || gameOver_) {
        return;
    }
    const std::string text = saveGameText(game_);
    if (text == autosavedText_) {
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(config_.autosaveFile).parent_path(),
                                        ec);
    if (const FileResult saved = saveGame(game_, config_.autosaveFile); !saved.ok) {
        // Not worth a box at every year's end: the player's own saves say
        // what is wrong with the folder.
        if (config_.note) {
            config_.note("the game could not be kept in " + config_.autosaveFile + ": " +
                         saved.error);
        }
        return;
    }
    autosavedText_ = filedText_ = text;
    noteUnsaved();
}

bool Desktop::mayLeave() {
    if (!changedSinceFiled()) {
        return true;
    }
    const char* question =
        config_.autosaveFile.empty()
            ? "Are you sure you want to discard the current game?"
            : "Princeps,\r\n\r\nThe game has changed since it was last saved.\r\n"
              "It will be kept and offered when you return.\r\n\r\n"
              "Do you want to leave the game now?";
    return tessarion::askYesNo(game_, question);
}

void Desktop::noteUnsaved() {
    const bool unsaved = changedSinceFiled();
    if (unsaved != unsavedNoted_) {
        unsavedNoted_ = unsaved;
        platform_.setUnsavedChanges(unsaved);
    }
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
        alert("ERROR", emergencyMessage(what, saved));
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
        if (gameOver_) {
            // Nothing is left to go on with next time.
            std::error_code ec;
            if (!config_.autosaveFile.empty()) {
                std::filesystem::remove(config_.autosaveFile, ec);
            }
        } else {
            autosave();
        }
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
            autosave();
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
        autosave();  // a year ended
    }
    if (e.type != InputEvent::Type::MouseMove && e.type != InputEvent::Type::TouchMove) {
        noteUnsaved();
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

void Desktop::dispatch(const InputEvent& e) {
    switch (e.type) {
        case InputEvent::Type::MouseMove:
            if (menu_.active()) {
                menu_.mouseMove(e.x, e.y);
                runner_.presentFrame();
            } else if (!onMenuBar(e)) {
                shell_.mouseMove(e.x, layout::clientYOfFrame(e.y));
            }
            break;
        case InputEvent::Type::MouseDown:
            mouseDown(e);
            break;
        case InputEvent::Type::MouseUp:
            mouseUp(e);
            break;
        case InputEvent::Type::KeyDown:
            keyDown(e);
            break;
        case InputEvent::Type::KeyUp:
            keyUp(e);
            break;
        case InputEvent::Type::Text:
            if (!menu_.active()) {
                shell_.character(e.text);
            }
            break;
        default:
            break;
    }
}

void Desktop::mouseDown(const InputEvent& e) {
    if (e.button == InputEvent::Button::Left) {
        // Whatever this press starts, the last drag is over.
        shell_.dragSource = nullptr;
    }
    leftHeld_ = false;
    bool consumed = false;
    const bool menusWereActive = menu_.active();
    menu_.mouseDown(e.x, e.y, consumed);
    if (consumed || onMenuBar(e)) {
        runner_.presentFrame();
        return;
    }
    if (menusWereActive) {
        runner_.presentFrame();  // the bar let go of the keyboard
    }
    if (e.button == InputEvent::Button::Left) {
        shell_.hideMapCursor();
        const int y = layout::clientYOfFrame(e.y);
        summaryPressed_ = YearSummary::contains(game_, e.x, y, screen_->layoutOffsetX);
        if (summaryPressed_) {
            return;  // the summary line opens the year's report when let go
        }
        if (!shell_.endTurnButtonDown(e.x, y)) {
            shell_.leftButtonDown(e.x, y);
            leftHeld_ = true;
        }
    }
}

void Desktop::mouseUp(const InputEvent& e) {
    // The route of the drag goes with the button.
    leftHeld_ = false;
    bool consumed = false;
    const std::optional<int> id = menu_.mouseUp(e.x, e.y, consumed);
    if (consumed) {
        runner_.presentFrame();
        if (id) {
            command(*id);
        }
    } else if (e.button == InputEvent::Button::Left && summaryPressed_) {
        summaryPressed_ = false;
        if (YearSummary::contains(game_, e.x, layout::clientYOfFrame(e.y),
                                  screen_->layoutOffsetX)) {
            command(cmd::kYearReport);
        }
    } else if (e.button == InputEvent::Button::Left) {
        // The end-turn button lets go of a press wherever it ends, the menu
        // bar's strip included, so that it is never left drawn pressed.
        const int y = layout::clientYOfFrame(e.y);
        if (!shell_.endTurnButtonUp(e.x, y) && !onMenuBar(e)) {
            shell_.leftButtonUp(e.x, y);
        }
    } else if (onMenuBar(e)) {
        return;
    } else if (e.button == InputEvent::Button::Right) {
        shell_.rightButtonUp();
    }
}

void Desktop::keyDown(const InputEvent& e) {
    bool consumed = false;
    const std::optional<int> id = menu_.keyDown(e, consumed);
    if (!consumed) {
        shell_.keyDown(shellKey(e));
        mapKey(e);
        return;
    }
    runner_.presentFrame();
    if (id) {
        command(*id);
    }
}

void Desktop::mapKey(const InputEvent& e) {
    switch (e.key) {
        case KeyCode::Left:
            shell_.moveHighlight(Heading::Left);
            break;
        case KeyCode::Right:
            shell_.moveHighlight(Heading::Right);
            break;
        case KeyCode::Up:
            shell_.moveHighlight(Heading::Up);
            break;
        case KeyCode::Down:
            shell_.moveHighlight(Heading::Down);
            break;
        case KeyCode::Enter:
        case KeyCode::Space:
            // Held down, it would pick up and drop again and again.
            if (!e.repeat) {
                shell_.pickOrDrop();
            }
            break;
        case KeyCode::Escape:
            shell_.cancelPick();
            break;
        case KeyCode::Letter:
            // Held down it would end one turn after another.
            if (e.letter == EndTurnButton::kKey && !e.alt && !e.repeat) {
                shell_.endTurn();
            }
            break;
        default:
            break;
    }
}

void Desktop::keyUp(const InputEvent& e) {
    bool consumed = false;
    menu_.keyUp(e, consumed);
    if (consumed) {
        runner_.presentFrame();
    }
    if (e.key == KeyCode::Letter) {
        shell_.keyUp(shellKey(e));
    }
}

void Desktop::fitFrameToWindow() {
    // A window wider than 16:9 widens the layout, centred, instead of
    // stretching it; a narrower one shows it whole with bars.
    const int height = screen_->height();
    const int width = platform_.frameWidthFor(height, Screen::kLayoutWidth);
    if (width == frameWidth()) {
        return;
    }
    screen_->resize(width, height);
    runner_.resizeFrame();
    shell_.layoutOffsetX = screen_->layoutOffsetX;
    platform_.setFrameSize(frameWidth(), runner_.frame().height());
    screen_->redrawScreen();
}

Province* Desktop::dragged() const {
    return leftHeld_ ? shell_.dragSource : nullptr;
}

std::vector<RouteOnMap> Desktop::routesWanted() {
    Province* over = shell_.hoveredProvince;
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

void Desktop::command(int id, int param) {
    shell_.command(id, param);
    runner_.presentFrame();
}

void Desktop::runPostedCommands() {
    while (!quitting() && !posted_.empty()) {
        auto [id, param] = posted_.front();
        posted_.pop_front();
        command(id, param);
    }
}

// The host of the shell.

void Desktop::redrawScreen() {
    screen_->redrawScreen();
}

void Desktop::drawProvinceInfo() {
    screen_->hoveredProvince = shell_.hoveredProvince;
    screen_->refusal = shell_.refusal;
    tessarion::drawProvinceInfo(*screen_, screen_->window);
    runner_.presentFrame();
}

void Desktop::playLesson(const Lesson& lesson) {
    zoomFrame(lesson.zoomX, lesson.zoomY);
    openPictureBox(lesson.picture);
}

void Desktop::openWebPage(const std::string& path) {
    dialogs_.openWebPage(path);
}

void Desktop::showAbout() {
    dialogs_.showAbout();
}

std::optional<std::string> Desktop::chooseSavePath() {
    return dialogs_.chooseSavePath();
}

std::optional<std::string> Desktop::chooseLoadPath() {
    return dialogs_.chooseLoadPath();
}

void Desktop::alert(const std::string& caption, const std::string& text) {
    dialogs_.alert(caption, text);
}

void Desktop::quit() {
    // Only the rules end the program this way: the game is over.
    gameOver_ = true;
    runner_.close();
}

void Desktop::leave() {
    if (mayLeave()) {
        runner_.close();
    }
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
    screen_->hoveredProvince = shell_.hoveredProvince;
    screen_->refusal = shell_.refusal;
    screen_->redrawScreen();
}

void Desktop::showYearReport() {
    dialogs_.showYearReport();
}

void Desktop::exportChronicle() {
    const std::optional<std::string> prefix = dialogs_.chooseExportPath();
    if (!prefix) {
        return;
    }
    const ChronicleExport written = tessarion::exportChronicle(game_, shell_.colours, *prefix);
    if (written.ok) {
        alert("Alert", "Chronicle exported:\r\n" + printableText(written.pngPath) + "\r\n" +
                           printableText(written.csvPath));
    } else {
        alert("ERROR", written.error);
    }
}

void Desktop::menuChecksChanged() {
    const int skill = game_.skillLevel();
    menu_.setChecked(cmd::kEasy, skill == 0);
    menu_.setChecked(cmd::kNormal, skill == 1);
    menu_.setChecked(cmd::kHard, skill == 2);
    menu_.setChecked(cmd::kSound, shell_.soundEnabled);
    for (int volume : cmd::kVolumes) {
        menu_.setChecked(volume, cmd::volumeOf(volume) == shell_.soundVolume);
    }
    sounds_.setVolume(shell_.soundVolume);
    menu_.setChecked(cmd::kColours, shell_.colours == ColourScheme::ColourBlind);
    if (screen_->colours != shell_.colours) {
        screen_->setColourScheme(shell_.colours, config_.pictures);
        screen_->redrawScreen();
    }
    rememberSettings();
    runner_.presentFrame();
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
    // The banner's place is painted again from the game, as the window's
    // paint would after invalidating it.
    screen_->compose();
    screen_->window.blit(screen_->backBuffer, x, y, p.turnBanner.width, p.turnBanner.height, x, y);
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
    screen_->window.blit(screen_->backBuffer, left, top, 600, 400, left, top);
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
    if (!shell_.soundEnabled) {
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
