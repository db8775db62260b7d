#include "page/desktop_mouse_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace nimba {
namespace {

using Command = std::vector<std::string>;

TEST(DesktopMouseSettings, TheFirstKnownDesktopOfTheListWinsWhateverItsCase) {
    const std::pair<const char*, Command> cases[] = {
        {"GNOME", {"gnome-control-center", "mouse"}},
        {"ubuntu:GNOME", {"gnome-control-center", "mouse"}},
        {"xfce", {"xfce4-mouse-settings"}},
        {"Budgie:GNOME:MATE", {"gnome-control-center", "mouse"}},
        // Names that only contain a known one are not it.
        {"GNOME-Flashback-ish", {}},
        {"Hyprland", {}},
        {"", {}},
        {":", {}},
    };
    for (const auto& [desktop, command] : cases)
        EXPECT_EQ(DesktopMouseSettingsCommand(desktop), command) << desktop;
}

class OpenDesktopMouseSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
        saved_ = desktop != nullptr ? std::optional<std::string>(desktop) : std::nullopt;
        SetDesktopLauncherForTest([this](const Command& command) {
            launched_.push_back(command);
            return true;
        });
    }
    void TearDown() override {
        SetDesktopLauncherForTest({});
        if (saved_) {
            setenv("XDG_CURRENT_DESKTOP", saved_->c_str(), 1);
        } else {
            unsetenv("XDG_CURRENT_DESKTOP");
        }
    }

    std::optional<std::string> saved_;
    std::vector<Command> launched_;
};

TEST_F(OpenDesktopMouseSettingsTest, StartsTheSessionsDesktopSettingsOnce) {
    unsetenv("XDG_CURRENT_DESKTOP");  // no desktop named: nothing starts
    OpenDesktopMouseSettings();
    setenv("XDG_CURRENT_DESKTOP", "KDE", 1);
    OpenDesktopMouseSettings();
    EXPECT_EQ(launched_, (std::vector<Command>{{"systemsettings", "kcm_mouse"}}));
}

}  // namespace
}  // namespace nimba
