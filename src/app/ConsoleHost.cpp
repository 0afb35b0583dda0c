#include "app/ConsoleHost.h"

#include <ostream>

#include "app/Console.h"
#include "app/WebSite.h"
#include "game/Game.h"
#include "game/Lessons.h"
#include "model/YearRecord.h"
#include "ui/Pictures.h"

namespace tessarion {

namespace {

// The console names a lesson's picture by its id, as the protocol always has.
int pictureIdOf(const Lesson& lesson) {
    const PictureEntry* picture = pictureNamed(lesson.picture);
    return picture != nullptr ? picture->id : -1;
}

}  // namespace

void ConsoleHost::showMessage(const std::string& text) {
    out_ << "MESSAGE: " << Console::escapeText(text) << '\n';
}

bool ConsoleHost::takeAnswer() {
    if (answers.empty()) {
        return false;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

bool ConsoleHost::askYesNo(const std::string& text, const Question&) {
    const bool yes = takeAnswer();
    out_ << "QUESTION: " << Console::escapeText(text) << (yes ? " -> yes" : " -> no") << '\n';
    return yes;
}

void ConsoleHost::openPictureBox(const std::string& picture) {
    if (const Lesson* lesson = lessonForPicture(picture)) {
        out_ << "SHOW: lesson \"" << lesson->title << "\" (picture " << pictureIdOf(*lesson)
             << ")\n";
    } else {
        out_ << "SHOW: picture " << picture << '\n';
    }
}

void ConsoleHost::showResults(int invasions, int plagues, int rebellions) {
    out_ << "SHOW: Results (invasions " << invasions << ", plagues " << plagues << ", rebellions "
         << rebellions << ")\n";
}

void ConsoleHost::showChronicle() {
    out_ << "SHOW: Chronicle\n";
}

// The year's record as it closes, a line an entry.
void ConsoleHost::yearEnded(const YearRecord& record) {
    for (const YearEntry& e : record.entries) {
        out_ << "REPORT: " << Console::escapeText(describeEntry(e, game_)) << '\n';
    }
}

void ConsoleHost::playLesson(const Lesson& lesson) {
    out_ << "SHOW: lesson \"" << lesson.title << "\" (picture " << pictureIdOf(lesson)
         << ", narration " << lesson.narration << ")\n";
}

void ConsoleHost::openWebPage(const std::string& path) {
    out_ << "OPEN: " << webAddress(path) << '\n';
}

void ConsoleHost::showAbout() {
    out_ << "SHOW: About Tessarion\n";
}

void ConsoleHost::alert(const std::string& caption, const std::string& text) {
    out_ << "ALERT: " << caption << ": " << Console::escapeText(text) << '\n';
}

std::optional<std::string> ConsoleHost::takePath() {
    std::optional<std::string> p = std::move(nextPath);
    nextPath.reset();
    return p;
}

}  // namespace tessarion
