#pragma once

// Recording stand-ins for what the device layer drives: the page's controls and the profile
// store; the main window is a RecordingWindow.

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "device/device_controls.h"
#include "device/profile_access.h"
#include "model/profile_defaults.h"
#include "platform/messages.h"
#include "recording_window.h"

namespace nimba::test {

class FakeControls final : public DeviceControls {
public:
    void ShowIndicator(Indicator indicator, bool visible) override {
        visible_[indicator] = visible;
    }
    void RefreshLinkVisibility() override { ++refreshes; }
    void SetPowerProgress(int value) override { progress.push_back(value); }
    void SetPowerText(const std::string& text) override {
        power_text = text;
        power_key.clear();
    }
    void SetPowerTextKey(const std::string& key) override {
        power_key = key;
        power_text.clear();
    }
    void SelectDpiStage(int number) override { dpi_stage = number; }
    void ShowLightMode(int) override {}
    void SetApplyRingVisible(bool visible) override {
        std::lock_guard lock(ring_mutex);
        ring.push_back(visible);
    }
    void ShowMouseBehind(bool) override {}

    // -1 = never set.
    int Visible(Indicator indicator) const {
        auto it = visible_.find(indicator);
        return it == visible_.end() ? -1 : it->second;
    }

    int refreshes = 0;
    std::vector<int> progress;
    std::string power_text;
    std::string power_key;
    int dpi_stage = 0;
    std::mutex ring_mutex;
    std::vector<bool> ring;

private:
    std::map<Indicator, bool> visible_;
};

class FakeProfile final : public ProfileAccess {
public:
    FakeProfile() { FillProfileDefaults(current_); }

    std::optional<ProfileRecord> CopyCurrent() override { return Current(); }
    ProfileRecord Current() {
        std::lock_guard lock(mutex_);
        return current_;
    }
    ProfileRecord UpdateCurrent(const std::function<void(ProfileRecord&)>& change) override {
        std::lock_guard lock(mutex_);
        change(current_);
        return current_;
    }
    void Save() override { ++saves; }

    std::atomic<int> saves{0};

private:
    std::mutex mutex_;
    ProfileRecord current_{};
};

}  // namespace nimba::test
