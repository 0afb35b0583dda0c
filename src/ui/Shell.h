#pragma once

#include <optional>
#include <string>

namespace tessarion {

struct Province;

// Menu command ids.
namespace cmd {
inline constexpr int kNewGame = 3002;
inline constexpr int kSave = 3001;
inline constexpr int kLoad = 3000;
inline constexpr int kExit = 105;
inline constexpr int kEasy = 5000;
inline constexpr int kNormal = 5001;
inline constexpr int kHard = 5002;
inline constexpr int kSound = 6000;
inline constexpr int kStudyGuide = 106;
inline constexpr int kTakeQuiz = 108;
inline constexpr int kHelp = 110;
inline constexpr int kVideoTutorial = 103;
inline constexpr int kAbout = 104;
}  // namespace cmd

// A history lesson of the History menu.
struct Lesson {
    int menuId;
    const char* title;
    int pictureId;
    const char* narration;
    int zoomX;  // layout x, before the horizontal offset
    int zoomY;
};

inline constexpr Lesson kLessons[] = {
    {2000, "Maximinus Thrax", 162, "IDR_MAXIMINUS_THRAX", 673, 300},
    {2002, "Three Empires", 233, "IDR_VALERIAN", 910, 360},
    {2003, "Aurelian", 187, "IDR_AURELIAN", 489, 308},
    {2004, "Diocletian", 160, "IDR_DIOCLETIAN", 737, 343},
    {2005, "Constantine I", 161, "IDR_CONSTANTINE", 737, 343},
    {2010, "Battle of Adrianople", 249, "IDR_ADRIANOPLE", 702, 312},
    {2009, "Theodosius I", 248, "IDR_THEODOSIUS", 737, 343},
    {2006, "Sack of 410 AD", 235, "IDR_VISIGOTHS", 489, 308},
    {2007, "Sack of 455 AD", 163, "IDR_VANDAL_SACK", 489, 308},
    {2008, "Romulus Augustulus", 164, "IDR_ODOACER", 489, 308},
};

const Lesson* lessonForMenu(int menuId);
const Lesson* lessonForPicture(int pictureId);

// What the window logic needs from whoever hosts it: the desktop window or the
// text console. Pictures, sounds, pages and dialogs are theirs.
class ShellHost {
  public:
    virtual ~ShellHost() = default;
    // Compose the screen now and have the whole window painted again.
    virtual void repaintWindow() = 0;
    virtual void redrawScreen() = 0;
    // The province panel under the map, drawn on the window at once.
    virtual void drawProvinceInfo() = 0;
    virtual void playLesson(const Lesson& lesson) = 0;
    virtual void openWebPage(const std::string& path) = 0;
    virtual void showAbout() = 0;
    // The file dialogs; nothing when the player cancels.
    virtual std::optional<std::string> chooseSavePath() = 0;
    virtual std::optional<std::string> chooseLoadPath() = 0;
    // The platform's plain message box.
    virtual void alert(const std::string& caption, const std::string& text) = 0;
    virtual void quit() = 0;
    // The check marks of the Options menu changed.
    virtual void menuChecksChanged() {}
};

// The platform-free half of the game window: mouse, keys and menu commands
// turned into calls on the rules.
class Shell {
  public:
    explicit Shell(ShellHost& host) : host_(host) {}

    // Layout: the screen is laid out 1366 wide and centred on wider ones.
    static int layoutOffsetFor(int width) { return width > 1366 ? (width - 1366) / 2 : 0; }
    int layoutOffsetX = 0;
    int mapOriginX() const { return layoutOffsetX + 180; }
    static constexpr int kMapOriginY = 30;

    bool soundEnabled = true;
    bool keyP = false;
    bool keyF = false;
    bool keyJ = false;
    int mouseMapX = 0;
    int mouseMapY = 0;
    Province* hoveredProvince = nullptr;
    Province* shownProvince = nullptr;

    enum class Key { P, F, J, Other };

    void mouseMove(int x, int y);
    void leftButtonDown(int x, int y);
    void leftButtonUp(int x, int y);
    void rightButtonUp();
    void keyDown(Key key);
    void keyUp(Key key);
    // A typed character (the "?" and "/" accelerators); true when it was one.
    bool character(char c);
    // A menu command; false for an id the game does not know.
    bool command(int id, int param = 0);

    // The province whose legion box holds a map point (lowest slot wins).
    static Province* legionBoxAt(int mapX, int mapY);
    // A window point where a press picks the province's legions, and one where
    // a release drops on the province (nothing when no such point exists).
    std::optional<std::pair<int, int>> pressPointFor(Province* province) const;
    std::optional<std::pair<int, int>> dropPointFor(Province* province) const;
    // A whole drag from one province to another, as the player would make it.
    // False when no point of the map picks one of them.
    bool dragLegion(Province* from, Province* to);

    int checkedSkill() const;

    // Whether the last left-button release carried out an order.
    bool lastDropCarriedOut = false;

  private:
    void saveCommand();
    void loadCommand();

    ShellHost& host_;
};

}  // namespace tessarion
