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
#include "ui/Desktop.h"
#include "ui/InputEvents.h"
#include "ui/ScreenFixture.h"

namespace tessarion::test {

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

    TestFolder folder{"desktop"};
    const std::string saveFolder = folder.slashed();
    HeadlessPlatform platform;
    std::unique_ptr<Game> game_ = std::make_unique<Game>(5);
    std::unique_ptr<Desktop> desktop_;
};

}  // namespace tessarion::test
