#include "ui/Desktop.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "game/Events.h"
#include "game/Game.h"
#include "game/GameSession.h"
#include "game/Scenarios.h"
#include "model/InternalError.h"
#include "savegame/AtomicWrite.h"
#include "savegame/EmergencySave.h"
#include "savegame/SaveGame.h"
#include "savegame/SaveLimits.h"
#include "ui/Font.h"
#include "ui/Reports.h"

namespace tessarion {

namespace {

constexpr int kMenuHeight = MenuBar::kHeight;

// The client area is laid out 1366 x 768. A screen wider than 16:9 widens it
// so that the frame fills the screen, the layout centred in it.
int frameWidthFor(std::pair<int, int> screen) {
    const int w = screen.first;
    const int h = std::max(screen.second, 1);
    return std::max(Screen::kLayoutWidth, w * Screen::kLayoutHeight / h);
}

InputEvent::Button buttonOf(const InputEvent& e) {
    return e.button;
}

}  // namespace

Desktop::Desktop(Platform& platform, DesktopConfig config)
    : platform_(platform),
      config_(std::move(config)),
      screen_(
          std::make_unique<Screen>(frameWidthFor(platform.screenSize()), Screen::kLayoutHeight)),
      shell_(*this),
      animator_(*screen_,
                Animator::Hooks{[this](Sound s) { playSound(s); }, [this](int ms) { pause(ms); },
                                [this] { presentFrame(); }}),
      frame_(screen_->width(), screen_->height() + kMenuHeight) {
    shell_.layoutOffsetX = screen_->layoutOffsetX;
    screenWidth_ = screen_->width();
    screenHeight_ = screen_->height();
    screen_->onPresent = [this](const Surface&) { presentFrame(); };
}

Desktop::~Desktop() = default;

bool Desktop::startUp() {
    frontEnd_.emplace(*this);
    // Saves killed part-way by an earlier run leave their temporary files.
    removeStaleTemporaries(config_.saveFolder);
    Game& game = Game::instance();
    // Nothing of the first set-up makes a noise.
    settingUp_ = true;
    beginFirstGame(game);
    settingUp_ = false;
    for (const Lesson& lesson : kLessons) {
        narrations_[lesson.pictureId] = lesson.narration;
    }
    screen_->buildOverlayKeys();

    if (!platform_.openWindow(kTitle, frame_.width(), frame_.height())) {
        return false;
    }
    windowOpen_ = true;
    if (config_.pictures) {
        // The application icon keeps its own transparency.
        const store::Image icon = config_.pictures(107);
        if (icon.width > 0) {
            platform_.setIcon(icon.pixels.data(), icon.width, icon.height);
        }
    }
    splash_.load(config_.pictures);
    if (config_.showSplash) {
        platform_.showWindow();
        PictureFrameBox splash(&splash_, "", 640, 480, screenWidth_, screenHeight_);
        splash.top += kMenuHeight;
        splash.closeAt = platform_.ticks() + 5000;
        frame_.fillRect(0, 0, frame_.width(), frame_.height(), kBlack);
        runModal(splash);
    }
    platform_.showWindow();
    if (config_.fullscreen) {
        platform_.toggleFullscreen();
    }
    shell_.soundEnabled = config_.sound;

    screen_->loadPictures(config_.pictures);
    animator_.load(config_.pictures);
    portrait_.load(config_.pictures);
    about_.load(config_.pictures);
    results_.load(config_.pictures);
    menuChecksChanged();
    return !quitting_;
}

void Desktop::firstPaint() {
    screen_->redrawScreen();
    painted_ = true;
    if (!firstPaint_) {
        return;
    }
    // Cleared first, so the intro and the welcome come once per run.
    firstPaint_ = false;
    if (config_.showIntro) {
        openPictureBox(266);
    }
    showWelcome();
}

int Desktop::run() {
    try {
        if (!startUp()) {
            shutDown();
            return 0;
        }
        if (config_.loadFile) {
            screen_->redrawScreen();
            const FileResult loaded = loadGame(Game::instance(), *config_.loadFile);
            if (!loaded.ok) {
                alert(loaded.caption, loaded.error);
            }
        }
        firstPaint();
        InputEvent event;
        while (!quitting_) {
            if (platform_.waitEvent(event, 500)) {
                if (!handle(event)) {
                    break;
                }
            }
        }
    } catch (...) {
        // A state the game should never reach, or the machine out of memory:
        // say so, keep what can be kept.
        const std::string what = describeCurrentException();
        const EmergencySave saved = saveForEmergency(Game::instance(), config_.saveFolder);
        quitting_ = false;
        box_ = nullptr;
        painted_ = false;  // the state cannot be painted any more
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
        // Farewell: the About box over an empty window, closing by itself.
        quitting_ = false;  // let the box run its course
        painted_ = false;
        frame_.fillRect(0, 0, frame_.width(), frame_.height(), kBlack);
        screen_->window.fillRect(0, 0, screen_->window.width(), screen_->window.height(), kBlack);
        PictureFrameBox about(&about_, "About Tessarion", 600, 400, screenWidth_, screenHeight_);
        about.top += kMenuHeight;
        about.closeAt = platform_.ticks() + static_cast<std::uint64_t>(config_.aboutMs);
        creditAbout(about);
        runModal(about);
        quitting_ = true;
        platform_.stopSound();
        platform_.hideWindow();
        platform_.sleep(config_.exitWaitMs);
        windowOpen_ = false;
    }
    frontEnd_.reset();
}

bool Desktop::handle(const InputEvent& e) {
    switch (e.type) {
        case InputEvent::Type::Quit:
            quit();
            break;
        case InputEvent::Type::Exposed:
            fitFrameToWindow();
            presentFrame();
            break;
        case InputEvent::Type::None:
            break;
        default: {
            // From here until the game returns to the player it is busy: what
            // the player does meanwhile is dropped rather than acted on later
            // (a second right click would end another year), except in the
            // boxes that open on the way.
            struct Busy {
                Desktop& d;
                explicit Busy(Desktop& desktop) : d(desktop) {
                    if (d.busy_++ == 0) {
                        d.busySince_ = d.platform_.ticks();
                        d.waited_ = false;
                    }
                }
                ~Busy() {
                    if (--d.busy_ == 0 && d.waited_) {
                        d.platform_.discardInput(d.busySince_);
                    }
                }
            } busy(*this);
            dispatch(e);
            runPostedCommands();
            break;
        }
    }
    runPostedCommands();
    return !quitting_;
}

void Desktop::dispatch(const InputEvent& e) {
    bool consumed = false;
    // The menu bar stands where the desktop's own would, outside the client
    // area: nothing on its strip reaches the map.
    const bool onMenuBar = e.y < kMenuHeight;
    switch (e.type) {
        case InputEvent::Type::MouseMove:
            if (menu_.active()) {
                menu_.mouseMove(e.x, e.y);
                presentFrame();
            } else if (!onMenuBar) {
                shell_.mouseMove(e.x, e.y - kMenuHeight);
            }
            break;
        case InputEvent::Type::MouseDown:
            if (buttonOf(e) == InputEvent::Button::Left) {
                // Whatever this press starts, the last drag is over.
                Game::instance().dragSource = nullptr;
            }
            menu_.mouseDown(e.x, e.y, consumed);
            if (consumed || onMenuBar) {
                presentFrame();
            } else if (buttonOf(e) == InputEvent::Button::Left) {
                shell_.leftButtonDown(e.x, e.y - kMenuHeight);
            }
            break;
        case InputEvent::Type::MouseUp: {
            const std::optional<int> id = menu_.mouseUp(e.x, e.y, consumed);
            if (consumed) {
                presentFrame();
                if (id) {
                    command(*id);
                }
            } else if (onMenuBar) {
                break;
            } else if (buttonOf(e) == InputEvent::Button::Left) {
                shell_.leftButtonUp(e.x, e.y - kMenuHeight);
            } else if (buttonOf(e) == InputEvent::Button::Right) {
                shell_.rightButtonUp();
            }
            break;
        }
        case InputEvent::Type::KeyDown: {
            if (e.key == KeyCode::F11) {
                toggleFullscreen();
                break;
            }
            const std::optional<int> id = menu_.keyDown(e, consumed);
            if (consumed) {
                presentFrame();
                if (id) {
                    command(*id);
                }
                break;
            }
            Shell::Key key = Shell::Key::Other;
            if (e.key == KeyCode::Letter) {
                key = e.letter == 'p'   ? Shell::Key::P
                      : e.letter == 'f' ? Shell::Key::F
                      : e.letter == 'j' ? Shell::Key::J
                                        : Shell::Key::Other;
            }
            shell_.keyDown(key);
            break;
        }
        case InputEvent::Type::KeyUp:
            menu_.keyUp(e, consumed);
            if (consumed) {
                presentFrame();
            }
            if (e.key == KeyCode::Letter) {
                shell_.keyUp(e.letter == 'p'   ? Shell::Key::P
                             : e.letter == 'f' ? Shell::Key::F
                             : e.letter == 'j' ? Shell::Key::J
                                               : Shell::Key::Other);
            }
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

void Desktop::toggleFullscreen() {
    platform_.toggleFullscreen();
    fitFrameToWindow();
    presentFrame();
}

void Desktop::pause(int ms) {
    if (busy_ == 0) {
        platform_.sleep(ms);
        return;
    }
    waited_ = true;
    // In short steps, so that the window goes on answering and repainting.
    while (ms > 0) {
        const int step = std::min(ms, 20);
        platform_.sleep(step);
        ms -= step;
        platform_.discardInput(busySince_);
    }
}

void Desktop::repaintFromState() {
    screen_->paintScreen(screen_->window);
    presentFrame();
}

void Desktop::fitFrameToWindow() {
    // A window wider than 16:9 widens the layout, centred, instead of
    // stretching it; a narrower one shows it whole with bars.
    const int width = platform_.frameWidthFor(Screen::kLayoutHeight, Screen::kLayoutWidth);
    if (width == frame_.width()) {
        return;
    }
    screen_->resize(width, Screen::kLayoutHeight);
    frame_ = Surface(screen_->width(), screen_->height() + kMenuHeight);
    shell_.layoutOffsetX = screen_->layoutOffsetX;
    screenWidth_ = screen_->width();
    platform_.setFrameSize(frame_.width(), frame_.height());
    screen_->redrawScreen();
}

void Desktop::command(int id, int param) {
    shell_.command(id, param);
    presentFrame();
}

void Desktop::runPostedCommands() {
    while (!quitting_ && !posted_.empty()) {
        auto [id, param] = posted_.front();
        posted_.pop_front();
        command(id, param);
    }
}

void Desktop::presentFrame() {
    frame_.blit(screen_->window, 0, 0, screen_->window.width(), screen_->window.height(), 0,
                kMenuHeight);
    menu_.draw(frame_);
    if (box_ != nullptr) {
        box_->draw(frame_);
    }
    platform_.present(frame_.pixels().data(), frame_.width(), frame_.height());
}

void Desktop::runModal(ModalBox& box) {
    ModalBox* outer = box_;
    box_ = &box;
    menu_.close();
    if (busy_ > 0) {
        // What the player did before the box opened is not an answer to it.
        waited_ = true;
        platform_.discardInput(busySince_);
    }
    if (onBoxOpened) {
        onBoxOpened(box);
    }
    if (quitting_) {
        box.abandon();
    }
    presentFrame();
    InputEvent e;
    while (!box.done) {
        std::uint64_t now = platform_.ticks();
        box.tick(now);
        if (box.done) {
            break;
        }
        int wait = 100;
        if (std::optional<std::uint64_t> d = box.deadline()) {
            wait = static_cast<int>(std::clamp<std::int64_t>(
                static_cast<std::int64_t>(*d - std::min(*d, now)), 0, 100));
        }
        if (platform_.waitEvent(e, wait)) {
            switch (e.type) {
                case InputEvent::Type::Quit:
                    // The window is closing: end the box gently and the game after it.
                    quitting_ = true;
                    box.abandon();
                    break;
                case InputEvent::Type::MouseDown:
                    box.mouseDown(e.x, e.y, e.button);
                    break;
                case InputEvent::Type::MouseUp:
                    box.mouseUp(e.x, e.y, e.button);
                    break;
                case InputEvent::Type::MouseMove:
                    box.mouseMove(e.x, e.y);
                    break;
                case InputEvent::Type::Exposed:
                    fitFrameToWindow();
                    break;
                case InputEvent::Type::KeyDown:
                    if (e.key == KeyCode::F11) {
                        toggleFullscreen();
                    } else {
                        box.keyDown(e);
                    }
                    break;
                case InputEvent::Type::Text:
                    box.text(e.text);
                    break;
                default:
                    break;
            }
        }
        box.tick(platform_.ticks());
        presentFrame();
    }
    box_ = outer;
    if (painted_ && !quitting_) {
        // What lay under the box is painted again from the game as it is now:
        // the box may have been open while the map changed.
        repaintFromState();
    } else {
        presentFrame();
    }
}

// The host of the shell.

void Desktop::repaintWindow() {
    screen_->redrawScreen();
}

void Desktop::redrawScreen() {
    screen_->redrawScreen();
}

void Desktop::drawProvinceInfo() {
    screen_->hoveredProvince = shell_.hoveredProvince;
    tessarion::drawProvinceInfo(*screen_, screen_->window);
    presentFrame();
}

void Desktop::playLesson(const Lesson& lesson) {
    zoomFrame(lesson.zoomX, lesson.zoomY);
    openPictureBox(lesson.pictureId);
}

void Desktop::openWebPage(const std::string& path) {
    const std::string address = config_.webAddress ? config_.webAddress(path) : path;
    if (platform_.openUrl(address)) {
        return;
    }
    // Without a browser the player can still open the page by hand.
    const std::string where = address.rfind("file://", 0) == 0 ? address.substr(7) : address;
    alert("Tessarion",
          "No web browser could be started to show this page.\r\nIt is here:\r\n\r\n" + where);
}

void Desktop::showAbout() {
    PictureFrameBox about(&about_, "About Tessarion", 600, 400, screenWidth_, screenHeight_);
    about.top += kMenuHeight;
    creditAbout(about);
    runModal(about);
}

void Desktop::creditAbout(PictureFrameBox& about) {
    // The credits the embedded fonts' and sounds' licences ask for, at the foot of the picture.
    about.decorate = [](Surface& s, int cx, int cy) {
        const std::string lines[] = {
            std::string(kGameTitle) +
                " - MIT licence. Fonts: DejaVu Sans (Bitstream Vera licence),",
            "EB Garamond (SIL Open Font License 1.1). Sounds: clips from 0ad-data by",
            "Wildfire Games (CC-BY-SA 3.0); FluidR3 GM soundfont by Frank Wen (MIT).",
            "Details in NOTICE beside the game."};
        const int lineHeight = 17;
        const int band = lineHeight * static_cast<int>(std::size(lines)) + 6;
        darken(s, cx, cy + 400 - band, cx + 600, cy + 400);
        const TextStyle saved = s.text;
        s.text = {0xFFF0E6D0, kBlack, false};
        for (std::size_t i = 0; i < std::size(lines); ++i) {
            s.drawText(cx + 10, cy + 400 - band + 3 + lineHeight * static_cast<int>(i), lines[i]);
        }
        s.text = saved;
    };
}

std::vector<SavedGameEntry> Desktop::savedGames() const {
    namespace fs = std::filesystem;
    struct Found {
        SavedGameEntry entry;
        fs::file_time_type written;
    };
    std::vector<Found> found;
    std::error_code ec;
    for (const auto& file : fs::directory_iterator(config_.saveFolder, ec)) {
        std::string ext = file.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        if (ext != ".TSN" || !file.is_regular_file(ec)) {
            continue;
        }
        Found f;
        f.entry.name = file.path().filename().string();
        f.written = file.last_write_time(ec);
        // The year is the saved game's own, read by the same reader that loads it.
        const std::uintmax_t size = file.file_size(ec);
        std::string bytes;
        if (!ec && size <= kMaxSaveFileSize) {
            std::ifstream in(file.path(), std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        const SavedGameInfo info = inspectGameText(Game::instance(), bytes);
        f.entry.damaged = !info.result.ok;
        f.entry.details = f.entry.damaged ? "damaged" : std::to_string(info.year) + " AD";
        // The file clock's own conversion is missing from some standard libraries (the
        // browser build's): carry the time across by its distance from now.
        const auto written = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
            f.written - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
        const std::time_t t = std::chrono::system_clock::to_time_t(written);
        char date[32];
        std::tm local{};
#ifdef _WIN32
        const bool known = localtime_s(&local, &t) == 0;
#else
        const bool known = localtime_r(&t, &local) != nullptr;
#endif
        if (known && std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", &local) > 0) {
            f.entry.details += std::string(",  saved ") + date;
        }
        found.push_back(std::move(f));
    }
    // Newest first: the game the player saved last is the one most often wanted.
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.written != b.written ? a.written > b.written : a.entry.name < b.entry.name;
    });
    std::vector<SavedGameEntry> entries;
    for (Found& f : found) {
        entries.push_back(std::move(f.entry));
    }
    return entries;
}

namespace {

// The default extension of saved games.
std::string withExtension(std::string name) {
    std::string ext = std::filesystem::path(name).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    return ext == ".TSN" ? name : name + ".TSN";
}

}  // namespace

std::optional<std::string> Desktop::chooseSavePath() {
    std::error_code ec;
    std::filesystem::create_directories(config_.saveFolder, ec);
    if (std::optional<std::string> native = platform_.nativeFileChooser(true, config_.saveFolder)) {
        presentFrame();
        return native->empty() ? std::nullopt : std::optional<std::string>(withExtension(*native));
    }
    std::string name;
    for (;;) {
        FileBox box(true, savedGames(), screenWidth_, screenHeight_);
        box.top += kMenuHeight;
        box.name = name;
        runModal(box);
        if (box.endCode != 1) {
            return std::nullopt;
        }
        name = box.name;
        const std::filesystem::path path =
            std::filesystem::path(config_.saveFolder) / withExtension(name);
        if (!std::filesystem::exists(path, ec)) {
            return path.string();
        }
        // Another game under that name would be lost: ask, and on No let the
        // player choose again.
        AlertBox ask("Confirm Save As",
                     path.filename().string() + " already exists.\r\nDo you want to replace it?",
                     screenWidth_, screenHeight_, true);
        ask.top += kMenuHeight;
        runModal(ask);
        if (ask.endCode == AlertBox::kYes) {
            return path.string();
        }
        if (quitting_) {
            return std::nullopt;
        }
    }
}

std::optional<std::string> Desktop::chooseLoadPath() {
    std::error_code ec;
    std::filesystem::create_directories(config_.saveFolder, ec);
    if (std::optional<std::string> native =
            platform_.nativeFileChooser(false, config_.saveFolder)) {
        presentFrame();
        return native->empty() ? std::nullopt : native;
    }
    FileBox box(false, savedGames(), screenWidth_, screenHeight_);
    box.top += kMenuHeight;
    runModal(box);
    if (box.endCode != 1) {
        return std::nullopt;
    }
    return (std::filesystem::path(config_.saveFolder) / box.name).string();
}

void Desktop::alert(const std::string& caption, const std::string& text) {
    AlertBox box(caption, text, screenWidth_, screenHeight_);
    box.top += kMenuHeight;
    runModal(box);
}

void Desktop::quit() {
    quitting_ = true;
}

void Desktop::menuChecksChanged() {
    const int skill = Game::instance().skillLevel();
    menu_.setChecked(cmd::kEasy, skill == 0);
    menu_.setChecked(cmd::kNormal, skill == 1);
    menu_.setChecked(cmd::kHard, skill == 2);
    menu_.setChecked(cmd::kSound, shell_.soundEnabled);
    presentFrame();
}

// The advisor.

void Desktop::showMessage(const std::string& text) {
    AdvisorBox box(AdvisorBox::Kind::Message, text, screenWidth_, screenHeight_, &portrait_);
    box.top += kMenuHeight;
    runModal(box);
}

bool Desktop::askYesNo(const std::string& text, const Question&) {
    AdvisorBox box(AdvisorBox::Kind::Question, text, screenWidth_, screenHeight_, &portrait_);
    box.top += kMenuHeight;
    runModal(box);
    return box.endCode == AdvisorBox::kYes;
}

// The presentation of the turn.

void Desktop::showComputerTurn() {
    Pictures& p = screen_->pictures;
    const int x = screen_->layoutOffsetX + 453;
    const int y = 285;
    p.turnBannerSave.surface = Surface(254, 38);
    p.turnBannerSave.surface.blit(screen_->window, x, y, 254, 38, 0, 0);
    p.turnBanner.draw(screen_->window, x, y);
    presentFrame();
    pause(500);
    screen_->window.blit(p.turnBannerSave.surface, 0, 0, 254, 38, x, y);
    // The banner's place is repainted from the game, as the window's paint
    // message would after invalidating it.
    Surface painted(screen_->width(), screen_->height());
    screen_->paintScreen(painted);
    screen_->window.blit(painted, x, y, 254, 38, x, y);
    presentFrame();
}

void Desktop::zoomFrame(int layoutX, int y) {
    const int x = layoutX + screen_->layoutOffsetX;
    const int w = screenWidth_;
    const int h = screenHeight_;
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
        presentFrame();
        left += dl;
        top += dt;
        right += dr;
        bottom += db;
        pause(50);
    }
    screen_->window.blit(screen_->backBuffer, left, top, 600, 400, left, top);
    presentFrame();
}

std::uint64_t Desktop::waveLength(const std::string& name) const {
    if (!config_.sounds) {
        return 0;
    }
    const std::span<const unsigned char> wav = config_.sounds(name);
    auto u32 = [&](std::size_t at) -> std::uint32_t {
        return at + 4 <= wav.size()
                   ? static_cast<std::uint32_t>(wav[at] | wav[at + 1] << 8 | wav[at + 2] << 16 |
                                                static_cast<std::uint32_t>(wav[at + 3]) << 24)
                   : 0;
    };
    if (wav.size() < 44) {
        return 0;
    }
    const std::uint32_t byteRate = u32(28);
    // Walk the chunks to the samples.
    for (std::size_t at = 12; at + 8 <= wav.size();) {
        const std::uint32_t size = u32(at + 4);
        if (wav[at] == 'd' && wav[at + 1] == 'a' && wav[at + 2] == 't' && wav[at + 3] == 'a') {
            return byteRate == 0 ? 0 : static_cast<std::uint64_t>(size) * 1000 / byteRate;
        }
        at += 8 + size + (size & 1);
    }
    return 0;
}

void Desktop::openPictureBox(int pictureId) {
    const std::string narration = narrations_.count(pictureId) ? narrations_[pictureId] : "";
    const std::string script =
        config_.lessonScript && !narration.empty() ? config_.lessonScript(narration) : "";
    LessonBox box(screen_->pictures.fullPicture(pictureId), pictureId, script, screenWidth_,
                  screenHeight_, &screen_->pictures.playButton, &screen_->pictures.stopButton);
    box.top += kMenuHeight;
    box.narrationLength = waveLength(narration);
    if (config_.lessonCaptionTimes && !narration.empty()) {
        box.captionTimes = config_.lessonCaptionTimes(narration);
    }
    box.onNarration = [this, narration](bool start) {
        if (start && !narration.empty()) {
            playWave(narration, SoundMode::Async);
        } else {
            platform_.stopSound();
        }
    };
    if (pictureId == 266) {
        playWave("IDR_INTRO_SND", SoundMode::Loop);
    }
    box.tick(platform_.ticks());
    runModal(box);
    platform_.stopSound();
}

void Desktop::showResults(int invasions, int plagues, int rebellions) {
    PictureFrameBox box(&results_, "Results", 612, 406, screenWidth_, screenHeight_);
    box.top += kMenuHeight;
    box.pictureX = 6;
    box.pictureY = 3;
    box.closeAt = platform_.ticks() + 3000;
    // The picture paints the labels and a dark slot after each, 90 x 28 at
    // x 424 and 4 above the row's height; the numbers are set in the labels'
    // serif, on their baseline, inside the slots.
    box.decorate = [invasions, plagues, rebellions, px = box.pictureX, py = box.pictureY](
                       Surface& s, int cx, int cy) {
        Font& font = labelFont();
        const TextStyle saved = s.text;
        s.text = {kWhite, kBlack, false};
        const std::pair<int, int> rows[] = {{127, invasions}, {168, plagues}, {210, rebellions}};
        for (auto [y, count] : rows) {
            char number[56];
            std::snprintf(number, sizeof number, "%d", count);
            const int baseline = cy + py + y + 14;
            // Twice, a pixel apart: the labels are bold and the font is not.
            for (int dx : {0, 1}) {
                s.drawText(cx + px + 424 + 8 + dx, baseline - font.ascent(), number, font);
            }
        }
        s.text = saved;
    };
    runModal(box);
}

// Sound.

void Desktop::playWave(const std::string& name, SoundMode mode) {
    platform_.playWave(
        name, config_.sounds ? config_.sounds(name) : std::span<const unsigned char>(), mode);
}

void Desktop::refreshReports() {
    tessarion::refreshReports(*screen_);
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
    switch (sound) {
        case Sound::Battle:
            playWave("IDR_SWORD_SND", SoundMode::Async);
            break;
        case Sound::March:
            waited_ = true;
            playWave("IDR_MARCH_SND", SoundMode::Sync);
            break;
        case Sound::Plague:
            playWave("IDR_COUGH_SND", SoundMode::Async);
            break;
        case Sound::PeoplesFront:
            playWave("IDR_PFJ_SND", SoundMode::Async);
            break;
        case Sound::Intro:
            playWave("IDR_INTRO_SND", SoundMode::Async);
            break;
    }
}

}  // namespace tessarion
