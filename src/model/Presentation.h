#pragma once

namespace tessarion {

// What the turn cycle and the rules ask of the screen beyond the advisor boxes
// and the four hooks of Game. Every operation does nothing by default, which is
// how the rules run headless (tests, console, simulator).
class Presentation {
  public:
    virtual ~Presentation() = default;

    virtual void redrawScreen() {}
    // The COMPUTER TURN banner before the other powers move.
    virtual void showComputerTurn() {}
    // Forget the enemy moves already animated this turn.
    virtual void clearShownMoves() {}
    // Repaint the whole window at the next opportunity.
    virtual void invalidateWindow() {}
    // The zoom that leads into a lesson, from a layout point (x before the
    // horizontal layout offset is added).
    virtual void zoomFrame(int x, int y) { (void)x, (void)y; }
    // The modal picture box of a lesson or of the introduction.
    virtual void openPictureBox(int pictureId) { (void)pictureId; }
    // The Results box with the three statistics.
    virtual void showResults(int invasions, int plagues, int rebellions) {
        (void)invasions, (void)plagues, (void)rebellions;
    }
    // The game ends the program (No at defeat or at 285 AD, quitting at 476 AD).
    virtual void quit() {}
    // Queue a menu command to run after the current one (play again at 476 AD).
    virtual void postCommand(int id, int param) { (void)id, (void)param; }
};

void setPresentation(Presentation* presentation);
Presentation& presentation();

// Shorthand used all over the rules.
inline void redrawScreen() {
    presentation().redrawScreen();
}

}  // namespace tessarion
