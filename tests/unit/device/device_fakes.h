#pragma once

// Recording stand-ins for what the device layer drives: the page's controls, the profile
// store and the main window.

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "device/device_controls.h"
#include "device/profile_access.h"
#include "model/profile_defaults.h"
#include "platform/messages.h"

namespace nimba::test {

class FakeControls final : public DeviceControls {
public:
    void SetVisible(const std::string& name, bool visible) override { visible_[name] = visible; }
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
    void ShowLightMode(int mode) override { light_mode = mode; }
    void SetApplyRingVisible(bool visible) override {
        std::lock_guard lock(ring_mutex);
        ring.push_back(visible);
    }

    // -1 = never set.
    int Visible(const std::string& name) const {
        auto it = visible_.find(name);
        return it == visible_.end() ? -1 : it->second;
    }

    int refreshes = 0;
    std::vector<int> progress;
    std::string power_text;
    std::string power_key;
    int dpi_stage = 0;
    int light_mode = -1;
    std::mutex ring_mutex;
    std::vector<bool> ring;

private:
    std::map<std::string, bool> visible_;
};

class FakeProfile final : public ProfileAccess {
public:
    FakeProfile() { FillProfileDefaults(current_); }

    ProfileRecord CopyCurrent() override {
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

// A window on the test thread that records every message and hands each to `route`.
class RecordingWindow {
public:
    RecordingWindow() {
        hwnd = CreatePlatformWindow([this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
            messages.push_back({msg, wParam, lParam});
            if (route) route(msg, wParam, lParam);
            return LRESULT{0};
        });
    }
    ~RecordingWindow() { DestroyPlatformWindow(hwnd); }

    int Count(UINT msg, WPARAM wParam) const {
        int n = 0;
        for (const auto& m : messages) n += m.message == msg && m.wParam == wParam;
        return n;
    }
    int Count(UINT msg) const {
        int n = 0;
        for (const auto& m : messages) n += m.message == msg;
        return n;
    }

    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    HWND hwnd = nullptr;
    std::vector<Message> messages;
    std::function<void(UINT, WPARAM, LPARAM)> route;
};

}  // namespace nimba::test
