#pragma once

// The desktop game on the headless platform, in a folder of the test's own:
// other runs of the tests (and the emergency saves of a crash test) must not
// show in its file boxes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/Game.h"
#include "platform/HeadlessPlatform.h"
#include "support/TestFolder.h"
#include "ui/AdvisorBox.h"
#include "ui/AlertBox.h"
#include "ui/ChronicleBox.h"
#include "ui/Desktop.h"
#include "ui/FileBox.h"
#include "ui/InputEvents.h"
#include "ui/LessonBox.h"
#include "ui/PictureFrameBox.h"
#include "ui/ScreenFixture.h"
#include "ui/YearReportBox.h"

namespace tessarion::test {

// A box as the tests list what opened: "message: " or "question: " and an advisor's first
// line, "picture " and a lesson's id, "report: " and its title, or the kind of box.
inline std::string describe(ModalBox& box) {
    if (auto* a = dynamic_cast<AdvisorBox*>(&box)) {
        return (a->kind() == AdvisorBox::Kind::Message ? "message: " : "question: ") +
               a->lines().front();
    }
    if (auto* l = dynamic_cast<LessonBox*>(&box)) {
        return "picture " + std::to_string(l->pictureId);
    }
    if (auto* report = dynamic_cast<YearReportBox*>(&box)) {
        return "report: " + report->title();
    }
    const bool frame = dynamic_cast<PictureFrameBox*>(&box) != nullptr;
    const bool alert = dynamic_cast<AlertBox*>(&box) != nullptr;
    const bool chronicle = dynamic_cast<ChronicleBox*>(&box) != nullptr;
    return frame ? "frame" : alert ? "alert" : chronicle ? "chronicle" : "file";
}

class DesktopFixture : public ::testing::Test {
  protected:
    void TearDown() override {
        desktop_.reset();
        game_.reset();
    }
    // Grey pictures, short farewells, saves in the test's folder.
    DesktopConfig config() const {
        DesktopConfig c;
        c.saveFolder = saveFolder;
        c.pictures = greyPicture;
        c.aboutMs = 10;
        c.exitWaitMs = 10;
        return c;
    }
    void makeDesktop(const DesktopConfig& c) {
        desktop_.reset();
        desktop_ = std::make_unique<Desktop>(platform, *game_, c);
        desktop_->modal().onBoxOpened = [this](ModalBox& box) { opened(box); };
    }
    // Each box as it opens.
    virtual void opened(ModalBox&) {}

    void script(const std::vector<InputEvent>& events) {
        platform.input.insert(platform.input.end(), events.begin(), events.end());
    }
    void run(const std::vector<InputEvent>& events) {
        for (const InputEvent& e : events) {
            desktop_->handle(e);
        }
    }
    Province* p(const std::string& name) { return game_->findProvince(name); }

    // Up and running: the splash and the intro closed, No to the hints by Tab, the Prefect's
    // good luck.
    void startPlaying() {
        script({key(KeyCode::Enter), key(KeyCode::Escape), key(KeyCode::Tab), key(KeyCode::Enter),
                key(KeyCode::Enter)});
        ASSERT_TRUE(desktop_->startUp());
        desktop_->firstPaint();
        ASSERT_TRUE(platform.input.empty());
    }
    // Ends the turn with a right click on the map, every box on the way answered with Enter.
    void endTurnAnsweringEverything(int keys = 20) {
        script(std::vector<InputEvent>(static_cast<std::size_t>(keys), key(KeyCode::Enter)));
        run(click(600, 300, InputEvent::Button::Right));
        platform.input.clear();
    }

    TestFolder folder{"desktop"};
    const std::string saveFolder = folder.slashed();
    HeadlessPlatform platform;
    std::unique_ptr<Game> game_ = std::make_unique<Game>(5);
    std::unique_ptr<Desktop> desktop_;
};

}  // namespace tessarion::test
